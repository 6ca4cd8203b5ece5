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
  INITCOMMONCONTROLSEX Icc = {sizeof(Icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&Icc);
  OleInitialize(nullptr);  // the folder dialogs are shell objects
  LangStrings();
  if (!TLauncherForm::RegisterWindowClasses(Instance)) return 1;

  // ---- command line and the one-wizard rule ----
  // Split here by the C runtime's rules, so that what a fleet tool quoted
  // arrives whole and the rules are the ones our tests know.
  const TLaunchOptions Options = ParseLaunchOptions([] {
    std::vector<std::string> Args = SplitCommandLine(GetCommandLineA());
    Args.erase(Args.begin());
    return Args;
  }());
  if (!Options.Unattended() && !Options.Error.empty()) {
    const std::string Usage =
        FormatText(GetLangText("str_Message_Command_Line_Invalid"), {Options.Error, UnattendedUsage});
    MessageBoxA(nullptr, Usage.c_str(), GetLangText("str_LauncherForm_Caption").c_str(), MB_OK | MB_ICONERROR);
    return ExitCodeOf(TUnattendedOutcome::BadCommandLine);
  }
  const TWizardLock OneWizard;
  if (!Options.Unattended() && OneWizard.Verdict() == TLockVerdict::Unavailable) {
    const std::string Text = FormatText(GetLangText("str_Message_Wizard_Lock_Unavailable"), {OneWizard.Problem()});
    MessageBoxA(nullptr, Text.c_str(), GetLangText("str_LauncherForm_Caption").c_str(), MB_OK | MB_ICONERROR);
    return ExitCodeOf(TUnattendedOutcome::LockUnavailable);
  }
  if (!Options.Unattended() && OneWizard.Verdict() == TLockVerdict::OtherWizard) {
    // The operator has a wizard open already: that one is what they want to see.
    if (!BringOtherWizardToFront())
      MessageBoxA(nullptr, GetLangText("str_Message_Update_Utility_Already_Running").c_str(),
                  GetLangText("str_LauncherForm_Caption").c_str(), MB_OK | MB_ICONINFORMATION);
    return ExitCodeOf(TUnattendedOutcome::AlreadyRunning);
  }
  // ---- end of command line and the one-wizard rule ----

  int ExitCode = 0;
  {
    TLauncherForm LauncherForm(Instance, Options);
    if (!LauncherForm.Handle()) return 1;
    if (Options.Unattended()) {
      ExitCode = LauncherForm.RunUnattended(OneWizard.Verdict(), OneWizard.Problem(), CmdShow);
    } else {
      if (!LauncherForm.Terminated()) LauncherForm.Show(CmdShow);
      MSG Msg;
      while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
        if (LauncherForm.PreTranslateMessage(Msg)) continue;
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
      }
      ExitCode = static_cast<int>(Msg.wParam);
    }
  }
  OleUninitialize();
  return ExitCode;
}
