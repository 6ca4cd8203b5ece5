// Starting a child program, telling whether a process still runs, and finding
// a running program by its file name.
#pragma once

#include "utils/win32/Handles.h"
#include "utils/win32/PipeStream.h"

#include <windows.h>

#include <string>

// Starts a child by its whole command line (the program's path in quotes,
// then its arguments), in a new console, hidden (or minimized). When any of
// the three handles is given, they become the child's standard input, output
// and error, and the child inherits those handles and no other; otherwise it
// inherits none. Returns the new process's identifier, 0 when it could not
// be started. StartedProcess, when given, receives the process handle, so
// the caller can judge liveness by it.
DWORD StartChildProcess(const std::string& CommandLine, bool ShowMinimized, HANDLE StdInput, HANDLE StdOutput,
                        HANDLE StdError, TKernelHandle* StartedProcess = nullptr);

// Starts a child on two pipes, Input for its standard input and Output for
// its standard output and error, and closes the caller's copies of the
// child's ends whether or not the start succeeded: from then on the caller
// holds only its own ends, so Output ends (TPipeStream::Ended) once the
// child and whatever it started on the pipe have gone, and nothing the
// caller does touches the file objects the child reads and writes.
DWORD StartChildOnPipes(const std::string& CommandLine, bool ShowMinimized, TPipeStream& Input, TPipeStream& Output,
                        TKernelHandle* StartedProcess = nullptr);

// Whether a process with this identifier can be opened for query-information
// and read-memory access. 0 is never alive.
bool IsProcessAlive(DWORD ProcessId);
// With the handle of a process the caller started, whether that very process
// has not ended yet (a reused identifier or a handle the caller still holds
// cannot fool it); without a handle, as above.
bool IsProcessAlive(DWORD ProcessId, HANDLE StartedProcess);

// The first process whose executable's file name equals ModuleName, ignoring
// the case of ASCII letters; 0 if none.
DWORD FindProcessByName(const std::string& ModuleName);
// The file name of the process's executable; empty when it cannot be read.
std::string GetProcessModuleName(DWORD ProcessId);

// Fill Ids / Modules (HighIndex + 1 entries) and return how many the system
// reports, which for modules can exceed the room given; 0 on failure.
DWORD ListProcessIds(DWORD* Ids, int HighIndex);
DWORD ListProcessModules(HANDLE Process, HMODULE* Modules, int HighIndex);
