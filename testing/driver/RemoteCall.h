// Running a function of the probe DLL inside the wizard's process.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// Loads the probe (from the test program's folder) into Process unless it is
// there already, runs its export Function on a new thread with Param (an
// address inside Process) and returns the thread's exit code. Throws
// TDriverError when any step fails or the call takes longer than TimeoutMs.
DWORD CallProbe(HANDLE Process, const char* Function, void* Param, DWORD TimeoutMs = 10000);

// The full path of the module Name (a file name) in Process; empty when
// Process has not loaded it.
std::string RemoteModulePath(HANDLE Process, const char* Name);

// Removes the environment variable Name from Process's own environment (what
// the program reads from then on); throws TDriverError when it cannot.
void RemoveProcessVariable(HANDLE Process, const std::string& Name);
