#include "utils/win32/SystemLibrary.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {
HMODULE LoadFromSystem32(const char* Name) {
  HMODULE Module = LoadLibraryExA(Name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Windows 7 without KB2533623 does not know the flag and says so with
  // ERROR_INVALID_PARAMETER; the full path then names the one file we mean.
  if (Module || GetLastError() != ERROR_INVALID_PARAMETER) return Module;
  char Folder[MAX_PATH];
  const UINT N = GetSystemDirectoryA(Folder, MAX_PATH);
  if (N == 0 || N >= MAX_PATH) return nullptr;
  const std::string Path = std::string(Folder, N) + "\\" + Name;
  return LoadLibraryExA(Path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
}  // namespace

TSystemLibrary::TSystemLibrary(const char* Name) : FModule(LoadFromSystem32(Name)) {}
