// The system's own text for an error code, and the exception for a failed
// operating-system call.
#pragma once

#include <windows.h>

#include <string>

// The system's message for Code, without its trailing blanks, line breaks and
// full stop; empty when the system has none.
std::string SysErrorMessage(DWORD Code);

// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError();
