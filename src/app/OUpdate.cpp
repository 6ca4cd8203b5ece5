// OUpdate: the catalogue is ready in English, the one window is created, and
// the message loop runs until the application is told to terminate.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "text/LangRes.h"
#include "utils/win32/DllSearch.h"
#include "wizard/win32/LauncherForm.h"

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int CmdShow) {
  RestrictDllSearchToSystem32();
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);  // the folder dialogs are shell objects
  LangStrings();
  if (!TLauncherForm::RegisterWindowClasses(Instance)) return 1;

  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);

  int exitCode = 0;
  {
    TLauncherForm LauncherForm(Instance, args);
    if (!LauncherForm.Handle()) return 1;
    if (!LauncherForm.Terminated()) LauncherForm.Show(CmdShow);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (LauncherForm.PreTranslateMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    exitCode = static_cast<int>(msg.wParam);
  }
  OleUninitialize();
  return exitCode;
}
