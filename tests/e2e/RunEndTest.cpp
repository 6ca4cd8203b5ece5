// Every end of a run reaches a result and a log: a platform value that turns
// into a number while the engine works, and an unattended run over a level
// that is not text, end as they should, with no box left waiting.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "RegistryAccess.h"
#include "RunWalk.h"
#include "Unattended.h"

using namespace runwalk;
using unattended::FirstLine;

namespace {

class RunEnd : public TScenarioRunTest {};

// The engine's last status (100%) refreshes the level line, which reads
// CurrentRelease; it arrives together with the engine's end, so it is read
// either in a pass or in the drain after the end.
TEST_F(RunEnd, AReleaseTurnedIntoANumberDuringTheRunStillReachesTheResultAndTheLog) {
  ASSERT_TRUE(
      StartScenarioRun("line [SECTION]: Update Orvane-3.1.0.0\n"
                       "readline\n"
                       "level 3.1.0.0\n"
                       "exit-unread [STATUS]: 9,Done,100\\r\\n[Result]: SUCCESS\\r\\n\n",
                       0));
  TWizardDriver& W = Wizard();
  ASSERT_EQ("Update Orvane-3.1.0.0", W.WaitText("lbCurrentStepTitle", "Update Orvane-3.1.0.0", RunTimeoutMs));
  WriteRegistryDword(TWorld::PlatformKey(), "CurrentRelease", 310);
  SendOperatorLine("go on");
  ASSERT_TRUE(WaitResultPage(W)) << OpenBoxes();
  Settle();
  EXPECT_TRUE(W.MessageBoxes().empty()) << OpenBoxes();
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), W.Text("txtCompletionStatusInfo"));
  EXPECT_NE(std::string::npos, W.Text("lbServerVersion").find("<unknown>")) << W.Text("lbServerVersion");
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), Log.ResultText);
  ASSERT_FALSE(Log.Output.empty());
  EXPECT_EQ("[Result]: SUCCESS", Log.Output.back());
}

class QuietEnd : public unattended::Unattended {};

TEST_F(QuietEnd, ALevelThatIsNotTextEndsWithTheCodeTheLogsFirstLineNames) {
  WriteRegistryDword(TWorld::ProductKey(), "UpdateLevel", 3);
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  for (const char* Mode : {"/quiet", "/check"}) {
    SCOPED_TRACE(Mode);
    DWORD Code = 0;
    bool WindowSeen = true;
    ASSERT_TRUE(RunToExit(Quiet(Updates).replace(0, 6, Mode), Code, &WindowSeen));
    EXPECT_EQ(1u, Code) << RawLog();
    EXPECT_FALSE(WindowSeen);
    EXPECT_TRUE(FirstLineNames(Code));
    EXPECT_NE(std::string::npos, Log().find("UpdateLevel")) << RawLog();
    EXPECT_FALSE(EngineCopied());
  }
}

// A fleet tool that asks the hidden window to close (taskkill without /f)
// while the engine works gets the code and the log of what happened so far.
TEST_F(QuietEnd, ACloseRequestDuringTheRunEndsWith1603AndTheOutputSoFar) {
  World().UseScenario("waits", "line [SECTION]: Update Orvane-3.1.0.0\nline before the close\nreadline\n");
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 0);
  TWizardDriver& W = Wizard();
  W.Launch(World().WizardExe(), Quiet(Updates) + " /nosnapshot", World().Environment(), World().WizardDir());
  const std::string Running = LogPath() + ".running";
  ASSERT_TRUE(
      WaitUntil([&] { return ReadFileBytes(Running).value_or("").find("before the close\r\n") != std::string::npos; },
                RunTimeoutMs))
      << "the engine's lines never reached " << Running;
  W.Close();
  ASSERT_TRUE(W.WaitExit(RunTimeoutMs)) << "the close request was refused";
  EXPECT_EQ(1603u, W.ExitCode().value_or(999999));
  EXPECT_TRUE(FirstLineNames(1603));
  EXPECT_EQ("The update utility was asked to close before the update had ended.", FirstLine(Log()));
  EXPECT_NE(std::string::npos, Log().find(LogBanner + "\r\n[SECTION]: Update Orvane-3.1.0.0\r\nbefore the close"))
      << RawLog();
}

}  // namespace
