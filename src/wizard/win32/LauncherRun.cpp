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

// The one way from the engine's end to the result page. Its reads cannot
// fail, but should anything still throw on the way, the result page comes
// all the same, with the error named in its text and in the log.
void TLauncherForm::OnRunEnded() {
  const std::string Fault = FaultOf([this] { btNextClick(); });
  if (!FResultShown) {
    FEndFault = Fault.empty() ? "the result page was not reached" : Fault;
    ShowPage(pgResult);
    Guard([this] { EnterResultPage(); });
  }
  Guard([this] { UpdateServerLevelLabel(); });
}

void TLauncherForm::edOUEInputKeyPress(char& Key) {
  if (Key == '\r') FRunner.Type(ControlText(ID_edOUEInput) + "\r\n");
}

namespace {
// The failure text's first paragraph: what a run whose verdict is unknown says.
std::string FailureHead() {
  const std::string Failed = GetControlText("txtCompletionStatusInfo", "_Failed");
  return ToCRLF(Failed.substr(0, Failed.find("\r\r")));
}
}  // namespace

// The engine's verdict is known only when all of its output was read.
bool TLauncherForm::RunSucceeded() const { return FRunner.State().Succeeded() && FRunner.EndFault().empty(); }

// What the result page and the log add to the verdict: a fault at the end of
// the run, a running file that lost lines.
std::string TLauncherForm::RunEndNotices() const {
  std::string Notices;
  const std::string& Fault = !FRunner.EndFault().empty() ? FRunner.EndFault() : FEndFault;
  if (!Fault.empty()) Notices += "\r\n\r\n" + ToCRLF(FormatText(GetLangText("str_Message_Run_End_Fault"), {Fault}));
  const TRunningLog& Running = FRunner.RunningLog();
  if (Running.Lost())
    Notices += "\r\n\r\n" +
               ToCRLF(FormatText(GetLangText("str_Message_Running_Log_Lost"), {Running.FileName(), Running.Error()}));
  return Notices;
}

void TLauncherForm::ShowRunResult() {
  TEngineProtocol& Run = FRunner.State();
  const bool Succeeded = RunSucceeded();
  const bool Known = FRunner.EndFault().empty();
  const std::string Level = GetShownLocalUpdateLevel();
  const std::string Notices = RunEndNotices();
  const std::string Text = (Known ? Run.RunResultText(Level) : FailureHead()) + Notices;
  if (!Succeeded) MessageBeep(MB_ICONHAND);
  SetText(ID_txtCompletionStatusInfo, Text);
  // The page shows the latest errors only; the log keeps every one of them.
  const std::string LogText = (Known ? Run.LogResultText(Level) : FailureHead()) + Notices;
  SetText(ID_memOUEOutput, TranscriptRecord(LogText, Run.FTranscript));
  // Unattended, the log is written at the end, for every outcome.
  if (!FOptions.Unattended()) {
    const TLogWrite Log = FRunner.SaveLog(LogText);
    // A log that cannot be written is told, with the output below the notice
    // so the operator can copy it from the page.
    if (!Log.Written)
      SetText(ID_txtCompletionStatusInfo,
              Text + "\r\n\r\n" +
                  ToCRLF(FormatText(GetLangText("str_Message_Log_Not_Written"), {Log.FileName, Log.Error})) +
                  OutputBanner + Run.FTranscript);
  }
  FResultShown = true;
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
