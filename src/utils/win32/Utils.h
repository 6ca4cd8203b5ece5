// The unit Utils: processes, pipes, line reading, and the registry and
// environment queries about this node and the primary node.
#pragma once

#include "utils/Errors.h"
#include "utils/NodeInfo.h"
#include "utils/win32/Handles.h"
#include "utils/win32/OSError.h"
#include "utils/win32/PipeStream.h"
#include "utils/win32/Processes.h"
#include "utils/win32/RestartRegistration.h"
#include "utils/win32/Stream.h"
#include "utils/win32/SystemInfo.h"
#include "utils/win32/Win32Registry.h"

#include <windows.h>

#include <string>

// The unit's operations, all in one list; each is also declared, with its
// notes, in the header of its own concern above. Redeclaring them here makes
// the compiler hold every one to this list.
std::string ReadEnvironmentVariable(const std::string& Name);
std::string ReadReleaseSetting(const std::string& Section, const std::string& ValueName,
                               const std::string& Default, const std::string& NodeName);
std::string GetLocalUpdateLevel();
std::string GetPrimaryNodeUpdateLevel();
std::string GetLocalComputerName();
std::string GetPrimaryNodeName();
std::string GetOriginalPrimaryNodeName();
std::string GetBackupPid();
std::string GetDatabaseBackupPid();
bool IsBackupRunning();
NodeRole GetNodeRole();
std::string GetNodeRoleName();
MaintenanceModeState GetMaintenanceMode();
void RegisterRestartAfterReboot();
DWORD StartChildProcess(const std::string& CommandPath, const std::string& Arguments, bool ShowMinimized,
                        HANDLE StdInput, HANDLE StdOutput, HANDLE StdError,
                        TKernelHandle* StartedProcess /* = nullptr */);
bool IsProcessAlive(DWORD ProcessId);
bool IsProcessAlive(DWORD ProcessId, HANDLE StartedProcess);
DWORD FindProcessByName(const std::string& ModuleName);
std::string GetProcessModuleName(DWORD ProcessId);
DWORD ListProcessIds(DWORD* Ids, int HighIndex);
DWORD ListProcessModules(HANDLE Process, HMODULE* Modules, int HighIndex);
void WriteLine(TStream& Stream, const std::string& Text);
std::string SysErrorMessage(DWORD Code);
[[noreturn]] void RaiseLastOSError();
