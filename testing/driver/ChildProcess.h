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

// How a program is started, where the harness's callers differ on purpose.
// The defaults are the driver's way of starting the wizard.
struct TLaunchOptions {
  // Handed to the child as its standard handles (inherited) when any is set.
  HANDLE StdInput = nullptr;
  HANDLE StdOutput = nullptr;
  HANDLE StdError = nullptr;
  DWORD CreationFlags = 0;  // CREATE_NEW_CONSOLE, CREATE_NO_WINDOW, ...
  bool Hidden = false;      // a console window of its own starts hidden
  // The program in quotes on the command line; else joined to the arguments
  // as given (the way the wizard starts the engine).
  bool QuoteProgram = true;
  // The program named to CreateProcess as well: Wine then hands the command
  // line over untouched, as Windows always does (without it Wine quotes a
  // path with blanks on its own).
  bool NameProgram = true;
};

// The one way the harness starts a program. Terminates it at the end if it
// is still running.
class TChildProcess {
 public:
  TChildProcess() = default;
  ~TChildProcess() { Kill(); }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // Starts Exe with Args in WorkDir (empty: this process's folder). Throws
  // TDriverError when the program cannot be started or a previous one is
  // still running.
  void Launch(const std::string& Exe, const std::string& Args, const TEnvironment& Env, const std::string& WorkDir,
              const TLaunchOptions& Options = TLaunchOptions());
  // Takes over a process another launcher (the program's own, under test)
  // has started.
  void Adopt(TKernelHandle Process, DWORD Id);
  // Hands the process handle over; this object then knows no process.
  TKernelHandle Release();

  bool Started() const { return FProcess.IsValid(); }
  bool Running() const;
  // True once the process has ended, waiting at most TimeoutMs.
  bool WaitExit(DWORD TimeoutMs) const;
  // The exit code once the process has ended; nullopt before.
  std::optional<DWORD> ExitCode() const;
  // Ends the process at once with ExitCode and waits for it to be gone.
  void Kill(UINT ExitCode = 1);

  DWORD Id() const { return FId; }
  HANDLE Handle() const { return FProcess.Get(); }
  const std::string& CommandLine() const { return FCommandLine; }

 private:
  TKernelHandle FProcess;
  DWORD FId = 0;
  std::string FCommandLine;
};
