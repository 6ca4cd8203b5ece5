// TLauncherForm: one run of the update engine, from the copies into the
// support folder to the result page and the log file.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "utils/Errors.h"
#include "wizard/ControlIds.h"
#include "wizard/EngineRun.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
// How long one pass of the run loop may spend on engine output before the
// window gets its turn again.
constexpr double PollBudgetMs = 30.0;

class TStopwatch {
 public:
  TStopwatch() {
    QueryPerformanceFrequency(&FFrequency);
    QueryPerformanceCounter(&FStart);
  }
  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - FStart.QuadPart) * 1000.0 / static_cast<double>(FFrequency.QuadPart);
  }

 private:
  LARGE_INTEGER FFrequency, FStart;
};

// Creates a folder with all missing parents; the copy that follows reports
// any failure.
void ForceDirectories(const std::string& Folder) {
  std::string path = Folder;
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (path.empty() || DirectoryExists(path)) return;
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0) ForceDirectories(path.substr(0, slash));
  CreateDirectoryA(path.c_str(), nullptr);
}

std::string MonthAbbreviation(int Month) {
  char name[32] = {};
  if (Month >= 1 && Month <= 12 &&
      GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + (Month - 1), name, sizeof(name)) > 0)
    return name;
  static const char* const english[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return Month >= 1 && Month <= 12 ? english[Month - 1] : "";
}

}  // namespace

void TLauncherForm::InstallToSupportBin(const std::string& FileName) {
  const std::string source = FProgramDir + FileName;
  const std::string target = SupportBinFolder(FInstallRoot) + FileName;
  if (SamePathIgnoringCase(ExpandFileName(source), ExpandFileName(target))) return;

  SetText(ID_txtCurrentStep, FormatText(GetControlText("txtCurrentStep", "_Updating"), {target}));
  RepaintNow(ID_txtCurrentStep);
  FRun.FCurrentStep = ControlText(ID_txtCurrentStep);
  if (FInstallRoot.empty()) throw EAssertionFailed("Assertion failure (LauncherF)");

  ForceDirectories(SupportBinFolder(FInstallRoot));
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (CopyFileA(source.c_str(), target.c_str(), FALSE)) {
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return;
  }
  const DWORD code = GetLastError();
  FRun.FErrorText = CopyFailureText(GetLangText("str_Message_Generic_Error"), code, SysErrorMessage(code), source,
                                    target);
  SetLastError(code);
  RaiseLastOSError();
}

void TLauncherForm::StartEngine() {
  SetControlText(ID_txtCurrentStep, "_Initializing");
  RepaintNow(ID_txtCurrentStep);
  FRun.FCurrentStep = ControlText(ID_txtCurrentStep);

  const std::string arguments = EngineArguments(FNoSnapshot, SnapshotDrive(), ControlText(ID_edUpdateFilesPath));
  const bool minimized = GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) < 0;
  FEngineProcessId = 0;
  if (FEngineOutput && FEngineInput)
    FEngineProcessId = StartChildProcess(FProgramDir + "oue.exe", arguments, minimized,
                                         FEngineInput->OtherEndHandle(), FEngineOutput->OtherEndHandle(),
                                         FEngineOutput->OtherEndHandle(), &FEngineProcess);
  FEngineRunning = true;
  FEngineStartPending = false;

  while (FEngineRunning && !FTerminated) {
    Sleep(50);
    Guard([this] { PollEngineOutput(); });
    ProcessMessages();
  }
}

// Interprets every complete line already received, and goes on reading while
// the engine goes on writing, until the pass has used its budget: the engine
// waits for each of its writes to be read, so reading one line per pass would
// hold it to the pace of the window.
void TLauncherForm::PollEngineOutput() {
  if (!FEngineOutput) return;
  TStopwatch watch;
  for (;;) {
    const std::string line = FEngineOutput->ReadLine();
    if (line == TPipeStream::NoLine) break;
    InterpretEngineLine(line);
    if (watch.ElapsedMs() >= PollBudgetMs) break;
  }
  FlushProgress();
}

// The engine has gone: whatever it wrote is in the pipe or already taken in,
// and all of it is interpreted, a last line without terminator included, so
// that its verdict and its last words are never lost.
void TLauncherForm::DrainEngineOutput() {
  if (!FEngineOutput) return;
  for (;;) {
    const std::string line = FEngineOutput->ReadLine();
    if (line == TPipeStream::NoLine) break;
    InterpretEngineLine(line);
  }
  std::string rest;
  while (FEngineOutput->PeekChar() != '\0') rest += FEngineOutput->ReadChar();
  if (!rest.empty()) InterpretEngineLine(rest);
  FlushProgress();
}

void TLauncherForm::InterpretEngineLine(const std::string& Line) {
  FRun.ProcessEngineLine(Line, *this);
  FRun.AppendTranscript(Line);
}

void TLauncherForm::Timer1Timer() {
  if (!FEngineRunning && !FEngineStartPending) return;
  if (FInTimer) return;  // a tick that arrives while the end of the run is being handled
  if (IsProcessAlive(FEngineProcessId, FEngineProcess.Get())) return;
  FInTimer = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FInTimer};
  FEngineRunning = false;
  DrainEngineOutput();
  btNextClick();
  UpdateServerLevelLabel();
  FEngineStartPending = false;
}

void TLauncherForm::edOUEInputKeyPress(char& Key) {
  if (Key == '\r' && FEngineInput) WriteLine(*FEngineInput, ControlText(ID_edOUEInput));
}

bool TLauncherForm::SaveTranscriptLog(int MemoId, std::string FileName) {
  try {
    if (FileName.empty()) {
      SYSTEMTIME now;
      GetLocalTime(&now);
      FileName = LogFileName(ProgramFilePath(), now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                             MonthAbbreviation(now.wMonth));
    }
    const std::string text = ControlText(MemoId);
    TKernelHandle file(CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE || !file.Get()) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
  } catch (...) {
    return false;
  }
}

void TLauncherForm::ShowRunResult() {
  const bool succeeded = FRun.Succeeded();
  const std::string text = FRun.RunResultText(GetLocalUpdateLevel());
  if (!succeeded) MessageBeep(MB_ICONHAND);
  SetText(ID_txtCompletionStatusInfo, text);
  FitMemoScrollBar(ID_txtCompletionStatusInfo);
  SetText(ID_memOUEOutput, TranscriptRecord(ControlText(ID_txtCompletionStatusInfo), FRun.FTranscript));
  if (!FOptions.Unattended()) SaveTranscriptLog(ID_memOUEOutput, "");  // unattended: at its end, for every outcome
  if (IsIconic(FHandle)) ShowWindow(FHandle, SW_RESTORE);
  BringToFront();
}

// ---- the progress page, applied once per pass ----

void TLauncherForm::ShowSectionTitle(const std::string& Text) {
  FProgress.SectionTitle = Text;
  FProgress.Dirty |= TPendingProgress::dSection;
}

void TLauncherForm::ShowCurrentStep(const std::string& Text) {
  FProgress.CurrentStep = Text;
  FProgress.Dirty |= TPendingProgress::dStep;
}

void TLauncherForm::ShowDetail(const std::string& Text) {
  FProgress.Detail = Text;
  FProgress.Dirty |= TPendingProgress::dDetail;
}

void TLauncherForm::ShowProgress(int BarPosition, int BarMax, const std::string& Title) {
  FProgress.BarPosition = BarPosition;
  FProgress.BarMax = BarMax;
  FProgress.Title = Title;
  FProgress.Dirty |= TPendingProgress::dProgress;
}

void TLauncherForm::RefreshServerLevel() { FProgress.Dirty |= TPendingProgress::dLevel; }

void TLauncherForm::FlushProgress() {
  const unsigned dirty = FProgress.Dirty;
  FProgress.Dirty = 0;
  if (dirty & TPendingProgress::dSection) SetText(ID_lbCurrentStepTitle, FProgress.SectionTitle);
  if (dirty & TPendingProgress::dStep) SetText(ID_txtCurrentStep, FProgress.CurrentStep);
  if (dirty & TPendingProgress::dDetail) SetText(ID_txtProgressDetails, FProgress.Detail);
  if (dirty & TPendingProgress::dProgress) {
    HWND bar = Control(ID_sbarProgress);
    SendMessageA(bar, PBM_SETRANGE32, 0, FProgress.BarMax);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(FProgress.BarPosition), 0);
    SetText(ID_lbProgressTitle, FProgress.Title);
  }
  if (dirty & TPendingProgress::dLevel) UpdateServerLevelLabel();
}
