// Small file-system questions the wizard asks, answered by Windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

bool FileExists(const std::string& Path);  // an existing file, not a folder
bool DirectoryExists(const std::string& Path);
// Creates a folder with all missing parents; whatever then writes into it
// reports a failure.
void ForceDirectories(const std::string& Folder);
std::string ExpandFileName(const std::string& Path);  // full path (GetFullPathNameA)
// Drive type of the drive a path lies on: a letter drive or a UNC share.
UINT DriveTypeOfPath(const std::string& Path);
// The wizard's own executable: full path and file name.
std::string ProgramFilePath();
std::string ProgramFileName();
// Names of the ordinary files (not hidden, not system, not folders) that a
// search pattern matches, in the order the file system gives them.
std::vector<std::string> FindOrdinaryFiles(const std::string& Pattern);
