// Unattended runs as a fleet tool makes them: /quiet and /passive, each
// outcome with its exit code and log. Also the one-wizard rule.
#include "Unattended.h"

using namespace unattended;

// The folder has blanks and is quoted whole; the log goes to a new folder.
TEST_F(Unattended, QuietRunSucceedsWithoutShowingAnything) {
  const std::string Updates = MakeUpdates(World().Root() + "update files", 0, 3);
  DWORD Code = 0;
  bool WindowSeen = true;
  ASSERT_TRUE(RunToExit(Quiet(Updates), Code, &WindowSeen));
  EXPECT_EQ(0u, Code) << Log();
  EXPECT_FALSE(WindowSeen) << "a quiet run showed a window";
  EXPECT_EQ("3.1.0.3", World().LocalUpdateLevel());

  const std::string Text = Log();
  const size_t Banner = Text.find(LogBanner);
  ASSERT_NE(std::string::npos, Banner) << Text;
  EXPECT_EQ(EnglishSuccessText("3.1.0.3"), Text.substr(0, Banner));
  const std::vector<std::string> Output = TranscriptLines(Text.substr(Banner + LogBanner.size()));
  EXPECT_NE(std::string::npos, FindLines(Output, {"[PARAM]: DIR=" + World().Root() + "update files"}))
      << Joined(Output);
  EXPECT_EQ(std::string::npos, FindLines(Output, {"[PARAM]: SNAPSHOT=NONE"})) << Joined(Output);
  EXPECT_TRUE(World().LogFiles().empty()) << "a dated log beside the wizard as well";
}

TEST_F(Unattended, EngineRebootRequestGives3010AndTheNoticeInTheLog) {
  World().SetEngineNeedsReboot(true);
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 0);
  // The other way of quoting, and the tilde switch among the new ones.
  const std::string Args =
      "-QUIET /updates=\"" + WithoutBackslash(Updates) + "\" ~nosnapshot /Log=\"" + LogPath() + "\"";
  ExpectOutcome(Args, 3010, SuccessHead());
  EXPECT_NE(std::string::npos, Log().find(RebootNotice())) << Log();
  EXPECT_NE(std::string::npos, Log().find("[PARAM]: SNAPSHOT=NONE")) << Log();
}

TEST_F(Unattended, NoSnapshotSwitchTellsTheEngine) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 0);
  ExpectOutcome(Quiet(Updates) + " /nosnapshot", 0, SuccessHead());
  EXPECT_NE(std::string::npos, Log().find("[PARAM]: SNAPSHOT=NONE")) << Log();
}

// The fleet tool reads the log; a success it cannot read about is a failure.
TEST_F(Unattended, AnUnwritableLogMakesASuccess1603) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 0);
  DWORD Code = 0;
  // A folder stands where the log should go.
  ASSERT_TRUE(RunToExit(
      "/quiet /nosnapshot /updates=" + WithoutBackslash(Updates) + " /log=" + WithoutBackslash(Updates), Code));
  EXPECT_EQ(1603u, Code);
  EXPECT_EQ("3.1.0.0", World().LocalUpdateLevel()) << "the update itself ran";
}

TEST_F(Unattended, EngineFailureGives1603WithTheFailureAndTheOutput) {
  World().UseScenario("failing",
                      "line [SECTION]: Update Orvane-3.1.0.1\n"
                      "line [STATUS]: 202,Stopping services,15\n"
                      "line [Error]: Service OrvaneServer did not stop\n"
                      "exit 1\n");
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  ExpectOutcome(Quiet(Updates) + " /nosnapshot", 1603, FailureHead());
  EXPECT_EQ(0u, Log().find(EnglishFailureText("Update Orvane-3.1.0.1", " 202", "Stopping services",
                                              "\r\nService OrvaneServer did not stop")))
      << Log();
  EXPECT_NE(std::string::npos, Log().find(LogBanner + "\r\n[SECTION]: Update Orvane-3.1.0.1\r\n[STATUS]: 202"))
      << Log();
}

TEST_F(Unattended, RunningEngineGives1618AndNoEngineIsStarted) {
  ASSERT_TRUE(StartOtherEngine());
  ExpectOutcome(Quiet(MakeUpdates(World().Root() + "updates", 0, 1)), 1618, EngineRunningNotice());
  StopOtherEngine();
  EXPECT_FALSE(EngineCopied());
  EXPECT_EQ("3.0.3.2", World().LocalUpdateLevel());
}

TEST_F(Unattended, CommandLineMistakesGive1639) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  const struct {
    std::string Args;
    std::string Head;
  } Cases[] = {
      {"/quiet /log=\"" + LogPath() + "\"", "The command line is not valid: /updates=<folder> is missing."},
      {Quiet(World().Root() + "no such folder"),
       "The command line is not valid: the update folder " + World().Root() + "no such folder does not exist."},
      {Quiet(Updates) + " /snapshot=D: /nosnapshot",
       "The command line is not valid: /snapshot and /nosnapshot exclude each other."},
      {Quiet(Updates) + " /lang=it", "The command line is not valid: \"it\" is no language of the wizard."},
      {Quiet(Updates) + " /reboot", "The command line is not valid: unknown switch /reboot."},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Args);
    DeleteFileA(LogPath().c_str());
    ExpectOutcome(Case.Args, 1639, Case.Head);
  }
  EXPECT_FALSE(EngineCopied());
}

TEST_F(Unattended, PendingRebootGives350AndRegistersOnlyTheFlagDeletion) {
  World().CreateRebootFlag();
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  ExpectOutcome(Quiet(Updates), 350, Head("str_Message_Please_Reboot_Before_Updating"));
  EXPECT_TRUE(World().RunOnceValue("DeleteOUERebootFlag").has_value());
  EXPECT_FALSE(World().RunOnceValue("StartOUpdate").has_value()) << "the fleet tool starts the wizard again";
}

TEST_F(Unattended, GapIsRefusedUnlessWarningsAreAccepted) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  MakeUpdates(Updates, 3, 3);
  ExpectOutcome(Quiet(Updates), 1, Head("str_Message_Missing_Update_Files_Continue"));
  EXPECT_FALSE(EngineCopied());
  ExpectOutcome(Quiet(Updates) + " /acceptwarnings", 0, SuccessHead());
  EXPECT_EQ("3.1.0.3", World().LocalUpdateLevel());
}

TEST_F(Unattended, NothingApplicableGives1AndAnUpToDateNodeGives2) {
  const std::string Later = MakeUpdates(World().Root() + "later", 1, 2);
  ExpectOutcome(Quiet(Later), 1, "No applicable updates for 3.0.3.2 available in the selected folder.");
  World().SetLocalUpdateLevel("3.1.0.3");
  const std::string Done = MakeUpdates(World().Root() + "done", 0, 3);
  ExpectOutcome(Quiet(Done), 2, "No applicable updates for 3.1.0.3 available in the selected folder.");
  EXPECT_FALSE(EngineCopied());
}

TEST_F(Unattended, LogInTheChosenLanguage) {
  const std::string Later = MakeUpdates(World().Root() + "later", 1, 2);
  ExpectOutcome(Quiet(Later) + " /lang=de", 1,
                "Im ausgew\xE4hlten Ordner sind keine anwendbaren Updates f\xFCr 3.0.3.2 vorhanden.");
}

TEST_F(Unattended, PassiveRunShowsTheProgressPageAndEndsByItself) {
  // Slow enough for the progress page to be seen and pictured.
  World().SetEngineDelayMs(60);
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  TWizardDriver& W = Wizard();
  W.Launch(World().WizardExe(),
           "/passive /nosnapshot /updates=\"" + WithoutBackslash(Updates) + "\" /log=\"" + LogPath() + "\"",
           World().Environment(), World().WizardDir());
  std::string Why;
  ASSERT_TRUE(W.WaitWindow(DefaultTimeoutMs, &Why)) << Why;
  EXPECT_EQ("TabSheet6", W.WaitPage("TabSheet6", RunTimeoutMs));
  W.Screenshot("unattended-passive-progress.bmp");
  ASSERT_TRUE(W.WaitExit(RunTimeoutMs)) << "the passive run waits on page " << W.ActivePage();
  EXPECT_EQ(0u, W.ExitCode().value_or(999999));
  EXPECT_EQ(SuccessHead(), FirstLine(Log()));
}

// One wizard at a time: an unattended start beside an open wizard does
// nothing, and a second interactive one brings the first to the front.
TEST_F(Unattended, AnOpenWizardKeepsOthersOut) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  TWizardDriver First;
  First.Launch(World().WizardExe(), "", World().Environment(), World().WizardDir());
  std::string Why;
  ASSERT_TRUE(First.WaitWindow(DefaultTimeoutMs, &Why)) << Why;
  ExpectOutcome(Quiet(Updates), 1618, "Another copy of the update utility is already running on this server.");
  EXPECT_FALSE(EngineCopied());

  ShowWindow(First.Window(), SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(First.Window()) != FALSE; }));
  DWORD Code = 0;
  bool WindowSeen = true;
  ASSERT_TRUE(RunToExit("", Code, &WindowSeen));
  EXPECT_EQ(1618u, Code);
  EXPECT_FALSE(WindowSeen) << "the second wizard opened a window";
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(First.Window()); })) << "the first wizard stayed minimized";
  EXPECT_EQ("TabSheet0", First.ActivePage());
  First.Kill();
}

// Without /quiet or /passive the new switches are refused with the usage.
TEST_F(Unattended, SwitchesWithoutAModeShowTheUsage) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  TWizardDriver& W = Wizard();
  W.Launch(World().WizardExe(), "/updates=\"" + WithoutBackslash(Updates) + "\"", World().Environment(),
           World().WizardDir());
  std::optional<TMessageBox> Box = W.WaitMessageBox();
  ASSERT_TRUE(Box.has_value()) << "no usage shown";
  EXPECT_EQ(0u, Box->Text.find("The command line is not valid: the switch /updates=" + WithoutBackslash(Updates) +
                               " needs /quiet, /passive or /check."))
      << *Box;
  EXPECT_NE(std::string::npos, Box->Text.find("OUpdate.exe /quiet /updates=<folder>")) << *Box;
  ASSERT_TRUE(W.Answer(*Box, IDOK));
  ASSERT_TRUE(W.WaitExit());
  EXPECT_EQ(1639u, W.ExitCode().value_or(999999));
}
