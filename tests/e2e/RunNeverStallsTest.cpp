// The run never waits on the operator or on the window: a box left open does
// not pause the engine, a line typed for an engine that does not read never
// blocks the window, and a level that cannot be read never costs the result
// page or the log.
#include <gtest/gtest.h>

#include <string>

#include "RegistryAccess.h"
#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

class RunNeverStalls : public TScenarioRunTest {
 protected:
  // Starts a run of update 1 whose engine plays Scenario after the section
  // line, and waits until the progress page shows Step.
  ::testing::AssertionResult RunToStep(const std::string& Step, const std::string& Scenario) {
    ::testing::AssertionResult Started = StartScenarioRun("line [SECTION]: Update Orvane-3.1.0.1\n" + Scenario, 1);
    if (!Started) return Started;
    const std::string Seen = Wizard().WaitText("txtCurrentStep", Step, PageTimeoutMs);
    if (Seen == Step) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the current step is \"" << Seen << "\", expected \"" << Step << "\"";
  }
};

}  // namespace

// The operator pressed the close box and walked away: the refusal stays open
// while the engine writes far more than the pipe holds, and the engine still
// finishes.
TEST_F(RunNeverStalls, AnOpenBoxDoesNotPauseTheEngine) {
  ASSERT_TRUE(RunToStep("Waiting",
                        "line [STATUS]: 5,Waiting,10\n"
                        "readline\n"
                        "flood 200000 Detail line\n"
                        "level 3.1.0.1\n"
                        "line [STATUS]: 9,Done,100\n"
                        "line [Result]: SUCCESS\n"));
  TWizardDriver& W = Wizard();
  W.Close();
  std::optional<TMessageBox> Box = W.WaitMessageBox();
  ASSERT_TRUE(Box.has_value()) << "no refusal";
  SendOperatorLine("go");  // the flood begins only now, behind the box

  ASSERT_TRUE(WaitResultPage(W, 180000));
  EXPECT_TRUE(IsWindow(Box->Handle)) << "the box was closed before the run ended";
  EXPECT_EQ(EnglishSuccessText("3.1.0.1"), W.Text("txtCompletionStatusInfo"));
  ASSERT_TRUE(W.Answer(*Box, IDOK));
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_TRUE(LogEndsWith(Log, {"Detail line 200000", "[STATUS]: 9,Done,100", "[Result]: SUCCESS"}));
}

// The engine never reads its input: lines typed for it, during the run and
// after its end, leave the window answering and the run ending as usual.
TEST_F(RunNeverStalls, InputForAnEngineThatDoesNotReadNeverBlocksTheWindow) {
  ASSERT_TRUE(RunToStep("Working",
                        "line [STATUS]: 5,Working,50\n"
                        "sleep 1500\n"
                        "level 3.1.0.1\n"
                        "line [STATUS]: 9,Done,100\n"
                        "line [Result]: SUCCESS\n"));
  TWizardDriver& W = Wizard();
  SendOperatorLine("are you there?");
  SendOperatorLine(std::string(300, 'x'));
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(EnglishSuccessText("3.1.0.1"), W.Text("txtCompletionStatusInfo"));
  SendOperatorLine("too late");
  Settle();
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  W.Click("btExit");
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();
}

// The level turns into a number behind the wizard's back after the verdict:
// the result page shows it as unknown, and the result and the log are there.
TEST_F(RunNeverStalls, AnUnreadableLevelStillGivesTheResultAndTheLog) {
  ASSERT_TRUE(RunToStep("Done",
                        "level 3.1.0.1\n"
                        "line [STATUS]: 9,Done,100\n"
                        "line [Result]: SUCCESS\n"
                        "readline\n"));
  TWizardDriver& W = Wizard();
  Settle();
  WriteRegistryDword(TWorld::ProductKey(), "UpdateLevel", 3);
  SendOperatorLine("finish");
  ASSERT_TRUE(WaitResultPage(W));

  const std::string Expected = EnglishSuccessText("<unknown>");
  EXPECT_EQ(Expected, W.WaitText("txtCompletionStatusInfo", Expected, 2000));
  EXPECT_TRUE(W.NoMessageBoxFor(500)) << OpenBoxes();
  EXPECT_EQ("Primary " + TWorld::ComputerName() + " at <unknown>", W.Text("lbServerVersion"));
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Expected, Log.ResultText);
  EXPECT_TRUE(LogEndsWith(Log, {"[STATUS]: 9,Done,100", "[Result]: SUCCESS", "ECHO: finish"}));
}
