// Who may change the files the wizard runs with administrator rights, as the
// security descriptors of the file system tell it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "utils/win32/Handles.h"

// The accounts other than Administrators, SYSTEM, TrustedInstaller and the
// one the wizard runs as that may write, append, delete, change the
// permissions or take ownership of the file or folder Path (or of the open
// File), by name. When the security descriptor cannot be read the system's
// reason stands in their place: nobody can vouch for such an object.
std::vector<std::string> OtherWritersOf(const std::string& Path);
std::vector<std::string> OtherWritersOf(HANDLE File);

// Path opened so that, while the handle lives, nobody can write, rename or
// delete it; others may still read and run it (the copy into the support
// folder and the start of the engine do). Invalid, with GetLastError set,
// when that cannot be had (someone holds it open for writing).
TKernelHandle HoldAgainstChanges(const std::string& Path);
