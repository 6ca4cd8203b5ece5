#include "RemoteCall.h"

#include <tlhelp32.h>

#include <string>

#include "DriverError.h"
#include "Files.h"
#include "RemoteBuffer.h"
#include "utils/win32/Handles.h"
#include "WizardProbe.h"

namespace {

// A module of another process, by its file name; false when it has none.
bool RemoteModule(DWORD Pid, const char* Name, MODULEENTRY32& Entry) {
  TKernelHandle Snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, Pid));
  if (!Snapshot) return false;
  Entry = {};
  Entry.dwSize = sizeof Entry;
  for (BOOL More = Module32First(Snapshot.Get(), &Entry); More; More = Module32Next(Snapshot.Get(), &Entry))
    if (lstrcmpiA(Entry.szModule, Name) == 0) return true;
  return false;
}

// Base address of a module of another process, or nullptr.
BYTE* RemoteModuleBase(DWORD Pid, const char* Name) {
  MODULEENTRY32 Entry;
  return RemoteModule(Pid, Name, Entry) ? Entry.modBaseAddr : nullptr;
}

// The address in the other process of a function that this process has
// loaded from the same file: same module, same offset.
void* RemoteFunction(DWORD Pid, const char* ModuleName, HMODULE LocalModule, const char* Function) {
  FARPROC Local = GetProcAddress(LocalModule, Function);
  if (Local == nullptr) throw TDriverError(std::string(ModuleName) + " has no function " + Function);
  BYTE* Base = RemoteModuleBase(Pid, ModuleName);
  if (Base == nullptr) return nullptr;
  return Base + (reinterpret_cast<BYTE*>(Local) - reinterpret_cast<BYTE*>(LocalModule));
}

DWORD RunRemoteThread(HANDLE Process, void* Start, void* Param, DWORD TimeoutMs, const std::string& What) {
  TKernelHandle Thread(
      CreateRemoteThread(Process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(Start), Param, 0, nullptr));
  if (!Thread)
    throw TDriverError("cannot start " + What + " in the wizard (error " + std::to_string(GetLastError()) + ")");
  if (WaitForSingleObject(Thread.Get(), TimeoutMs) != WAIT_OBJECT_0)
    throw TDriverError(What + " in the wizard did not finish within " + std::to_string(TimeoutMs) + " ms");
  DWORD Code = 0;
  GetExitCodeThread(Thread.Get(), &Code);
  return Code;
}

HMODULE LocalProbe() {
  const std::string Path = ProgramFolder() + WIZARD_PROBE_DLL;
  HMODULE Module = GetModuleHandleA(WIZARD_PROBE_DLL);
  if (Module == nullptr) Module = LoadLibraryA(Path.c_str());
  if (Module == nullptr) throw TDriverError("cannot load " + Path + " (error " + std::to_string(GetLastError()) + ")");
  return Module;
}

void LoadProbeInto(HANDLE Process, DWORD Pid, DWORD TimeoutMs) {
  if (RemoteModuleBase(Pid, WIZARD_PROBE_DLL) != nullptr) return;
  void* LoadLibraryRemote = RemoteFunction(Pid, "kernel32.dll", GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
  if (LoadLibraryRemote == nullptr) throw TDriverError("the wizard's process has no kernel32.dll");
  const std::string Path = ProgramFolder() + WIZARD_PROBE_DLL;
  TRemoteBuffer Name(Process, Path.size() + 1);
  Name.Write(0, Path.c_str(), Path.size() + 1);
  RunRemoteThread(Process, LoadLibraryRemote, Name.At(0), TimeoutMs, "loading " + Path);
  if (RemoteModuleBase(Pid, WIZARD_PROBE_DLL) == nullptr)
    throw TDriverError("the wizard's process did not load " + Path);
}

}  // namespace

DWORD CallProbe(HANDLE Process, const char* Function, void* Param, DWORD TimeoutMs) {
  const DWORD Pid = GetProcessId(Process);
  HMODULE Local = LocalProbe();
  LoadProbeInto(Process, Pid, TimeoutMs);
  void* Remote = RemoteFunction(Pid, WIZARD_PROBE_DLL, Local, Function);
  if (Remote == nullptr) throw TDriverError(std::string("the probe vanished from the wizard's process"));
  return RunRemoteThread(Process, Remote, Param, TimeoutMs, Function);
}

std::string RemoteModulePath(HANDLE Process, const char* Name) {
  MODULEENTRY32 Entry;
  return RemoteModule(GetProcessId(Process), Name, Entry) ? std::string(Entry.szExePath) : std::string();
}

void RemoveProcessVariable(HANDLE Process, const std::string& Name) {
  TRemoteBuffer Text(Process, Name.size() + 1);
  Text.Write(0, Name.c_str(), Name.size() + 1);
  if (CallProbe(Process, WIZARD_PROBE_REMOVE_VARIABLE, Text.At(0)) != 1)
    throw TDriverError("cannot remove " + Name + " from the wizard's environment");
}
