// Shared helpers of the Windows tests: the test program as its own child,
// temporary folders, polling with a deadline.
#pragma once

#include "utils/win32/Handles.h"
#include "utils/win32/PipeStream.h"

#include <windows.h>

#include <functional>
#include <string>

// Path of the running test program, which doubles as every child process.
std::string SelfPath();

// Bytes as hexadecimal digits and back, so raw bytes (CR, LF, NUL) can be
// sent to the child on one text line.
std::string Hex(const std::string& Bytes);
std::string Unhex(const std::string& Digits);

// Runs the child modes of the test program; see ChildProgram.cpp.
int RunChildMode(const std::string& Mode);

// Polls Done every millisecond until it is true or TimeoutMs have passed.
bool WaitUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 10000);

// The next line from Stream, polling; NoLine when none came within TimeoutMs.
std::string WaitForLine(TPipeStream& Stream, DWORD TimeoutMs = 10000);

// Shows control bytes in failure messages.
std::string Visible(const std::string& Text);

// A fresh folder under the temporary folder, deleted with its content.
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& Name = "");
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& Name) const { return FPath + "\\" + Name; }

 private:
  std::string FPath;
};

void CreateFolders(const std::string& Path);  // every missing level
void WriteFileText(const std::string& Path, const std::string& Text);
bool FileExists(const std::string& Path);
void CopyProgram(const std::string& To);  // a copy of the test program

// A child connected as the wizard connects the engine: its output into
// Output (read end kept), its input from Input (write end kept), pipes of
// buffer size 1. Terminated if still running at the end of the test.
class TChild {
 public:
  explicit TChild(const std::string& Mode, const std::string& Program = SelfPath());
  ~TChild();

  DWORD Id() const { return FId; }
  HANDLE Process() const { return FProcess.Get(); }
  bool WaitForExit(DWORD TimeoutMs = 10000) const;
  DWORD ExitCode() const;

  TPipeStream Output{TPipeStream::ReadEnd, 1};
  TPipeStream Input{TPipeStream::WriteEnd, 1};

 private:
  DWORD FId = 0;
  TKernelHandle FProcess;
};
