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
  const std::string source = FProgramDir + FileName;
  const std::string target = SupportBinFolder(FInstallRoot) + FileName;
  if (SamePathIgnoringCase(ExpandFileName(source), ExpandFileName(target))) return;

  SetText(ID_txtCurrentStep, FormatText(GetControlText("txtCurrentStep", "_Updating"), {target}));
  RepaintNow(ID_txtCurrentStep);
  FRunner.State().FCurrentStep = ControlText(ID_txtCurrentStep);
  if (FInstallRoot.empty()) throw EAssertionFailed("Assertion failure (LauncherF)");

  ForceDirectories(SupportBinFolder(FInstallRoot));
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (CopyFileA(source.c_str(), target.c_str(), FALSE)) {
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return;
  }
  const DWORD code = GetLastError();
  FRunner.State().FErrorText =
      CopyFailureText(GetLangText("str_Message_Generic_Error"), code, SysErrorMessage(code), source, target);
  SetLastError(code);
  RaiseLastOSError();
}

void TLauncherForm::StartEngine() {
  SetControlText(ID_txtCurrentStep, "_Initializing");
  RepaintNow(ID_txtCurrentStep);
  FRunner.State().FCurrentStep = ControlText(ID_txtCurrentStep);

  const std::string arguments = EngineArguments(FNoSnapshot, SnapshotDrive(), ControlText(ID_edUpdateFilesPath));
  const bool minimized = GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) < 0;
  FRunner.Run(FProgramDir + "oue.exe", arguments, minimized, FHandle);
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
  TEngineProtocol& run = FRunner.State();
  const bool succeeded = run.Succeeded();
  const std::string level = GetShownLocalUpdateLevel();
  const std::string text = run.RunResultText(level);
  if (!succeeded) MessageBeep(MB_ICONHAND);
  SetText(ID_txtCompletionStatusInfo, text);
  // The page shows the latest errors only; the log keeps every one of them.
  const std::string logText = run.LogResultText(level);
  SetText(ID_memOUEOutput, TranscriptRecord(logText, run.FTranscript));
  // Unattended, the log is written at the end, for every outcome.
  if (!FOptions.Unattended()) {
    const TLogWrite log = FRunner.SaveLog("", logText);
    // A log that cannot be written is told, with the output below the notice
    // so the operator can copy it from the page.
    if (!log.Written)
      SetText(ID_txtCompletionStatusInfo,
              text + "\r\n\r\n" +
                  ToCRLF(FormatText(GetLangText("str_Message_Log_Not_Written"), {log.FileName, log.Error})) +
                  OutputBanner + run.FTranscript);
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
  HWND bar = Control(ID_sbarProgress);
  SendMessageA(bar, PBM_SETRANGE32, 0, BarMax);
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(BarPosition), 0);
  SetText(ID_lbProgressTitle, Title);
}

void TLauncherForm::RefreshServerLevel() { UpdateServerLevelLabel(); }
