// How an unattended run ended, told to the fleet tool that started it: the
// exit codes such tools already know, and what the log begins with.
#pragma once
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

// A run that looked fine but left no log has failed for the fleet tool,
// which reads the log; a refusal or failure keeps its own code.
int FinalExitCode(TUnattendedOutcome Outcome, bool LogWritten);

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
