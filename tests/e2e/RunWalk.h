// The run helpers of the end-to-end tests: the driver's walk to Start and its
// run log (testing/driver: Walk.h, RunLog.h) as assertions, and what several
// run tests compare against.
//
// Kept in a header because the end-to-end program is built from its *Test.cpp
// files; every Run*Test.cpp includes it.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogueText.h"
#include "Driver.h"
#include "DriverError.h"
#include "Files.h"
#include "RunLog.h"
#include "Walk.h"
#include "World.h"
#include "WizardFixture.h"

namespace runwalk {

constexpr DWORD PageTimeoutMs = DefaultTimeoutMs;

// Goes from the first page to the page before the run (TabSheet5); see
// GoToStartPage.
inline ::testing::AssertionResult WalkToStart(TWizardDriver& W, const std::string& UpdateFolder, int Language = 0,
                                              bool* SnapshotPageSeen = nullptr) {
  return Asserted([&] {
    const bool Seen = GoToStartPage(W, UpdateFolder, Language);
    if (SnapshotPageSeen != nullptr) *SnapshotPageSeen = Seen;
  });
}

inline ::testing::AssertionResult PressStart(TWizardDriver& W) {
  return Asserted([&] { ClickStart(W); });
}

inline ::testing::AssertionResult WaitResultPage(TWizardDriver& W, DWORD TimeoutMs = RunTimeoutMs) {
  return Asserted([&] { WaitForResultPage(W, TimeoutMs); });
}

inline ::testing::AssertionResult ReadRunLog(const TWorld& World, const SYSTEMTIME& Earliest, const SYSTEMTIME& Latest,
                                             TRunLog& Log) {
  return Asserted([&] { Log = LoadRunLog(World, Earliest, Latest); });
}

// Where Expected occurs in Lines as a run of consecutive lines; npos if not.
inline size_t FindLines(const std::vector<std::string>& Lines, const std::vector<std::string>& Expected) {
  if (Expected.empty() || Expected.size() > Lines.size()) return std::string::npos;
  for (size_t At = 0; At + Expected.size() <= Lines.size(); ++At) {
    bool Match = true;
    for (size_t I = 0; I < Expected.size() && Match; ++I) Match = Lines[At + I] == Expected[I];
    if (Match) return At;
  }
  return std::string::npos;
}

inline std::string Joined(const std::vector<std::string>& Lines) {
  std::string Out;
  for (const std::string& Line : Lines) Out += "  | " + Line + "\n";
  return Out;
}

// The result page's failure text in English for section, step code, step and
// message (the message's lone CRs already made CR LF).
inline std::string EnglishFailureText(const std::string& Section, const std::string& StepCode, const std::string& Step,
                                      const std::string& Message) {
  return FormatText(WithCrLf(CatalogueText("str_txtCompletionStatusInfo_Caption_Failed")),
                    {Section, StepCode, Step, Message});
}

inline std::string EnglishSuccessText(const std::string& Level) {
  return FormatText(WithCrLf(CatalogueText("str_txtCompletionStatusInfo_Caption_Success")), {Level});
}

// The log ends with Last, which occurs nowhere before.
inline ::testing::AssertionResult LogEndsWith(const TRunLog& Log, const std::vector<std::string>& Last) {
  const size_t At = FindLines(Log.Output, Last);
  if (At != std::string::npos && At == Log.Output.size() - Last.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the log does not end with the engine's last lines:\n" << Joined(Log.Output);
}

// A test of one engine run on a node with updates 0 to LastUpdate, whose
// engine plays Scenario (the standard run when it is empty): the wizard
// started with Args, walked to Start in Language (an index in cbLocale).
// FStarted is the earliest time a log of the run can carry.
class TScenarioRunTest : public TWizardTest {
 protected:
  ::testing::AssertionResult WalkScenarioToStart(const std::string& Scenario, int LastUpdate,
                                                 const std::string& Args = "~nosnapshot", int Language = 0) {
    if (!Scenario.empty()) World().UseScenario("run", Scenario);
    const std::string Updates = MakeUpdates(World().Root() + "updates", 0, LastUpdate);
    ::testing::AssertionResult Started = StartWizard(Args);
    if (!Started) return Started;
    ::testing::AssertionResult Walked = WalkToStart(Wizard(), Updates, Language);
    FStarted = LocalNow();
    return Walked;
  }
  // ... and Start pressed.
  ::testing::AssertionResult StartScenarioRun(const std::string& Scenario, int LastUpdate,
                                              const std::string& Args = "~nosnapshot", int Language = 0) {
    ::testing::AssertionResult Walked = WalkScenarioToStart(Scenario, LastUpdate, Args, Language);
    if (!Walked) return Walked;
    return PressStart(Wizard());
  }
  // The run's log, named for a minute from Start to now.
  ::testing::AssertionResult ReadLog(TRunLog& Log) { return ReadRunLog(World(), FStarted, LocalNow(), Log); }
  void SendOperatorLine(const std::string& Text) { ::SendOperatorLine(Wizard(), Text); }

  SYSTEMTIME FStarted = {};
};

}  // namespace runwalk
