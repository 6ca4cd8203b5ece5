#include "Files.h"

#include <windows.h>

#include "DriverError.h"
#include "utils/win32/Handles.h"

namespace {

std::string ParentOf(const std::string& Path) {
  size_t Slash = Path.find_last_of("\\/");
  return Slash == std::string::npos ? std::string() : Path.substr(0, Slash);
}

}  // namespace

std::string WithBackslash(std::string Path) {
  if (Path.empty() || Path.back() != '\\') Path += '\\';
  return Path;
}

std::string WithoutBackslash(std::string Path) {
  if (Path.size() > 3 && Path.back() == '\\') Path.pop_back();
  return Path;
}

bool MakeDirectories(const std::string& Path) {
  std::string Folder = Path;
  while (!Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/')) Folder.pop_back();
  if (Folder.empty() || DirectoryExists(Folder)) return !Folder.empty();
  std::string Parent = ParentOf(Folder);
  // "C:" is a drive, not a folder to create.
  if (!Parent.empty() && !(Parent.size() == 2 && Parent[1] == ':') && !MakeDirectories(Parent)) return false;
  return CreateDirectoryA(Folder.c_str(), nullptr) || DirectoryExists(Folder);
}

bool DeleteTree(const std::string& Path) {
  DWORD Attributes = GetFileAttributesA(Path.c_str());
  if (Attributes == INVALID_FILE_ATTRIBUTES) return true;
  SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if ((Attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return DeleteFileA(Path.c_str()) != 0;
  WIN32_FIND_DATAA Found;
  TFindHandle Find(FindFirstFileA((WithBackslash(Path) + "*").c_str(), &Found));
  if (Find) {
    do {
      std::string Name = Found.cFileName;
      if (Name != "." && Name != "..") DeleteTree(WithBackslash(Path) + Name);
    } while (FindNextFileA(Find.Get(), &Found));
  }
  Find.Reset();
  return RemoveDirectoryA(Path.c_str()) != 0 || !DirectoryExists(Path);
}

void WriteFileBytes(const std::string& Path, const std::string& Bytes) {
  MakeDirectories(ParentOf(Path));
  TKernelHandle File(
      CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD Written = 0;
  if (!File || !WriteFile(File.Get(), Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr) ||
      Written != Bytes.size())
    throw TDriverError("cannot write " + Path + " (error " + std::to_string(GetLastError()) + ")");
}

std::optional<std::string> ReadFileBytes(const std::string& Path) {
  TKernelHandle File(
      CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!File) return std::nullopt;
  std::string Bytes;
  char Chunk[65536];
  DWORD Got = 0;
  while (ReadFile(File.Get(), Chunk, sizeof Chunk, &Got, nullptr) && Got > 0) Bytes.append(Chunk, Got);
  return Bytes;
}

std::vector<std::string> ListFiles(const std::string& Folder, const std::string& Pattern) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAA Found;
  TFindHandle Find(FindFirstFileA((WithBackslash(Folder) + Pattern).c_str(), &Found));
  if (!Find) return Names;
  do {
    if ((Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) Names.emplace_back(Found.cFileName);
  } while (FindNextFileA(Find.Get(), &Found));
  return Names;
}

std::string SelfPath() {
  char Path[MAX_PATH * 4] = {};
  DWORD Length = GetModuleFileNameA(nullptr, Path, sizeof Path);
  return std::string(Path, Length);
}

std::string ProgramFolder() { return WithBackslash(ParentOf(SelfPath())); }

TTempFolder::TTempFolder(const std::string& Name) {
  static LONG Counter = 0;
  char Temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof Temp, Temp);
  FPath = std::string(Temp) + "oupdate-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(InterlockedIncrement(&Counter)) + Name;
  DeleteTree(FPath);
  if (!MakeDirectories(FPath)) throw TDriverError("cannot create " + FPath);
}

TTempFolder::~TTempFolder() { DeleteTree(FPath); }

void TTempFolder::Write(const std::string& Name, const std::string& Bytes) const { WriteFileBytes(File(Name), Bytes); }

void TTempFolder::MakeFolder(const std::string& Name) const {
  if (!CreateDirectoryA(File(Name).c_str(), nullptr)) throw TDriverError("cannot create " + File(Name));
}
