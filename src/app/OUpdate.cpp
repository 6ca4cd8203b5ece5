// OUpdate: the catalogue is ready in English, the one window is created, and
// the message loop runs until the application is told to terminate.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/LaunchOptions.h"
#include "wizard/UnattendedOutcome.h"
#include "utils/win32/DllSearch.h"
#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/SingleWizard.h"

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int CmdShow) {
  RestrictDllSearchToSystem32();
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);  // the folder dialogs are shell objects
  LangStrings();
  if (!TLauncherForm::RegisterWindowClasses(Instance)) return 1;

  // ---- command line and the one-wizard rule ----
  // Split here by the C runtime's rules, so that what a fleet tool quoted
  // arrives whole and the rules are the ones our tests know.
  const TLaunchOptions options = ParseLaunchOptions([] {
    std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    args.erase(args.begin());
    return args;
  }());
  if (!options.Unattended() && !options.Error.empty()) {
    const std::string usage =
        FormatText(GetLangText("str_Message_Command_Line_Invalid"), {options.Error, UnattendedUsage});
    MessageBoxA(nullptr, usage.c_str(), GetLangText("str_LauncherForm_Caption").c_str(), MB_OK | MB_ICONERROR);
    return ExitCodeOf(TUnattendedOutcome::BadCommandLine);
  }
  const TWizardMutex oneWizard;
  if (!options.Unattended() && !oneWizard.Owned()) {
    // The operator has a wizard open already: that one is what they want to see.
    if (!BringOtherWizardToFront())
      MessageBoxA(nullptr, GetLangText("str_Message_Update_Utility_Already_Running").c_str(),
                  GetLangText("str_LauncherForm_Caption").c_str(), MB_OK | MB_ICONINFORMATION);
    return ExitCodeOf(TUnattendedOutcome::AlreadyRunning);
  }
  // ---- end of command line and the one-wizard rule ----

  int exitCode = 0;
  {
    TLauncherForm LauncherForm(Instance, options);
    if (!LauncherForm.Handle()) return 1;
    if (options.Unattended()) {
      exitCode = LauncherForm.RunUnattended(oneWizard.Owned(), CmdShow);
    } else {
      if (!LauncherForm.Terminated()) LauncherForm.Show(CmdShow);
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (LauncherForm.PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      exitCode = static_cast<int>(msg.wParam);
    }
  }
  OleUninitialize();
  return exitCode;
}
