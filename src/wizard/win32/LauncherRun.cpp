// TLauncherForm: the window's part of a run of the update engine: the copies
// into the support folder, the start, the progress page, the result page.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "utils/Errors.h"
#include "wizard/ControlIds.h"
#include "wizard/EngineRun.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

void TLauncherForm::InstallToSupportBin(const std::string& FileName) {
  const std::string Source = FProgramDir + FileName;
  const std::string Target = SupportBinFolder(FInstallRoot) + FileName;
  if (SamePathIgnoringCase(ExpandFileName(Source), ExpandFileName(Target))) return;

  SetText(ID_txtCurrentStep, FormatText(GetControlText("txtCurrentStep", "_Updating"), {Target}));
  RepaintNow(ID_txtCurrentStep);
  FRunner.State().FCurrentStep = ControlText(ID_txtCurrentStep);
  if (FInstallRoot.empty()) throw EAssertionFailed("Assertion failure (LauncherF)");

  ForceDirectories(SupportBinFolder(FInstallRoot));
  SetFileAttributesA(Target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (CopyFileA(Source.c_str(), Target.c_str(), FALSE)) {
    SetFileAttributesA(Target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return;
  }
  const DWORD Code = GetLastError();
  FRunner.State().FErrorText =
      CopyFailureText(GetLangText("str_Message_Generic_Error"), Code, SysErrorMessage(Code), Source, Target);
  SetLastError(Code);
  RaiseLastOSError();
}

void TLauncherForm::StartEngine() {
  SetControlText(ID_txtCurrentStep, "_Initializing");
  RepaintNow(ID_txtCurrentStep);
  FRunner.State().FCurrentStep = ControlText(ID_txtCurrentStep);

  const std::string Arguments = EngineArguments(FNoSnapshot, SnapshotDrive(), ControlText(ID_edUpdateFilesPath));
  const bool Minimized = GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) < 0;
  FRunner.Run(FProgramDir + "oue.exe", Arguments, Minimized, FHandle);
}

void TLauncherForm::Timer1Timer() { FRunner.NoticeEnd(); }

void TLauncherForm::OnRunEnded() {
  btNextClick();
  UpdateServerLevelLabel();
}

void TLauncherForm::edOUEInputKeyPress(char& Key) {
  if (Key == '\r') FRunner.Type(ControlText(ID_edOUEInput) + "\r\n");
}

void TLauncherForm::ShowRunResult() {
  TEngineProtocol& Run = FRunner.State();
  const bool Succeeded = Run.Succeeded();
  const std::string Level = GetShownLocalUpdateLevel();
  const std::string Text = Run.RunResultText(Level);
  if (!Succeeded) MessageBeep(MB_ICONHAND);
  SetText(ID_txtCompletionStatusInfo, Text);
  // The page shows the latest errors only; the log keeps every one of them.
  const std::string LogText = Run.LogResultText(Level);
  SetText(ID_memOUEOutput, TranscriptRecord(LogText, Run.FTranscript));
  // Unattended, the log is written at the end, for every outcome.
  if (!FOptions.Unattended()) {
    const TLogWrite Log = FRunner.SaveLog("", LogText);
    // A log that cannot be written is told, with the output below the notice
    // so the operator can copy it from the page.
    if (!Log.Written)
      SetText(ID_txtCompletionStatusInfo,
              Text + "\r\n\r\n" +
                  ToCRLF(FormatText(GetLangText("str_Message_Log_Not_Written"), {Log.FileName, Log.Error})) +
                  OutputBanner + Run.FTranscript);
  }
  FitMemoScrollBar(ID_txtCompletionStatusInfo);
  if (IsIconic(FHandle)) ShowWindow(FHandle, SW_RESTORE);
  BringToFront();
}

// ---- the progress page, told once per pass of the run loop ----

void TLauncherForm::ShowSectionTitle(const std::string& Text) { SetText(ID_lbCurrentStepTitle, Text); }

void TLauncherForm::ShowCurrentStep(const std::string& Text) { SetText(ID_txtCurrentStep, Text); }

void TLauncherForm::ShowDetail(const std::string& Text) { SetText(ID_txtProgressDetails, Text); }

void TLauncherForm::ShowProgress(int BarPosition, int BarMax, const std::string& Title) {
  HWND Bar = Control(ID_sbarProgress);
  SendMessageA(Bar, PBM_SETRANGE32, 0, BarMax);
  SendMessageA(Bar, PBM_SETPOS, static_cast<WPARAM>(BarPosition), 0);
  SetText(ID_lbProgressTitle, Title);
}

void TLauncherForm::RefreshServerLevel() { UpdateServerLevelLabel(); }
