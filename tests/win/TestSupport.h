// Shared helpers of the Windows tests: the test program as its own child,
// hexadecimal bytes. Folders, waiting, starting programs and showing bytes
// are the harness's (testing/driver), shared with the end-to-end tests.
#pragma once

#include "utils/win32/Handles.h"
#include "utils/win32/PipeStream.h"

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "Files.h"
#include "VisibleText.h"
#include "Wait.h"

// Bytes as hexadecimal digits and back, so raw bytes (CR, LF, NUL) can be
// sent to the child on one text line.
std::string Hex(const std::string& Bytes);
std::string Unhex(const std::string& Digits);

// Runs the child modes of the test program; see ChildProgram.cpp.
int RunChildMode(const std::string& Mode);

// The next line from Stream, polling; NoLine when none came within TimeoutMs.
std::string WaitForLine(TPipeStream& Stream, DWORD TimeoutMs = 10000);

void CopyProgram(const std::string& To);  // a copy of the test program

// A child connected as the wizard connects the engine, started by the
// program's own StartChildProcess: its output into Output (read end kept),
// its input from Input (write end kept), pipes of buffer size 1. Terminated
// if still running at the end of the test.
class TChild {
 public:
  explicit TChild(const std::string& Mode, const std::string& Program = SelfPath());
  ~TChild() { FProcess.Kill(99); }

  DWORD Id() const { return FProcess.Id(); }
  HANDLE Process() const { return FProcess.Handle(); }
  bool WaitForExit(DWORD TimeoutMs = 10000) const { return FProcess.WaitExit(TimeoutMs); }
  DWORD ExitCode() const { return FProcess.ExitCode().value_or(STILL_ACTIVE); }

  TPipeStream Output{TPipeStream::ReadEnd, 1};
  TPipeStream Input{TPipeStream::WriteEnd, 1};

 private:
  TChildProcess FProcess;
};
