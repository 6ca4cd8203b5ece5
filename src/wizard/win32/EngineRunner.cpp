// TEngineRunner: the engine's start, the run loop and its passes, the end of
// the run, the operator's input and the run's log.
#include "wizard/win32/EngineRunner.h"

#include "utils/Errors.h"
#include "utils/win32/Processes.h"
#include "wizard/EngineRun.h"
#include "wizard/win32/FileSystem.h"

#include <algorithm>

namespace {
// The engine waits for every write of its output to be read; a pipe that
// holds 64 KB lets it go on writing while the window sleeps between passes.
constexpr DWORD EngineOutputPipeSize = 64 * 1024;
// Room for what an operator types while the engine is busy: input goes out
// only as far as the pipe takes it without waiting, and never more than this
// in one write (a write larger than the whole pipe could never be taken).
constexpr DWORD EngineInputPipeSize = 4096;
// How much of one line without a break is held in memory at most: the rest
// goes on to the running file as the line comes, and the run interprets
// only this much of it (more than any label or text of the run keeps).
constexpr std::size_t LinePartLimit = 64 * 1024;
// How long one pass of the run loop may spend on engine output before the
// window gets its turn again.
constexpr double PollBudgetMs = 30.0;
// Lines (or parts of a long line, at most LinePartLimit each) between two
// looks at the budget.
constexpr unsigned BudgetCheckLines = 32;
// Once the engine has gone and what it left in the pipe is read, how long
// output that still arrives is read: a process the engine started may hold
// the pipe and write into it for ever.
constexpr double DrainGraceMs = 500.0;
// Modal loops (the close refusal, the error display) do not let the run loop
// turn but keep dispatching timers: this one keeps the engine's pipes moving
// while a box waits for the operator.
constexpr UINT PollTimerMs = 50;
// The run loop's pause when the last pass left no output waiting.
constexpr DWORD IdlePauseMs = 20;

class TStopwatch {
 public:
  TStopwatch() {
    QueryPerformanceFrequency(&FFrequency);
    QueryPerformanceCounter(&FStart);
  }
  double ElapsedMs() const {
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    return static_cast<double>(Now.QuadPart - FStart.QuadPart) * 1000.0 / static_cast<double>(FFrequency.QuadPart);
  }

 private:
  LARGE_INTEGER FFrequency, FStart;
};

// Sets a flag for as long as it lives, an exception's way out included.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};
}  // namespace

TEngineRunner::~TEngineRunner() { StopPollTimer(); }

void TEngineRunner::OpenPipes() {
  FEngineOutput.reset(new TPipeStream(TPipeStream::ReadEnd, EngineOutputPipeSize));
  FEngineInput.reset(new TPipeStream(TPipeStream::WriteEnd, EngineInputPipeSize));
  // The operator's input is written by the window itself, on a write end
  // that never waits: a full pipe takes nothing and the rest stays queued
  // for a later pass. Not a writer thread: one thread keeps the input's
  // order, its queue and its end with the run without any locking, and a
  // thread blocked in a write to an engine that never reads again could not
  // be ended with the run.
  FEngineInput->NeverWait();
}

void TEngineRunner::ClosePipes() {
  FEngineInput.reset();
  FEngineOutput.reset();
}

// The engine gets its ends of the two pipes, and the wizard lets go of its
// own copies of them at once, as one does with a child's pipes:
// - the output's end shows as a broken pipe once the engine (and anything
//   it started on the pipe) has gone, which ends the drain;
// - nothing the wizard does can touch the file object the engine reads its
//   input from. On Windows every call on a synchronous file object waits
//   for the one before it: a PeekNamedPipe on that read end waits for the
//   engine's ReadFile, which waits for the operator's line, which the
//   window would then never send ("All I/O on a synchronous file handle is
//   serialized"; PeekNamedPipe's remarks say so of itself). Wine does not
//   serialise these calls, so no test here can show the hang.
void TEngineRunner::StartEngine(const std::string& ProgramPath, const std::string& Arguments, bool Minimized) {
  FEngineProcessId = 0;
  if (FEngineOutput && FEngineInput)
    FEngineProcessId = StartChildOnPipes(EngineCommandLine(ProgramPath, Arguments), Minimized, *FEngineInput,
                                         *FEngineOutput, &FEngineProcess);
  FHeldUntilStarted.Reset();
}

void TEngineRunner::Run(const std::string& ProgramPath, const std::string& Arguments, bool Minimized, HWND Window) {
  StartEngine(ProgramPath, Arguments, Minimized);
  FEngineRunning = true;
  FEngineStartPending = false;
  OpenRunningLog();
  // Modal loops (a message box of the window) keep dispatching timers: the
  // run goes on from the timer while a box waits for the operator. The
  // timer's ID is this runner, so that its procedure finds its way back.
  FWindow = Window;
  SetTimer(FWindow, reinterpret_cast<UINT_PTR>(this), PollTimerMs, PollTimerProc);

  while (FEngineRunning && !FHost.Terminated()) {
    // The engine waits for each of its writes to be read: with output still
    // waiting, or just read, the window's turn below is the only pause it
    // gets; a quiet engine is looked at again after a short pause.
    if (!FOutputBacklog && !FOutputSeen) Sleep(IdlePauseMs);
    FHost.Guard([this] { RunPass(); });
    FHost.ProcessMessages();
    // The window's one-second timer would tell the end up to a second late.
    if (FEngineRunning && EngineGone()) FHost.Guard([this] { NoticeEnd(); });
  }
}

bool TEngineRunner::EngineGone() {
  return (FEngineOutput && FEngineOutput->Ended()) || !IsProcessAlive(FEngineProcessId, FEngineProcess.Get());
}

void CALLBACK TEngineRunner::PollTimerProc(HWND, UINT, UINT_PTR Id, DWORD) {
  auto* Runner = reinterpret_cast<TEngineRunner*>(Id);
  if (Runner->FEngineRunning) Runner->FHost.Guard([Runner] { Runner->RunPass(); });
}

void TEngineRunner::StopPollTimer() {
  if (FWindow) KillTimer(FWindow, reinterpret_cast<UINT_PTR>(this));
  FWindow = nullptr;
}

// What the operator typed goes out as far as the pipe takes it; what the
// engine wrote comes in.
//
// Two callers turn passes: the run loop, and the poll timer while a modal
// box holds the loop. Both run on the window's thread, so they take turns;
// while the loop turns, the timer's pass comes between two of its passes
// (dispatched by the window's turn) and is one more pass like them: it only
// takes what the pipe already holds and writes what the pipe takes without
// waiting, so a second pass in a row finds less to do, never a different
// order of lines. A pass itself must never run inside another: if anything
// it calls opened a modal loop, the timer would start a pass halfway through
// this one's lines and the transcript, the running log and the page would
// see them out of order. Such a nested pass returns at once; the outer pass
// goes on with the lines.
void TEngineRunner::RunPass() {
  if (FInPass) return;
  TFlagScope InPass(FInPass);
  FeedEngineInput();
  PollEngineOutput();
}

// Interprets every complete line already received, and goes on reading while
// the engine goes on writing, until the pass has used its budget: the engine
// waits for each of its writes to be read, so reading one line per pass would
// hold it to the pace of the window.
void TEngineRunner::PollEngineOutput() {
  FOutputBacklog = false;
  FOutputSeen = false;
  if (!FEngineOutput) return;
  TStopwatch Watch;
  for (unsigned Turn = 1;; ++Turn) {
    bool Complete = false;
    // A no-line while bytes still wait is a read that stopped inside a long
    // line; the budget below decides whether this pass goes on with it.
    if (!FEngineOutput->ReadLinePart(FLineText, LinePartLimit, Complete)) {
      if (FEngineOutput->BytesWaiting() == 0) break;
    } else {
      TakeEngineText(FLineText, Complete);
      FOutputSeen = true;
    }
    // The clock is read every few lines only: in a flood of short lines,
    // reading it costs as much as taking the line.
    if (Turn % BudgetCheckLines == 0 && Watch.ElapsedMs() >= PollBudgetMs) {
      FOutputBacklog = true;
      break;
    }
  }
  EndPass();
}

// The engine has gone: whatever it wrote is in the pipe or already taken in,
// and all of it is interpreted, a last line without terminator included, so
// that its verdict and its last words are never lost. The pipe tells its own
// end (broken) once nobody holds it any more; what arrives after the
// engine's share comes from someone else (a process the engine started and
// left holding the pipe): it is read for a moment at most, never waited out.
// Reads take whole blocks of what the pipe holds.
void TEngineRunner::DrainEngineOutput() {
  if (!FEngineOutput) return;
  std::size_t Owed = FEngineOutput->BytesWaiting();
  TStopwatch Watch;
  for (;;) {
    bool Complete = false;
    if (FEngineOutput->ReadLinePart(FLineText, LinePartLimit, Complete)) {
      TakeEngineText(FLineText, Complete);
      Owed -= std::min(Owed, FLineText.size() + (Complete ? 1 : 0));
      if (Owed == 0 && Watch.ElapsedMs() >= DrainGraceMs) break;
      continue;
    }
    if (FEngineOutput->Ended() || FEngineOutput->BytesWaiting() == 0 || Watch.ElapsedMs() >= DrainGraceMs) break;
  }
  // Exactly what is pending, in one piece: taking bytes until none is left
  // would take in whatever a writer that is still there goes on adding.
  const std::string Rest = FEngineOutput->TakePending();
  if (!Rest.empty() || FLineGoesOn) TakeEngineText(Rest, true);
  EndPass();
}

// A line comes whole, or, when it is long, in parts: every part goes on to
// the running file and the transcript as it comes, and the run interprets
// the line's start once its end has come.
void TEngineRunner::TakeEngineText(const std::string& Text, bool Complete) {
  if (Complete && !FLineGoesOn) {
    InterpretEngineLine(Text);
    return;
  }
  if (!FLineGoesOn) FLineStart.clear();
  if (FLineStart.size() < LinePartLimit) FLineStart.append(Text, 0, LinePartLimit - FLineStart.size());
  FRun.AppendTranscript(Text, !FLineGoesOn);
  FRunningLog.Append(Text, Complete);
  FLineGoesOn = !Complete;
  if (Complete) {
    FRun.ProcessEngineLine(FLineStart, FProgress);
    FLineStart.clear();
  }
}

void TEngineRunner::InterpretEngineLine(const std::string& Line) {
  FRun.ProcessEngineLine(Line, FProgress);
  FRun.AppendTranscript(Line);
  FRunningLog.Append(Line);
}

// The lines of the pass reach the disk in one write, and the page once.
void TEngineRunner::EndPass() {
  FRunningLog.Flush();
  FProgress.Flush(FView);
}

void TEngineRunner::NoticeEnd() {
  if (!FEngineRunning && !FEngineStartPending) return;
  if (FEnding) return;  // a tick that arrives while the end of the run is being handled
  if (FInPass) return;  // the drain would read between a pass's lines; the next tick ends the run
  if (IsProcessAlive(FEngineProcessId, FEngineProcess.Get())) return;
  TFlagScope Ending(FEnding);
  FEngineRunning = false;
  StopPollTimer();
  FEngineInputQueue.clear();
  DWORD ExitCode = 0;
  if (FEngineProcess && GetExitCodeProcess(FEngineProcess.Get(), &ExitCode)) FRun.EngineEnded(ExitCode);
  // Nothing comes after this tick to end the run: whatever goes wrong on the
  // way, the window is told, and it shows a result and writes the log.
  FEndFault = FaultOf([this] { DrainEngineOutput(); });
  FEngineStartPending = false;
  FView.OnRunEnded();
}

void TEngineRunner::Type(const std::string& Line) {
  if (!FEngineInput) return;
  // Only a running engine reads its input: a line typed after its end would
  // wait in the pipe for nobody.
  if (!FEngineRunning || !IsProcessAlive(FEngineProcessId, FEngineProcess.Get())) return;
  FEngineInputQueue += Line;
  FeedEngineInput();
}

// Writes as much of the operator's input as the pipe takes at once; the rest
// goes out on later passes as the engine reads. The write end never waits
// (see OpenPipes), so a full pipe costs one call that takes nothing.
void TEngineRunner::FeedEngineInput() {
  if (FEngineInputQueue.empty() || !FEngineInput) return;
  std::size_t Taken = 0;
  try {
    while (Taken < FEngineInputQueue.size()) {
      const std::size_t Chunk = std::min<std::size_t>(FEngineInputQueue.size() - Taken, EngineInputPipeSize);
      const std::size_t Done = FEngineInput->WriteSome(FEngineInputQueue.data() + Taken, Chunk);
      if (Done == 0) break;
      Taken += Done;
    }
  } catch (...) {
    FEngineInputQueue.clear();  // reported once, not on every pass
    throw;
  }
  FEngineInputQueue.erase(0, Taken);
}

// The /log= file the run was given, or the dated log beside the wizard, named
// by the minute it is asked for.
TLogTarget TEngineRunner::LogTarget() const {
  return FLogTarget.Name.empty() ? DatedLogTarget(ProgramFilePath()) : FLogTarget;
}

// A running file that cannot be made leaves the log to the last part of the
// output; the window tells the loss.
void TEngineRunner::OpenRunningLog() { FRunningLog.Open(LogTarget()); }

TLogWrite TEngineRunner::SaveLog(const std::string& ResultText) {
  const TLogWrite Log = WriteRunLog(LogTarget(), ResultText, FRunningLog, FRun.FTranscript);
  // A running file that lost lines may still hold more than the log's last
  // part of the output: it stays for whoever reads the loss in the log.
  if (Log.Written && FRunningLog.Intact()) FRunningLog.Remove();
  return Log;
}
