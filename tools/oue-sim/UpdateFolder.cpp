#include "UpdateFolder.h"

#include <windows.h>

namespace oue_sim {
namespace {

class TFindHandle {
 public:
  explicit TFindHandle(HANDLE handle) : handle_(handle) {}
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  ~TFindHandle() {
    if (Valid()) FindClose(handle_);
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

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
  if (!find.Valid()) return names;
  do {
    const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((data.dwFileAttributes & skip) == 0) names.push_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  return names;
}

}  // namespace oue_sim
