// The engine's output as the operator follows it: the progress page during a
// run (in English and in German), the operator's input line, the close box
// refused while the engine works. (A flood of output: RunLogTest.cpp; the
// engine's last words when it ends right after writing them:
// RunMisbehavingTest.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

// The engine stops after its first lines to read a line from the operator,
// so the progress page can be looked at while it holds still. The level it
// writes after the section has begun (and been shown) is not read again
// below 90%: the line below the pages still shows the old level.
const char ProgressHead[] =
    "line [PARAM]: PRODUCT=orvane\n"
    "line [SECTION]: Snapshot\n"
    "line [STATUS]: 105,Snapshot complete,100\n"
    "line [SECTION]: Update Orvane-3.1.0.0\n"
    "sleep 300\n"
    "level 3.1.0.0\n"
    "line [STATUS]: 12,Copying files,45\n"
    "line Copying file 2 of 3\n"
    "readline\n";

// From 90% on, the level is read again as each status comes.
const char NinetyPercentHead[] =
    "line [SECTION]: Update Orvane-3.1.0.0\n"
    "sleep 300\n"
    "level 3.1.0.0\n"
    "line [STATUS]: 206,Starting services,90\n"
    "readline\n";

const char SuccessTail[] =
    "level 3.1.0.0\n"
    "line [STATUS]: 207,Update Orvane-3.1.0.0 installed,100\n"
    "line [SECTION]: Update Orvane-3.1.0.1\n"
    "level 3.1.0.1\n"
    "line [STATUS]: 207,Update Orvane-3.1.0.1 installed,100\n"
    "line [Result]: SUCCESS\n";

const char FailureTail[] =
    "line [Error]: Disk C: is full\n"
    "exit 1\n";

struct TProgressCase {
  const char* Name;
  int Language;  // index in cbLocale
  const char* Code;
  bool Succeeds;
  const char* ProgressTitle;  // the second of three sections at 45%: 145 of 300
  const char* ResultText;
};

void PrintTo(const TProgressCase& Case, std::ostream* Out) { *Out << Case.Name; }

const TProgressCase ProgressCases[] = {
    {"EnglishSuccess", 0, "en", true, "Progress 48%",
     "Congratulations!\r\n\r\nYou have successfully upgraded this server to 3.1.0.1."},
    {"EnglishFailure", 0, "en", false, "Progress 48%",
     "Error!  Please call the Dantor Response Center.\r\n\r\nInstallation failed in step Update Orvane-3.1.0.0  12:"
     "\"Copying files\", with the following message:\r\n\r\n\r\nDisk C: is full"},
    {"GermanSuccess", 1, "de", true, "Status 48%",
     "Herzlichen Gl\xFC"
     "ckwunsch!\r\n\r\nSie haben diesen Server erfolgreich auf 3.1.0.1 aktualisiert."},
    {"GermanFailure", 1, "de", false, "Status 48%",
     "Fehler! Rufen Sie das Dantor Response Center an.\r\n\r\nInstallation bei Schritt Update Orvane-3.1.0.0  12:"
     "\"Copying files\" mit der folgenden Meldung fehlgeschlagen:\r\n\r\n\r\nDisk C: is full"},
};

class TRunFixture : public TScenarioRunTest {
 protected:
  // A started run of Scenario on a node with updates 0 and 1 (three sections
  // with the snapshot).
  ::testing::AssertionResult StartRun(const std::string& Scenario, const std::string& Args = "", int Language = 0) {
    return StartScenarioRun(Scenario, 1, Args, Language);
  }
};

class RunProgress : public TRunFixture, public ::testing::WithParamInterface<TProgressCase> {};

class RunOutput : public TRunFixture {};

// Waits until the progress page shows Text in Control, the engine having
// stopped to read its input.
::testing::AssertionResult WaitShown(TWizardDriver& W, const std::string& Control, const std::string& Text) {
  const std::string Seen = W.WaitText(Control, Text, PageTimeoutMs);
  if (Seen == Text) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << Control << " shows \"" << Seen << "\", expected \"" << Text << "\"; page "
                                       << W.ActivePage();
}

}  // namespace

TEST_P(RunProgress, FollowsTheEngineTakesInputAndShowsTheResult) {
  const TProgressCase& Case = GetParam();
  ASSERT_TRUE(StartRun(std::string(ProgressHead) + (Case.Succeeds ? SuccessTail : FailureTail), "", Case.Language));
  TWizardDriver& W = Wizard();

  ASSERT_TRUE(WaitShown(W, "txtProgressDetails", "Copying file 2 of 3"));
  EXPECT_EQ("TabSheet6", W.ActivePage());
  EXPECT_EQ("Update Orvane-3.1.0.0", W.Text("lbCurrentStepTitle"));
  EXPECT_EQ("Copying files", W.Text("txtCurrentStep"));
  EXPECT_EQ(Case.ProgressTitle, W.Text("lbProgressTitle"));
  EXPECT_EQ(300, W.ProgressMax("sbarProgress"));
  EXPECT_EQ(145, W.ProgressPosition("sbarProgress"));
  const std::string ServerLine = W.Text("lbServerVersion");
  EXPECT_EQ(ServerLine.size() - 8, ServerLine.find(" 3.0.3.2")) << "server level line: " << ServerLine;
  EXPECT_FALSE(W.IsVisible("btPrev"));
  EXPECT_FALSE(W.IsVisible("btNext"));
  EXPECT_TRUE(W.IsVisible("btExit"));
  EXPECT_FALSE(W.IsEnabled("btExit"));
  EXPECT_FALSE(W.IsVisible("edOUEInput")) << "the input line is never shown";
  W.Screenshot(std::string("run-progress-") + Case.Code + ".bmp");

  SendOperatorLine("continue please");
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(Case.ResultText, W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.IsVisible("btExit") && W.IsEnabled("btExit"));
  W.Screenshot(std::string("run-") + (Case.Succeeds ? "success-" : "failure-") + Case.Code + ".bmp");

  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Case.ResultText, Log.ResultText);
  EXPECT_NE(std::string::npos, FindLines(Log.Output, {"Copying file 2 of 3", "ECHO: continue please"}))
      << "the engine did not get the operator's line:\n"
      << Joined(Log.Output);
}

INSTANTIATE_TEST_SUITE_P(Run, RunProgress, ::testing::ValuesIn(ProgressCases),
                         [](const ::testing::TestParamInfo<TProgressCase>& Info) { return Info.param.Name; });

TEST_F(RunOutput, ClosingIsRefusedWhileTheEngineRuns) {
  ASSERT_TRUE(StartRun(std::string(NinetyPercentHead) + SuccessTail));
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(WaitShown(W, "txtCurrentStep", "Starting services"));
  const std::string NewLevelLine = "Primary " + TWorld::ComputerName() + " at 3.1.0.0";
  EXPECT_EQ(NewLevelLine, W.WaitText("lbServerVersion", NewLevelLine, 2000));
  const std::string StillRunning =
      CatalogueText("str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running", English, {"oue.exe"});

  const struct {
    const char* How;
    void (*Ask)(TWizardDriver&);
  } Ways[] = {
      {"close box", [](TWizardDriver& D) { D.Close(); }},
      {"Alt+F4", [](TWizardDriver& D) { D.PressKey(VK_F4, true); }},
  };
  for (const auto& Way : Ways) {
    SCOPED_TRACE(Way.How);
    Way.Ask(W);
    std::optional<TMessageBox> Box = W.WaitMessageBox();
    ASSERT_TRUE(Box.has_value()) << "no refusal";
    EXPECT_EQ("Information", Box->Title);
    EXPECT_EQ(StillRunning, Box->Text);
    EXPECT_EQ(std::vector<int>{IDOK}, Box->Buttons);
    if (Way.Ask == Ways[0].Ask) W.Screenshot("run-close-refused-en.bmp");
    ASSERT_TRUE(W.Answer(*Box, IDOK));
    EXPECT_TRUE(W.Running());
    EXPECT_EQ("TabSheet6", W.ActivePage());
  }

  // The run goes on and ends as usual; then the close box closes silently.
  SendOperatorLine("go on");
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(EnglishSuccessText("3.1.0.1"), W.Text("txtCompletionStatusInfo"));
  W.Close();
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();
  EXPECT_EQ(0u, W.ExitCode().value_or(999));
}
