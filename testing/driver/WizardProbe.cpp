// Runs inside the wizard's process, on a thread of its own: the control is
// asked by a message its own thread answers, and the font handle it gives is
// valid here.
#include "WizardProbe.h"

extern "C" __declspec(dllexport) DWORD WINAPI QueryControlFont(LPVOID Param) {
  auto* Query = static_cast<TFontQuery*>(Param);
  DWORD_PTR Result = 0;
  if (!SendMessageTimeoutW(Query->Control, WM_GETFONT, 0, 0, SMTO_NORMAL, 5000, &Result)) {
    Query->Error = GetLastError() != 0 ? GetLastError() : ERROR_TIMEOUT;
    return 0;
  }
  HFONT Font = reinterpret_cast<HFONT>(Result);
  Query->HasFont = Font != nullptr;
  if (Font == nullptr) Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  if (GetObjectW(Font, sizeof Query->Font, &Query->Font) != sizeof Query->Font) {
    Query->Error = GetLastError() != 0 ? GetLastError() : ERROR_INVALID_HANDLE;
    return 0;
  }
  Query->Error = 0;
  return 1;
}

extern "C" __declspec(dllexport) DWORD WINAPI LoadLibraryByName(LPVOID Name) {
  SetLastError(ERROR_SUCCESS);
  HMODULE Module = LoadLibraryA(static_cast<const char*>(Name));
  if (!Module) return GetLastError() != ERROR_SUCCESS ? GetLastError() : WIZARD_PROBE_LOAD_FAILED;
  FreeLibrary(Module);
  return WIZARD_PROBE_LOADED;
}

extern "C" __declspec(dllexport) DWORD WINAPI RemoveVariable(LPVOID Name) {
  return SetEnvironmentVariableA(static_cast<const char*>(Name), nullptr) ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
