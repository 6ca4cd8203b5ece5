#include "wizard/UnattendedOutcome.h"

#include <cstdlib>
#include <string>

#include "wizard/EngineProtocol.h"
#include "wizard/Preflight.h"

int ExitCodeOf(TUnattendedOutcome Outcome) {
  switch (Outcome) {
    case TUnattendedOutcome::Succeeded:
      return 0;
    case TUnattendedOutcome::SucceededNeedsReboot:
      return 3010;
    case TUnattendedOutcome::UpToDate:
      return 2;
    case TUnattendedOutcome::RebootPending:
      return 350;
    case TUnattendedOutcome::AlreadyRunning:
      return 1618;
    case TUnattendedOutcome::BadCommandLine:
      return 1639;
    case TUnattendedOutcome::Refused:
    case TUnattendedOutcome::LockUnavailable:
      return 1;
    case TUnattendedOutcome::Failed:
      break;
  }
  return 1603;
}

const TExitCodeRow ExitCodeTable[] = {
    {0, "The update ran and succeeded."},
    {3010, "The update ran and succeeded, and the engine asked for a reboot."},
    {2,
     "Nothing to do: the node already has every update in the folder (release 3.1.0 and no update number above "
     "its own)."},
    {350, "Nothing was done: the node has not been rebooted since an earlier update (reboot flag)."},
    {1618, "Nothing was done: an update engine is already running, or another wizard is already working."},
    {1639,
     "Nothing was done: the command line is wrong (unknown switch, missing /updates, folder that does not "
     "exist, bad drive or language, both /snapshot and /nosnapshot)."},
    {1,
     "Nothing was done: the node refused the update (a start check failed, no applicable update in the folder, a "
     "question answered No, the snapshot drive does not qualify, the wizard was closed or stopped on an error "
     "before the copies)."},
    {1603,
     "The update was attempted and failed: a copy into the support folder failed, the engine could not start, "
     "its run did not end in success, the log lacks part of the engine's output, or the wizard was closed or "
     "stopped on an error during the run."},
};
const std::size_t ExitCodeRows = sizeof ExitCodeTable / sizeof ExitCodeTable[0];
const char* const CheckReadyMeaning = "The node would start the update now.";

std::string OutcomeLine(int Code, bool Check) {
  const char* Meaning = "The wizard ended with a code of its own.";
  for (const TExitCodeRow& Row : ExitCodeTable)
    if (Row.Code == Code) Meaning = Row.Meaning;
  if (Check && Code == 0) Meaning = CheckReadyMeaning;
  return "Exit code " + std::to_string(Code) + ": " + Meaning;
}

int FinalExitCode(int Code, bool LogComplete) {
  if (LogComplete) return Code;
  return Code == 0 || Code == 3010 || Code == 2 ? 1603 : Code;
}

int FinalExitCode(TUnattendedOutcome Outcome, bool LogComplete) {
  return FinalExitCode(ExitCodeOf(Outcome), LogComplete);
}

namespace {
// A whole decimal number without sign, or -1.
long long WholeNumber(const std::string& Text) {
  if (Text.empty() || Text.size() > 18) return -1;
  long long N = 0;
  for (char C : Text) {
    if (C < '0' || C > '9') return -1;
    N = N * 10 + (C - '0');
  }
  return N;
}
}  // namespace

bool IsAlreadyUpToDate(const std::string& LocalLevel, const std::string& FoundUpdates) {
  if (LocalLevel.size() < 7 || LocalLevel.compare(0, 6, "3.1.0.") != 0) return false;
  const long long Own = WholeNumber(LocalLevel.substr(6));
  if (Own < 0) return false;
  // Every update in the folder is at or below the server's own.
  long long First = 0, Last = 0;
  return UpdateNumberRange(FoundUpdates, First, Last) && Last <= Own;
}

TUnattendedOutcome RefusalOutcome(TPage Page, bool Terminated, bool UpToDate, bool EngineRunning) {
  if (Page == pgWelcome && Terminated) return TUnattendedOutcome::RebootPending;
  if (Page == pgUpdateList && UpToDate) return TUnattendedOutcome::UpToDate;
  if (Page == pgAboutToInstall && EngineRunning) return TUnattendedOutcome::AlreadyRunning;
  return TUnattendedOutcome::Refused;
}

TUnattendedOutcome RunOutcome(bool Succeeded, bool NeedReboot) {
  if (!Succeeded) return TUnattendedOutcome::Failed;
  return NeedReboot ? TUnattendedOutcome::SucceededNeedsReboot : TUnattendedOutcome::Succeeded;
}

std::string UnattendedLogHead(const std::vector<std::string>& Texts) {
  std::string Head;
  for (const std::string& Text : Texts) {
    if (Text.empty()) continue;
    std::string Lines = ToCRLF(Text);
    while (Lines.size() >= 2 && Lines.compare(Lines.size() - 2, 2, "\r\n") == 0) Lines.resize(Lines.size() - 2);
    if (!Head.empty()) Head += "\r\n\r\n";
    Head += Lines;
  }
  return Head;
}

std::string UnattendedLogHead(int Code, bool Check, const std::vector<std::string>& Texts) {
  const std::string Lines = UnattendedLogHead(Texts);
  return OutcomeLine(Code, Check) + (Lines.empty() ? "" : "\r\n" + Lines);
}

int ExitCodeOfLogHead(const std::string& Log) {
  const std::string Line = Log.substr(0, Log.find("\r\n"));
  const std::string Prefix = "Exit code ";
  if (Line.compare(0, Prefix.size(), Prefix) != 0) return -1;
  const std::size_t Colon = Line.find(':', Prefix.size());
  if (Colon == std::string::npos) return -1;
  const long long Code = WholeNumber(Line.substr(Prefix.size(), Colon - Prefix.size()));
  return Code < 0 || Code > 0x7fffffff ? -1 : static_cast<int>(Code);
}
