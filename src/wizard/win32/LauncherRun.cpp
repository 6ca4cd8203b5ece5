// TLauncherForm: one run of the update engine, from the copies into the
// support folder to the result page and the log file.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "utils/Errors.h"
#include "wizard/ControlIds.h"
#include "wizard/EngineRun.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

#include <algorithm>

namespace {
// How long one pass of the run loop may spend on engine output before the
// window gets its turn again.
constexpr double PollBudgetMs = 30.0;
// Once the engine has gone and what it left in the pipe is read, how long
// output that still arrives is read: a process the engine started may hold
// the pipe and write into it for ever.
constexpr double DrainGraceMs = 500.0;
// Modal loops (the close refusal, the error display) do not let the run loop
// turn but keep dispatching timers: this one keeps the engine's pipes moving
// while a box waits for the operator.
constexpr UINT_PTR PollTimer = 2;
constexpr UINT PollTimerMs = 50;

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
  try {
    FRunningLog.Open(FreeRunningLogName(ProgramFilePath()));
  } catch (const std::exception&) {
    // No free name: the log falls back to the last part of the output.
  }
  // Modal loops (a message box of this window) keep dispatching timers: the
  // run goes on from the timer while a box waits for the operator.
  SetTimer(FHandle, PollTimer, PollTimerMs, PollTimerProc);

  while (FEngineRunning && !FTerminated) {
    // The engine waits for each of its writes to be read: with output still
    // waiting, the window's turn below is the only pause it gets.
    if (!FOutputBacklog) Sleep(50);
    Guard([this] { RunPass(); });
    ProcessMessages();
  }
}

void CALLBACK TLauncherForm::PollTimerProc(HWND Hwnd, UINT, UINT_PTR, DWORD) {
  auto* form = reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(Hwnd, GWLP_USERDATA));
  if (form && form->FEngineRunning) form->Guard([form] { form->RunPass(); });
}

// What the operator typed goes out as far as the pipe takes it; what the
// engine wrote comes in.
void TLauncherForm::RunPass() {
  FeedEngineInput();
  PollEngineOutput();
}

// Interprets every complete line already received, and goes on reading while
// the engine goes on writing, until the pass has used its budget: the engine
// waits for each of its writes to be read, so reading one line per pass would
// hold it to the pace of the window.
void TLauncherForm::PollEngineOutput() {
  FOutputBacklog = false;
  if (!FEngineOutput) return;
  TStopwatch watch;
  for (;;) {
    const std::string line = FEngineOutput->ReadLine();
    // A no-line while bytes still wait is a read that stopped inside a long
    // line; the budget below decides whether this pass goes on with it.
    if (line == TPipeStream::NoLine) {
      if (FEngineOutput->BytesWaiting() == 0) break;
    } else {
      InterpretEngineLine(line);
    }
    if (watch.ElapsedMs() >= PollBudgetMs) {
      FOutputBacklog = true;
      break;
    }
  }
  FRunningLog.Flush();
  FlushProgress();
}

// The engine has gone: whatever it wrote is in the pipe or already taken in,
// and all of it is interpreted, a last line without terminator included, so
// that its verdict and its last words are never lost. What arrives after
// that comes from someone else (a process the engine started and left
// holding the pipe): it is read for a moment at most, never waited out.
void TLauncherForm::DrainEngineOutput() {
  if (!FEngineOutput) return;
  std::size_t owed = FEngineOutput->BytesWaiting() + FEngineOutput->PendingSize();
  std::size_t lastWaiting = 0;
  TStopwatch watch;
  bool emptied = false;
  for (;;) {
    const std::string line = FEngineOutput->ReadLine();
    if (line != TPipeStream::NoLine) {
      InterpretEngineLine(line);
      owed -= std::min(owed, line.size() + 1);
      if (owed == 0 && watch.ElapsedMs() >= DrainGraceMs) break;
      continue;
    }
    // A long line comes in 64 KB at a time: go on while the pipe still gives
    // bytes, but never past the grace time (a writer that is still there).
    const std::size_t waiting = FEngineOutput->BytesWaiting();
    if (waiting == 0 || waiting == lastWaiting || watch.ElapsedMs() >= DrainGraceMs) {
      emptied = true;
      break;
    }
    lastWaiting = waiting;
  }
  if (emptied) {
    // Exactly what is pending: taking characters until none is left would
    // take in whatever a writer that is still there goes on adding.
    std::string rest;
    for (std::size_t n = FEngineOutput->PendingSize(); n > 0; --n) rest += FEngineOutput->ReadChar();
    if (!rest.empty()) InterpretEngineLine(rest);
  }
  FRunningLog.Flush();
  FlushProgress();
}

void TLauncherForm::InterpretEngineLine(const std::string& Line) {
  FRun.ProcessEngineLine(Line, *this);
  FRun.AppendTranscript(Line);
  FRunningLog.Append(Line);
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
  KillTimer(FHandle, PollTimer);
  FEngineInputQueue.clear();
  DWORD exitCode = 0;
  if (FEngineProcess && GetExitCodeProcess(FEngineProcess.Get(), &exitCode)) FRun.EngineEnded(exitCode);
  DrainEngineOutput();
  btNextClick();
  UpdateServerLevelLabel();
  FEngineStartPending = false;
}

void TLauncherForm::edOUEInputKeyPress(char& Key) {
  if (Key != '\r' || !FEngineInput) return;
  // Only a running engine reads its input: a line typed after its end would
  // wait in the pipe for nobody.
  if (!FEngineRunning || !IsProcessAlive(FEngineProcessId, FEngineProcess.Get())) return;
  FEngineInputQueue += ControlText(ID_edOUEInput) + "\r\n";
  FeedEngineInput();
}

// Writes as much of the operator's input as the pipe takes at once; the rest
// goes out on later passes as the engine reads. A write that waited for the
// engine would hold the window for as long as the engine does not read.
void TLauncherForm::FeedEngineInput() {
  if (FEngineInputQueue.empty() || !FEngineInput) return;
  const std::size_t room = std::min(FEngineInput->RoomToWrite(), FEngineInputQueue.size());
  if (room == 0) return;
  const std::string part = FEngineInputQueue.substr(0, room);
  FEngineInputQueue.erase(0, room);
  try {
    FEngineInput->WriteBuffer(part.data(), part.size());
  } catch (...) {
    FEngineInputQueue.clear();  // reported once, not on every pass
    throw;
  }
}

TLogWrite TLauncherForm::SaveTranscriptLog(std::string FileName, const std::string& ResultText) {
  TLogWrite Log;
  try {
    if (FileName.empty()) FileName = FreeDatedLogName(ProgramFilePath());
  } catch (const std::exception& Error) {
    Log.Error = Error.what();
    return Log;
  }
  Log = WriteRunLog(FileName, ResultText, FRunningLog, FRun.FTranscript);
  if (Log.Written) FRunningLog.Remove();
  return Log;
}

void TLauncherForm::ShowRunResult() {
  const bool succeeded = FRun.Succeeded();
  const std::string level = GetShownLocalUpdateLevel();
  const std::string text = FRun.RunResultText(level);
  if (!succeeded) MessageBeep(MB_ICONHAND);
  SetText(ID_txtCompletionStatusInfo, text);
  // The page shows the latest errors only; the log keeps every one of them.
  const std::string logText = FRun.LogResultText(level);
  SetText(ID_memOUEOutput, TranscriptRecord(logText, FRun.FTranscript));
  // Unattended, the log is written at the end, for every outcome.
  if (!FOptions.Unattended()) {
    const TLogWrite log = SaveTranscriptLog("", logText);
    // A log that cannot be written is told, with the output below the notice
    // so the operator can copy it from the page.
    if (!log.Written)
      SetText(ID_txtCompletionStatusInfo,
              text + "\r\n\r\n" +
                  ToCRLF(FormatText(GetLangText("str_Message_Log_Not_Written"), {log.FileName, log.Error})) +
                  OutputBanner + FRun.FTranscript);
  }
  FitMemoScrollBar(ID_txtCompletionStatusInfo);
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
