#include "wizard/UnattendedOutcome.h"

#include <cstdlib>

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

int FinalExitCode(TUnattendedOutcome Outcome, bool LogWritten) {
  const int Code = ExitCodeOf(Outcome);
  if (LogWritten) return Code;
  return Code == 0 || Code == 3010 || Code == 2 ? 1603 : Code;
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
