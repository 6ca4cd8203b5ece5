#include "UpdateFolder.h"

#include <windows.h>

#include "utils/win32/Handles.h"

namespace oue_sim {

bool FolderExists(const std::string& Dir) {
  const DWORD Attributes = GetFileAttributesA(Dir.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> ListUpdateFileNames(const std::string& Dir) {
  std::string Pattern = Dir;
  if (!Pattern.empty() && Pattern.back() != '\\' && Pattern.back() != '/') Pattern += '\\';
  Pattern += "Orvane-*.oue";

  std::vector<std::string> Names;
  WIN32_FIND_DATAA Data;
  TFindHandle Find(FindFirstFileA(Pattern.c_str(), &Data));
  if (!Find) return Names;
  do {
    const DWORD Skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((Data.dwFileAttributes & Skip) == 0) Names.push_back(Data.cFileName);
  } while (FindNextFileA(Find.Get(), &Data));
  return Names;
}

}  // namespace oue_sim
