// The run's log files on disk: the running file that receives the engine's
// lines while it works, and the final log written at the end of the run.
#pragma once
#include <windows.h>

#include <string>

#include "utils/win32/Handles.h"

// Lines are gathered during a pass of the run loop and written in one write
// at its end, so a wizard that dies leaves every line of its finished passes
// on disk. The file stays behind when the object ends: only Remove deletes it.
class TRunningLog {
 public:
  // Creates the file (replacing one of that name); false when it cannot be.
  bool Open(const std::string& FileName);
  bool IsOpen() const { return FFile.IsValid(); }
  const std::string& FileName() const { return FFileName; }
  // Line and its CR LF; without LineEnds, a part of a long line that the
  // next Append goes on with.
  void Append(const std::string& Line, bool LineEnds = true);
  // One write of the lines gathered since the last flush.
  void Flush();
  // Every line appended so far reached the file.
  bool Intact() const { return IsOpen() && FIntact; }
  // For reading the file back; it is opened for reading and writing.
  HANDLE Handle() const { return FFile.Get(); }
  // Closes and deletes the file.
  void Remove();

 private:
  TKernelHandle FFile;
  std::string FFileName;
  std::string FBuffer;
  bool FIntact = false;
};

// What became of the final log.
struct TLogWrite {
  bool Written = false;
  std::string FileName;
  std::string Error;  // the system's text when it was not written
};

// Writes the final log to FileName, creating or replacing it: ResultText,
// the banner, then the engine's whole output from Running, or, when no
// intact running file exists, the last part of it that Transcript kept.
TLogWrite WriteRunLog(const std::string& FileName, const std::string& ResultText, TRunningLog& Running,
                      const std::string& Transcript);

// Writes a log that is only Text (a run that never started the engine).
TLogWrite WriteLogText(const std::string& FileName, const std::string& Text);

// The dated log name for now, made free by a ".2", ".3", ... when a log of
// that minute exists already.
std::string FreeDatedLogName(const std::string& ExePath);
// The running file for a run starting now, beside the logs, named after the
// dated log name and free of any other run's running file.
std::string FreeRunningLogName(const std::string& ExePath);
