// How the wizard reads the engine's tagged output lines and what the progress
// and result pages make of them. The window owns one TEngineProtocol per run
// and shows what it decides through IProgressView.
#pragma once
#include <cstddef>
#include <string>

// What the progress page shows; the window implements it over its controls.
class IProgressView {
 public:
  virtual ~IProgressView() = default;
  virtual void ShowSectionTitle(const std::string& Text) = 0;  // lbCurrentStepTitle
  virtual void ShowCurrentStep(const std::string& Text) = 0;   // txtCurrentStep
  virtual void ShowDetail(const std::string& Text) = 0;        // txtProgressDetails
  // sbarProgress (position within 0..BarMax) and lbProgressTitle.
  virtual void ShowProgress(int BarPosition, int BarMax, const std::string& Title) = 0;
  virtual void RefreshServerLevel() = 0;  // UpdateServerLevelLabel
};

// The run's state, named as the window's fields so a reader can follow the
// window's handlers and this class side by side.
class TEngineProtocol {
 public:
  // FDetail, FSection, FCurrentStep, FStepCode and FResultText keep at most
  // MaxShownText characters of what the engine sent; FErrorText keeps the
  // latest errors, at most twice KeptErrorLimit (the log keeps every line).
  std::string FSection, FErrorText, FResultText, FStepCode, FCurrentStep, FDetail, FTranscript;
  bool FNeedReboot = false;
  int FSectionIndex = -1, FSectionPercent = 0, FSectionCount = 0;
  // Set once the engine's process has ended, when its exit code is known.
  bool FEngineCrashed = false;
  unsigned long FEngineExitCode = 0;

  // One complete line without its terminator. Tags count only at column 0 and
  // in exact case; the first matching tag decides.
  void ProcessEngineLine(const std::string& Line, IProgressView& View);
  // Stores Percent as sent and moves the bar, which never leaves
  // 0..FSectionCount*100, whatever the engine reports.
  void SetSectionProgress(int Percent, IProgressView& View);
  // Every interpreted line goes here, so the log ends with the last ~4 KB of
  // output however long the run was. A long line may come in parts: each
  // after the first continues it (StartsLine false).
  void AppendTranscript(const std::string& Line, bool StartsLine = true);
  // The engine has ended with this exit code. Only a crash counts: an engine
  // that died cannot have finished the update, whatever it printed before.
  void EngineEnded(unsigned long ExitCode);
  // "[Error]:" lines and the engine's ordinary exit codes do not enter the
  // verdict; a crash does.
  bool Succeeded() const;
  // The result page's text, CR LF broken for the memo. On a failure without
  // any error line, the last output stands in as the message (and is kept in
  // FErrorText). An engine may write megabytes of error lines: the page shows
  // only the last ShownErrorLimit bytes of them, from a line start, after a
  // line saying that earlier errors are in the log.
  std::string RunResultText(const std::string& LocalLevel);
  // The same with every error line, for the log.
  std::string LogResultText(const std::string& LocalLevel);
  static constexpr std::size_t ShownErrorLimit = 8192;
  static constexpr std::size_t KeptErrorLimit = 64 * 1024;

 private:
  bool FEarlierErrorsDropped = false;  // FErrorText lost its front to the bound
  void AddError(const std::string& Error);
  std::string ResultText(const std::string& LocalLevel, std::size_t ErrorLimit);
};

// What a label on the progress page shows of an engine's text: at most its
// first MaxShownText characters. The run keeps the whole text; setting
// megabytes into a label would hold the window for seconds.
constexpr std::size_t MaxShownText = 4096;
std::string ShownText(const std::string& Text);

// Exit codes from 0xC0000000 on are the system's error statuses (access
// violation, stack overflow, ...): the process did not end, it crashed.
bool IsCrashExitCode(unsigned long ExitCode);
// The line the failure text gains for a crash, naming the exit code in hex
// as the system's documentation lists it ("0xC0000005").
std::string EngineCrashText(unsigned long ExitCode);

// Windows' MulDiv, portable: 64-bit product, rounded half away from zero;
// -1 when Denominator is 0 or the result does not fit an int.
int PortableMulDiv(int Number, int Numerator, int Denominator);
// The memo breaks lines only at CR LF: CR LF stays, a lone CR or LF becomes CR LF.
std::string ToCRLF(const std::string& Text);
// Removes every byte <= 32 at both ends (bytes >= 128 are text, not blanks).
std::string Trim(const std::string& Text);
// Optional leading blanks, an optional sign and decimal digits with nothing
// after them; false for anything else and for values outside int.
bool ParsePercent(const std::string& Text, int& Value);
