// A stand-in for a system DLL, placed beside the wizard by the DLL search
// test: it records that it was loaded (a file "<its own path>.loaded") and
// refuses to stay, so the process goes on without it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID) {
  if (Reason != DLL_PROCESS_ATTACH) return TRUE;
  char Path[MAX_PATH + 8];
  DWORD N = GetModuleFileNameA(Instance, Path, MAX_PATH);
  if (N == 0 || N >= MAX_PATH) return FALSE;
  lstrcatA(Path, ".loaded");
  HANDLE File = CreateFileA(Path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File != INVALID_HANDLE_VALUE) CloseHandle(File);
  return FALSE;
}
