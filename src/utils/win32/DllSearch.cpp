#include "utils/win32/DllSearch.h"

#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

void RestrictDllSearchToSystem32() {
  // Looked up rather than linked: Windows 7 has it only with KB2533623, and
  // without it the program must still start.
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  auto SetDefault = reinterpret_cast<TSetDefaultDllDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (SetDefault) SetDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Also takes the current folder out of the search where the call above is missing.
  SetDllDirectoryA("");
}
