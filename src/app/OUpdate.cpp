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
#include "wizard/win32/UnattendedSafety.h"

namespace {
// Split here by the C runtime's rules, so that what a fleet tool quoted
// arrives whole and the rules are the ones our tests know.
TLaunchOptions ReadLaunchOptions() {
  std::vector<std::string> Args = SplitCommandLine(GetCommandLineA());
  if (!Args.empty()) Args.erase(Args.begin());
  return ParseLaunchOptions(Args);
}

// Every way out of an unattended run before the walk has its own log writes
// one; an interactive start has the operator at the screen instead.
int EndEarly(const TLaunchOptions& Options, int InteractiveCode, const char* What) {
  return Options.Unattended() ? ReportUnexpected(What) : InteractiveCode;
}

int RunWizard(HINSTANCE Instance, const TLaunchOptions& Options, int CmdShow) {
  INITCOMMONCONTROLSEX Icc = {sizeof(Icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&Icc);
  LangStrings();
  if (!TLauncherForm::RegisterWindowClasses(Instance))
    return EndEarly(Options, 1, "the window classes could not be registered");

  // ---- the one-wizard rule ----
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
  // ---- end of the one-wizard rule ----

  TLauncherForm LauncherForm(Instance, Options);
  if (!LauncherForm.Handle()) return EndEarly(Options, 1, "the window could not be created");
  if (Options.Unattended()) return LauncherForm.RunUnattended(OneWizard.Verdict(), OneWizard.Problem(), CmdShow);
  if (!LauncherForm.Terminated()) LauncherForm.Show(CmdShow);
  MSG Msg;
  while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
    if (LauncherForm.PreTranslateMessage(Msg)) continue;
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
  return static_cast<int>(Msg.wParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int CmdShow) {
  // The command line first (plain parsing, nothing loaded): an unattended
  // run must never wait for a box, from here on.
  const TLaunchOptions Options = ReadLaunchOptions();
  if (Options.Unattended()) ArmUnattendedSafety(Options);
  RestrictDllSearchToSystem32();
  OleInitialize(nullptr);  // the folder dialogs are shell objects
  int ExitCode = 1;
  if (!Options.Unattended()) {
    ExitCode = RunWizard(Instance, Options, CmdShow);
  } else {
    // The one outermost handler: whatever escaped the window's own handlers.
    try {
      ExitCode = RunWizard(Instance, Options, CmdShow);
    } catch (const std::exception& Error) {
      ExitCode = ReportUnexpected(Error.what());
    } catch (...) {
      ExitCode = ReportUnexpected("unknown error");
    }
  }
  OleUninitialize();
  return ExitCode;
}
