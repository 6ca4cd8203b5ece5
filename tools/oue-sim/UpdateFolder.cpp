#include "UpdateFolder.h"

#include <windows.h>

#include "utils/win32/Handles.h"

namespace oue_sim {

bool FolderExists(const std::string& dir) {
  const DWORD attributes = GetFileAttributesA(dir.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> ListUpdateFileNames(const std::string& dir) {
  std::string pattern = dir;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += "Orvane-*.oue";

  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  TFindHandle find(FindFirstFileA(pattern.c_str(), &data));
  if (!find) return names;
  do {
    const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((data.dwFileAttributes & skip) == 0) names.push_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  return names;
}

}  // namespace oue_sim
