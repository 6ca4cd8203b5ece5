#include "wizard/win32/FileSystem.h"

#include "utils/win32/Handles.h"
#include "wizard/UpdateFiles.h"

bool FileExists(const std::string& Path) {
  DWORD A = GetFileAttributesA(Path.c_str());
  return A != INVALID_FILE_ATTRIBUTES && !(A & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& Path) {
  if (Path.empty()) return false;
  DWORD A = GetFileAttributesA(Path.c_str());
  return A != INVALID_FILE_ATTRIBUTES && (A & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ExpandFileName(const std::string& Path) {
  if (Path.empty()) return Path;
  char Buf[MAX_PATH * 4];
  DWORD N = GetFullPathNameA(Path.c_str(), sizeof(Buf), Buf, nullptr);
  return N > 0 && N < sizeof(Buf) ? std::string(Buf, N) : Path;
}

UINT DriveTypeOfPath(const std::string& Path) {
  std::string Root = DrivePart(ExpandFileName(Path));
  if (Root.empty()) return DRIVE_NO_ROOT_DIR;
  Root += '\\';
  // No "insert a disk" box for an empty removable drive.
  UINT OldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  UINT Type = GetDriveTypeA(Root.c_str());
  SetErrorMode(OldMode);
  return Type;
}

std::string ProgramFilePath() {
  char Path[MAX_PATH * 4];
  DWORD N = GetModuleFileNameA(nullptr, Path, sizeof(Path));
  return std::string(Path, N);
}

std::string ProgramFileName() {
  std::string P = ProgramFilePath();
  size_t Slash = P.find_last_of("\\/");
  return Slash == std::string::npos ? P : P.substr(Slash + 1);
}

std::vector<std::string> FindOrdinaryFiles(const std::string& Pattern) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAA Fd;
  UINT OldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  TFindHandle Find(FindFirstFileA(Pattern.c_str(), &Fd));
  SetErrorMode(OldMode);
  if (!Find.IsValid()) return Names;
  const DWORD Excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (!(Fd.dwFileAttributes & Excluded)) Names.emplace_back(Fd.cFileName);
  } while (FindNextFileA(Find.Get(), &Fd));
  return Names;
}

void ForceDirectories(const std::string& Folder) {
  std::string Path = Folder;
  while (!Path.empty() && (Path.back() == '\\' || Path.back() == '/')) Path.pop_back();
  if (Path.empty() || DirectoryExists(Path)) return;
  size_t Slash = Path.find_last_of("\\/");
  if (Slash != std::string::npos && Slash > 0) ForceDirectories(Path.substr(0, Slash));
  CreateDirectoryA(Path.c_str(), nullptr);
}
