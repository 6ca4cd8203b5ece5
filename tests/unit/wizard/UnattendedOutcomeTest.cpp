#include "wizard/UnattendedOutcome.h"

#include <gtest/gtest.h>

namespace {

using O = TUnattendedOutcome;

TEST(UnattendedOutcome, ExitCodesAreTheOnesFleetToolsKnow) {
  const struct {
    O Outcome;
    int Code;
  } Cases[] = {{O::Succeeded, 0},         {O::SucceededNeedsReboot, 3010}, {O::UpToDate, 2}, {O::RebootPending, 350},
               {O::AlreadyRunning, 1618}, {O::BadCommandLine, 1639},       {O::Refused, 1},  {O::Failed, 1603}};
  for (const auto& Case : Cases) {
    EXPECT_EQ(Case.Code, ExitCodeOf(Case.Outcome));
    EXPECT_EQ(Case.Code, FinalExitCode(Case.Outcome, true));
    // Without a log only a code that claims nothing went wrong changes.
    const bool Fine = Case.Code == 0 || Case.Code == 3010 || Case.Code == 2;
    EXPECT_EQ(Fine ? 1603 : Case.Code, FinalExitCode(Case.Outcome, false)) << Case.Code;
  }
}

TEST(UnattendedOutcome, UpToDateOnlyWithEveryUpdateAtOrBelowTheServersOwn) {
  const struct {
    const char* Level;
    const char* Found;
    bool Expected;
  } Cases[] = {
      {"3.1.0.3", ":0:1:2:3:", true},
      {"3.1.0.3", ":3:", true},
      {"3.1.0.12", ":2:11:12:", true},
      {"3.1.0.3", ":0:4:", false},
      {"3.1.0.3", "", false},
      {"3.1.0.3", ":5:", false},
      {"3.0.3.2", ":0:", false},
      {"3.0.3.9", ":1:", false},
      {"3.1.0", ":0:", false},
      {"3.1.0.x", ":0:", false},
      {"", ":0:", false},
      {"3.1.0.-1", ":0:", false},
      {"3.1.0.99999999999999999999", ":0:", false},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Case.Expected, IsAlreadyUpToDate(Case.Level, Case.Found)) << Case.Level << " " << Case.Found;
}

TEST(UnattendedOutcome, RefusalsByPage) {
  const struct {
    TPage Page;
    bool Terminated, UpToDate, EngineRunning;
    O Expected;
  } Cases[] = {
      {pgWelcome, true, false, false, O::RebootPending},
      {pgWelcome, false, false, false, O::Refused},
      {pgUpdateFolder, false, false, false, O::Refused},
      {pgUpdateList, false, true, false, O::UpToDate},
      {pgUpdateList, false, false, false, O::Refused},
      {pgSnapshotDrive, false, false, false, O::Refused},
      {pgAboutToInstall, false, false, true, O::AlreadyRunning},
      {pgAboutToInstall, false, false, false, O::Refused},
      {pgUpdateList, false, false, true, O::Refused},
      {pgAboutToInstall, false, true, false, O::Refused},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(ExitCodeOf(Case.Expected),
              ExitCodeOf(RefusalOutcome(Case.Page, Case.Terminated, Case.UpToDate, Case.EngineRunning)))
        << PageName(Case.Page);
}

TEST(UnattendedOutcome, RunOutcome) {
  EXPECT_EQ(0, ExitCodeOf(RunOutcome(true, false)));
  EXPECT_EQ(3010, ExitCodeOf(RunOutcome(true, true)));
  EXPECT_EQ(1603, ExitCodeOf(RunOutcome(false, true)));
  EXPECT_EQ(1603, ExitCodeOf(RunOutcome(false, false)));
}

TEST(UnattendedOutcome, LogHeadPutsTheDecidingTextFirstInCrLfLines) {
  EXPECT_EQ("A\r\n\r\nB\r\n\r\nC", UnattendedLogHead({"A\r\rB\r", "", "C\r\n"}));
  EXPECT_EQ("Only", UnattendedLogHead({"Only"}));
  EXPECT_EQ("", UnattendedLogHead({}));
}

}  // namespace
