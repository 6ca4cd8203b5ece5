// A program the tests start: the wizard, or the test program itself as a
// helper child. Holds the process handle for its whole life, so the exit code
// stays readable after the process has ended.
#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "utils/win32/Handles.h"

// Changes to the inherited environment: a value sets the variable (an empty
// value leaves it defined but empty), nullopt removes it.
using TEnvironment = std::map<std::string, std::optional<std::string>>;

// The "NAME=value" entries of this process's environment, in their order.
std::vector<std::string> CurrentEnvironment();

// The environment block for CreateProcessA: every entry of Base, with the
// variables named in Changes replaced or removed (names compare without
// regard to letter case, as Windows does) and the new ones appended. Entries
// whose name begins with "=" (the per-drive folders) are kept as they are.
// Throws TDriverError for a name that is empty or contains "=".
std::string BuildEnvironmentBlock(const std::vector<std::string>& Base, const TEnvironment& Changes);

class TChildProcess {
 public:
  // Starts Exe (quoted on the command line) with Args in WorkDir (empty:
  // this process's folder). Throws TDriverError when the program cannot be
  // started or a previous one is still running.
  void Launch(const std::string& Exe, const std::string& Args, const TEnvironment& Env, const std::string& WorkDir);

  bool Started() const { return FProcess.IsValid(); }
  bool Running() const;
  // True once the process has ended, waiting at most TimeoutMs.
  bool WaitExit(DWORD TimeoutMs) const;
  // The exit code once the process has ended; nullopt before.
  std::optional<DWORD> ExitCode() const;
  // Ends the process at once (exit code 1) and waits for it to be gone.
  void Kill();

  DWORD Id() const { return FId; }
  HANDLE Handle() const { return FProcess.Get(); }
  const std::string& CommandLine() const { return FCommandLine; }

 private:
  TKernelHandle FProcess;
  DWORD FId = 0;
  std::string FCommandLine;
};
