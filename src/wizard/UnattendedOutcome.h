// How an unattended run ended, told to the fleet tool that started it: the
// exit codes such tools already know, and what the log begins with.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "wizard/PageFlow.h"

enum class TUnattendedOutcome {
  Succeeded,             // 0
  SucceededNeedsReboot,  // 3010
  UpToDate,              // 2: nothing to do
  RebootPending,         // 350: not rebooted since an earlier update
  AlreadyRunning,        // 1618: an engine or another wizard is at work
  BadCommandLine,        // 1639
  LockUnavailable,       // 1: the one-wizard lock cannot be taken, not because of another wizard
  Refused,               // 1: a check failed or a question was answered No
  Failed                 // 1603: the update was attempted and failed
};

int ExitCodeOf(TUnattendedOutcome Outcome);

// The exit-code table the README publishes, row for row: each code's meaning
// is also the first line of every log that ends with it, so that the fleet
// tool and whoever reads the log see one verdict.
struct TExitCodeRow {
  int Code;
  const char* Meaning;
};
extern const TExitCodeRow ExitCodeTable[];
extern const std::size_t ExitCodeRows;
// What 0 means to /check, which never runs the update.
extern const char* const CheckReadyMeaning;

// The log's first line for Code: "Exit code <n>: <meaning>". In English
// whatever /lang says: it is read by fleet tools, as the code is.
std::string OutcomeLine(int Code, bool Check);

// A run that looked fine but left no complete log has failed for the fleet
// tool, which reads the log (an unwritten log, or one that holds only the
// last part of the output); a refusal or failure keeps its own code.
int FinalExitCode(int Code, bool LogComplete);
int FinalExitCode(TUnattendedOutcome Outcome, bool LogComplete);

// The server already holds every update in the folder: it is at release
// 3.1.0 and no update found (a colon list) lies above its own number. An
// empty list is not "up to date": there is simply nothing to install.
bool IsAlreadyUpToDate(const std::string& LocalLevel, const std::string& FoundUpdates);

// What a page that could not be left means. Terminated: the welcome page's
// check ended the program (the reboot flag). UpToDate: the update list's
// refusal came from a server that has every update already. EngineRunning:
// the start checks found an engine at work.
TUnattendedOutcome RefusalOutcome(TPage Page, bool Terminated, bool UpToDate, bool EngineRunning);

// The end of the run: success, with or without the engine's reboot request,
// or failure.
TUnattendedOutcome RunOutcome(bool Succeeded, bool NeedReboot);

// The head of the log: the texts the operator would have seen, the deciding
// one first, as lines broken with CR LF and separated by an empty line.
std::string UnattendedLogHead(const std::vector<std::string>& Texts);
// The whole head: the outcome line of Code, then the texts.
std::string UnattendedLogHead(int Code, bool Check, const std::vector<std::string>& Texts);

// Outcome line of the first line of Log: the exit code it names, or -1.
int ExitCodeOfLogHead(const std::string& Log);
