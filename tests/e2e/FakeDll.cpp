// A stand-in for a system DLL, placed beside the wizard by the DLL search
// test: it records that it was loaded (a file "<its own path>.loaded") and
// refuses to stay, so the process goes on without it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID) {
  if (Reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8];
  DWORD n = GetModuleFileNameA(Instance, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return FALSE;
  lstrcatA(path, ".loaded");
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return FALSE;
}
