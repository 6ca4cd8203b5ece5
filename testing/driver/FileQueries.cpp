// The two existence questions, in an object of their own: the Windows tests
// link the wizard's own file-system unit too, which answers them the same
// way, and the linker then takes that one instead of pulling a second copy.
#include <windows.h>

#include "Files.h"

bool DirectoryExists(const std::string& Path) {
  DWORD Attributes = GetFileAttributesA(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& Path) {
  DWORD Attributes = GetFileAttributesA(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
