// TEngineRunner: one run of the update engine, from its start on the two
// pipes to the end of its output. It owns the engine's process, the pipes,
// the operator's queued input, the run's state and its running log, and
// turns the run loop; the window sees the run through IRunView.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "utils/win32/Handles.h"
#include "utils/win32/PipeStream.h"
#include "wizard/EngineProtocol.h"
#include "wizard/ProgressBatch.h"
#include "wizard/win32/RunLogFile.h"

// What the window shows of a run: the progress page, told once per pass of
// the run loop, and the run's end, told once the engine has gone and its
// output is read.
class IRunView : public IProgressView {
 public:
  virtual void OnRunEnded() = 0;
};

// The application's side of the run loop, which turns nested in the Start
// click: the loop gives the window its turn after every pass and stops when
// the application terminates; an error escaping a pass is shown as every
// handler's error is, and the run carries on.
class IRunLoopHost {
 public:
  virtual ~IRunLoopHost() = default;
  virtual bool Terminated() const = 0;
  virtual void ProcessMessages() = 0;
  virtual void Guard(const std::function<void()>& Step) = 0;
};

class TEngineRunner {
 public:
  TEngineRunner(IRunView& View, IRunLoopHost& Host) : FView(View), FHost(Host) {}
  ~TEngineRunner();
  TEngineRunner(const TEngineRunner&) = delete;
  TEngineRunner& operator=(const TEngineRunner&) = delete;

  // The pipes live as long as the window: a run uses the pair made at start.
  void OpenPipes();
  void ClosePipes();

  // The run's state: sections, step, errors, result, transcript, reboot.
  TEngineProtocol& State() { return FRun; }
  const TEngineProtocol& State() const { return FRun; }
  bool Running() const { return FEngineRunning; }
  // The run has ended and the window was told (or no run was ever expected).
  bool EndTold() const { return !FEngineRunning && !FEngineStartPending; }

  // The Start click is under way: from here on the end of the run is
  // noticed even when the engine never starts (a failed copy).
  void ExpectStart() { FEngineStartPending = true; }
  // Starts the engine on the pipes and turns the run loop until the run has
  // ended or the application terminates. Window receives the poll timer.
  void Run(const std::string& ProgramPath, const std::string& Arguments, bool Minimized, HWND Window);
  // File stays held (the engine's program, kept from being changed) until
  // Run has started the engine.
  void HoldUntilStarted(TKernelHandle File) { FHeldUntilStarted = std::move(File); }
  // The window's 1 s timer: once the engine has gone, its last output is
  // read and the window is told the run has ended.
  void NoticeEnd();
  // A line the operator typed for the engine (with its CR LF); ignored
  // unless the engine is running and reads its input.
  void Type(const std::string& Line);

  // Where the run's log goes (by default the dated log beside the wizard);
  // the running file lies beside it. Set before the run.
  void SetLogTarget(const TLogTarget& Target) { FLogTarget = Target; }
  // The final log: ResultText, the banner, the whole output. Once it is in
  // place, an intact running file is removed; one that lost lines stays.
  TLogWrite SaveLog(const std::string& ResultText);
  const TRunningLog& RunningLog() const { return FRunningLog; }
  // What went wrong between the engine's end and the window's turn, when
  // something did; the run's verdict is then unknown.
  const std::string& EndFault() const { return FEndFault; }

 private:
  IRunView& FView;
  IRunLoopHost& FHost;
  HWND FWindow = nullptr;  // the poll timer's, while a run goes on
  DWORD FEngineProcessId = 0;
  TKernelHandle FEngineProcess;  // the engine we started: its end is judged by this handle
  TKernelHandle FHeldUntilStarted;
  bool FEngineRunning = false;
  bool FEngineStartPending = false;
  std::unique_ptr<TPipeStream> FEngineOutput;
  std::unique_ptr<TPipeStream> FEngineInput;
  std::string FEngineInputQueue;  // typed for the engine, not yet taken by the pipe
  std::string FLineStart;         // the start of a long line whose end has not come yet
  std::string FLineText;          // the line or part just read; one string for the whole run
  bool FLineGoesOn = false;       // the last text taken in was part of a line that goes on
  TEngineProtocol FRun;
  TRunningLog FRunningLog;  // every line interpreted, on disk as the run goes
  TLogTarget FLogTarget;    // empty: the dated log beside the wizard
  std::string FEndFault;
  TProgressBatch FProgress;     // what the pass has read, for the page at its end
  bool FOutputBacklog = false;  // the last pass ended on its budget with output still waiting
  bool FOutputSeen = false;     // the last pass took in some output
  bool FInPass = false;         // a pass is on the stack
  bool FEnding = false;         // the end of the run is being handled

  static void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD);
  void StartEngine(const std::string& ProgramPath, const std::string& Arguments, bool Minimized);
  TLogTarget LogTarget() const;
  bool EngineGone();
  void StopPollTimer();
  void RunPass();
  void FeedEngineInput();
  void PollEngineOutput();
  void DrainEngineOutput();
  void TakeEngineText(const std::string& Text, bool Complete);
  void InterpretEngineLine(const std::string& Line);
  void EndPass();
  void OpenRunningLog();
};
