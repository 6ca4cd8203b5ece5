#include "wizard/win32/FileSystem.h"

#include "utils/win32/Handles.h"
#include "wizard/UpdateFiles.h"


bool FileExists(const std::string& Path) {
  DWORD a = GetFileAttributesA(Path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& Path) {
  if (Path.empty()) return false;
  DWORD a = GetFileAttributesA(Path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ExpandFileName(const std::string& Path) {
  if (Path.empty()) return Path;
  char buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(Path.c_str(), sizeof(buf), buf, nullptr);
  return n > 0 && n < sizeof(buf) ? std::string(buf, n) : Path;
}

UINT DriveTypeOfPath(const std::string& Path) {
  std::string root = DrivePart(ExpandFileName(Path));
  if (root.empty()) return DRIVE_NO_ROOT_DIR;
  root += '\\';
  // No "insert a disk" box for an empty removable drive.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  UINT type = GetDriveTypeA(root.c_str());
  SetErrorMode(oldMode);
  return type;
}

std::string ProgramFilePath() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  return std::string(path, n);
}

std::string ProgramFileName() {
  std::string p = ProgramFilePath();
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::vector<std::string> FindOrdinaryFiles(const std::string& Pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  TFindHandle find(FindFirstFileA(Pattern.c_str(), &fd));
  SetErrorMode(oldMode);
  if (!find.IsValid()) return names;
  const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (!(fd.dwFileAttributes & excluded)) names.emplace_back(fd.cFileName);
  } while (FindNextFileA(find.Get(), &fd));
  return names;
}

void ForceDirectories(const std::string& Folder) {
  std::string path = Folder;
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (path.empty() || DirectoryExists(path)) return;
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0) ForceDirectories(path.substr(0, slash));
  CreateDirectoryA(path.c_str(), nullptr);
}
