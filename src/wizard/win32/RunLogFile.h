// The run's log files on disk: the running file that receives the engine's
// lines while it works, and the final log written at the end of the run.
//
// Every file and folder here is made new by the wizard itself: the wizard
// runs as an administrator, often in folders others can write, and a name
// someone else made (a file, a link, a junction) must never lead its writes
// elsewhere.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "utils/win32/Handles.h"

// Where a run's log goes: the dated name beside the wizard, which becomes
// the next free one of its minute, or the file /log= named (Explicit), which
// replaces a plain file of that name and nothing else.
struct TLogTarget {
  std::string Name;
  bool Explicit = false;
};
// The dated log beside the wizard for now.
TLogTarget DatedLogTarget(const std::string& ExePath);

// Lines are gathered during a pass of the run loop and written in one write
// at its end, so a wizard that dies leaves every line of its finished passes
// on disk. The file stays behind when the object ends: only Remove deletes it.
class TRunningLog {
 public:
  // Creates the running file beside Target's log under a name nobody has
  // made yet; false when it cannot be (then Error() tells why).
  bool Open(const TLogTarget& Target);
  bool IsOpen() const { return FFile.IsValid(); }
  const std::string& FileName() const { return FFileName; }
  // Line and its CR LF; without LineEnds, a part of a long line that the
  // next Append goes on with.
  void Append(const std::string& Line, bool LineEnds = true);
  // One write of the lines gathered since the last flush.
  void Flush();
  // Every line appended so far reached the file.
  bool Intact() const { return IsOpen() && FIntact; }
  // Open was tried and the file could not be made or lost a write.
  bool Lost() const { return FOpened && !Intact(); }
  const std::string& Error() const { return FError; }  // the system's text of the first failure
  // For reading the file back; it is opened for reading and writing.
  HANDLE Handle() const { return FFile.Get(); }
  // Closes and deletes the file.
  void Remove();

 private:
  TKernelHandle FFile;
  std::string FFileName;
  std::string FBuffer;
  std::string FError;
  bool FIntact = false;
  bool FOpened = false;
  void Fail(DWORD Code);
};

// What became of the final log.
struct TLogWrite {
  bool Written = false;
  std::string FileName;
  std::string Error;  // the system's text when it was not written
};

// Writes the final log for Target: ResultText, the banner, then the engine's
// whole output from Running, or, when no intact running file exists, the
// last part of it that Transcript kept. Composed under a temporary name and
// renamed into place: a failure leaves nothing under the log's name.
TLogWrite WriteRunLog(const TLogTarget& Target, const std::string& ResultText, TRunningLog& Running,
                      const std::string& Transcript);

// Writes a log that is only Text (a run that never started the engine).
TLogWrite WriteLogText(const TLogTarget& Target, const std::string& Text);

// Creates the missing folders above FullLogPath (a full path), each writable
// only by Administrators and SYSTEM; whatever then writes into them reports a
// failure.
void CreateLogFolders(const std::string& FullLogPath);

// Where a log of this run goes: the file LogFile names (/log=), its missing
// folders made first, or without one the dated log beside the wizard.
TLogTarget ChosenLogTarget(const std::string& LogFile);
