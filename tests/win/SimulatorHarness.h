#pragma once
// Starts the engine simulator (oue.exe beside the test program) the way the
// wizard starts the engine: the program path unquoted, standard input on one
// pipe, standard output and standard error sharing another.
#include <windows.h>

#include "utils/win32/Handles.h"

#include "ChildProcess.h"
#include "Files.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace simtest {

using ::ProgramFolder;
using ::TTempFolder;
std::string SimulatorPath();

struct SimLaunch {
  std::string program = SimulatorPath();
  std::string arguments;  // joined to the program with one blank, the program unquoted
  // Added to the test's own environment. OUE_SIM_DELAY_MS is 0 unless given here;
  // OUE_SIM_SCENARIO and OUE_SIM_NEED_REBOOT are unset unless given here.
  std::vector<std::pair<std::string, std::string>> environment;
  DWORD outputPipeSize = 0;  // 0: the system's default; the wizard asks for 1
  // The wizard's way (a new console, hidden) costs a console host per start
  // under Wine; most tests start without a console window instead.
  bool newConsole = false;
  // The program named to CreateProcess as well: Wine then hands the command line
  // over untouched, as Windows always does (without it Wine quotes a path with
  // blanks on its own).
  bool nameProgram = false;
  bool readLater = false;  // nobody reads the output until StartReading
};

class TSimProcess {
 public:
  explicit TSimProcess(const SimLaunch& Launch);
  ~TSimProcess();
  TSimProcess(const TSimProcess&) = delete;
  TSimProcess& operator=(const TSimProcess&) = delete;

  bool Started() const { return process_.Started(); }
  void WriteInput(const std::string& Bytes);
  void CloseInput();
  // True once the output holds needle; false after timeoutMs.
  bool WaitForOutput(const std::string& Needle, DWORD TimeoutMs = 20000);
  // The exit code, or nullopt when the process is still running after timeoutMs.
  std::optional<DWORD> WaitForExit(DWORD TimeoutMs = 30000);
  // Everything read so far; after WaitForExit, once the reader saw the pipe end,
  // everything the process wrote.
  std::string Output();
  // Starts taking the output out of the pipe, for a launch with readLater.
  void StartReading();

 private:
  void ReadLoop();

  TChildProcess process_;
  TKernelHandle inputWrite_;
  TKernelHandle outputRead_;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string output_;
  bool outputEnded_ = false;
};

struct SimResult {
  std::string output;
  DWORD exitCode = 0;
  bool finished = false;
};

// Runs to the end: writes input, closes standard input, collects all output.
SimResult RunSimulator(const SimLaunch& Launch, const std::string& Input = std::string(), DWORD TimeoutMs = 30000);

// The output split at CR LF; a final piece without terminator is kept.
std::vector<std::string> SplitLines(const std::string& Output);

// Remembers HKLM "Software\Dantor\Kelvra\Products\Orvane" "UpdateLevel" and the
// keys on its path, and puts them back as they were.
class TUpdateLevelGuard {
 public:
  TUpdateLevelGuard();
  ~TUpdateLevelGuard();
  TUpdateLevelGuard(const TUpdateLevelGuard&) = delete;
  TUpdateLevelGuard& operator=(const TUpdateLevelGuard&) = delete;

 private:
  std::vector<std::string> createdKeys_;  // deepest last
  std::optional<std::string> oldLevel_;
};

std::optional<std::string> ReadUpdateLevel();
void SetUpdateLevel(const std::string& Level);

// A scenario file in the folder, for OUE_SIM_SCENARIO.
std::string WriteScenario(const TTempFolder& Folder, const std::string& Text);

}  // namespace simtest
