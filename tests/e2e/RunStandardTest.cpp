// Runs that go as planned: the engine's standard run through the real window,
// with and without a snapshot, the copies into the support folder, the log
// beside the wizard and the reboot notice at the end.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

class RunStandard : public TScenarioRunTest {
 protected:
  void SetUp() override {
    TScenarioRunTest::SetUp();
    World().SetEngineDelayMs(0);
  }

  FILETIME WriteTime(const std::string& Path) {
    WIN32_FILE_ATTRIBUTE_DATA Data = {};
    if (!GetFileAttributesExA(Path.c_str(), GetFileExInfoStandard, &Data)) return FILETIME{};
    return Data.ftLastWriteTime;
  }
};

// What the result page, the buttons and the progress page show once a run
// has succeeded up to Level.
void ExpectSucceeded(TWizardDriver& W, const std::string& Level, int Sections) {
  EXPECT_EQ(EnglishSuccessText(Level), W.Text("txtCompletionStatusInfo"));
  EXPECT_FALSE(W.IsVisible("btPrev"));
  EXPECT_FALSE(W.IsVisible("btNext"));
  EXPECT_TRUE(W.IsVisible("btExit") && W.IsEnabled("btExit"));
  EXPECT_EQ(Sections * 100, W.ProgressMax("sbarProgress"));
  EXPECT_EQ(Sections * 100, W.ProgressPosition("sbarProgress"));
  EXPECT_EQ("Progress 100%", W.Text("lbProgressTitle"));
  const std::string ServerLine = W.Text("lbServerVersion");
  EXPECT_NE(std::string::npos, ServerLine.find(" at " + Level)) << "server level line: " << ServerLine;
}

}  // namespace

TEST_F(RunStandard, WithSnapshotEndsInSuccessAndLogsTheRun) {
  TWorld& Node = World();
  const std::string Updates = MakeUpdates(Node.Root() + "updates", 0, 3);
  // Earlier copies in the support folder, read-only, must be replaced.
  for (const char* Name : {"oue.exe", "OUpdate.exe"}) {
    const std::string Old = Node.SupportBinDir() + Name;
    WriteFileBytes(Old, "an earlier copy");
    ASSERT_TRUE(SetFileAttributesA(Old.c_str(), FILE_ATTRIBUTE_READONLY)) << Old;
  }
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  bool SnapshotPage = false;
  ASSERT_TRUE(WalkToStart(W, Updates, 0, &SnapshotPage));
  EXPECT_TRUE(SnapshotPage) << "update 0 is there, so the snapshot page must be offered";
  const std::string Drive = W.ComboItems("cbSnapshotDrive").empty()
                                ? std::string()
                                : W.ComboItems("cbSnapshotDrive")[W.ComboSelection("cbSnapshotDrive")];
  const SYSTEMTIME Started = LocalNow();
  ASSERT_TRUE(PressStart(W));
  ASSERT_TRUE(WaitResultPage(W));
  const SYSTEMTIME Ended = LocalNow();

  ExpectSucceeded(W, "3.1.0.3", 5);
  EXPECT_EQ("3.1.0.3", World().LocalUpdateLevel());
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  W.Screenshot("run-standard-success-en.bmp");

  for (const char* Name : {"oue.exe", "OUpdate.exe"}) {
    const std::string Copy = Node.SupportBinDir() + Name;
    EXPECT_EQ(ReadFileBytes(Node.WizardDir() + Name), ReadFileBytes(Copy)) << Copy << " is not a copy of the original";
    const DWORD Attributes = GetFileAttributesA(Copy.c_str());
    EXPECT_EQ(0u, Attributes & FILE_ATTRIBUTE_READONLY) << Copy << " attributes " << Attributes;
  }

  TRunLog Log;
  ASSERT_TRUE(ReadRunLog(Node, Started, Ended, Log));
  EXPECT_EQ(W.Text("txtCompletionStatusInfo"), Log.ResultText);
  ASSERT_FALSE(Log.Output.empty());
  // The banner, then every line of output preceded by a line break.
  const std::string Head = Log.ResultText + LogBanner + "\r\n[PARAM]: PRODUCT=orvane\r\n";
  EXPECT_EQ(Head, Log.Raw.substr(0, Head.size()));
  std::string Folder = Updates.substr(0, Updates.size() - 1);
  const std::vector<std::vector<std::string>> Expected = {
      {"[PARAM]: PRODUCT=orvane", "[PARAM]: DIR=" + Folder},
      {"[SECTION]: Snapshot"},
      {"[SECTION]: Update Orvane-3.1.0.0"},
      {"[SECTION]: Update Orvane-3.1.0.3"},
      {"[STATUS]: 999,Update complete,100", "[Result]: SUCCESS Orvane updated to 3.1.0.3"},
  };
  size_t After = 0;
  for (const auto& Lines : Expected) {
    const size_t At = FindLines(Log.Output, Lines);
    EXPECT_NE(std::string::npos, At) << "missing in the log: " << Lines.front() << "\n" << Joined(Log.Output);
    if (At == std::string::npos) continue;
    EXPECT_LE(After, At) << Lines.front() << " out of order";
    After = At;
  }
  EXPECT_EQ("[Result]: SUCCESS Orvane updated to 3.1.0.3", Log.Output.back());
  // The engine was told the drive selected on the snapshot page.
  const size_t Snapshot = FindLines(Log.Output, {"[PARAM]: SNAPSHOT=" + Drive.substr(0, 2)});
  EXPECT_TRUE(Drive.size() >= 2 && Snapshot != std::string::npos) << "drive chosen \"" << Drive << "\"\n"
                                                                  << Joined(Log.Output);

  // No reboot was asked for: Exit ends the program without a word.
  W.Click("btExit");
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();
  EXPECT_EQ(0u, W.ExitCode().value_or(999));
}

// "~NoSnapshot": no snapshot page, and the engine hears -nosnapshot. The
// folder has a blank in its name and is typed with a trailing backslash,
// which the engine must not receive.
TEST_F(RunStandard, NoSnapshotSwitchSkipsTheSnapshotPageAndTellsTheEngine) {
  TWorld& Node = World();
  const std::string Updates = MakeUpdates(Node.Root() + "update files", 0, 1);
  ASSERT_TRUE(StartWizard("~NoSnapshot"));
  TWizardDriver& W = Wizard();
  {
    SCOPED_TRACE("TheNoSnapshotSwitchNeverShowsTheSnapshotPage");
    ASSERT_TRUE(ShowUpdateList(Updates));
    EXPECT_EQ((std::vector<std::string>{"Updates", "Orvane-3.1.0.0", "Orvane-3.1.0.1"}),
              W.GridRows("grdUpdateFileList"));
    // No snapshot, so no section for it.
    EXPECT_EQ(200, W.ProgressMax("sbarProgress"));
    ASSERT_TRUE(Move("btNext", "TabSheet5"));
    for (const char* Page : {"TabSheet2", "TabSheet1", "TabSheet0"}) ASSERT_TRUE(Move("btPrev", Page));
  }
  bool SnapshotPage = true;
  ASSERT_TRUE(WalkToStart(W, Updates, 0, &SnapshotPage));
  EXPECT_FALSE(SnapshotPage);
  const SYSTEMTIME Started = LocalNow();
  ASSERT_TRUE(PressStart(W));
  ASSERT_TRUE(WaitResultPage(W));
  ExpectSucceeded(W, "3.1.0.1", 2);

  TRunLog Log;
  ASSERT_TRUE(ReadRunLog(Node, Started, LocalNow(), Log));
  const std::string Folder = Node.Root() + "update files";
  EXPECT_NE(std::string::npos,
            FindLines(Log.Output, {"[PARAM]: DIR=" + Folder, "[PARAM]: SNAPSHOT=NONE", "[PARAM]: UPDATES=2"}))
      << Joined(Log.Output);
  EXPECT_EQ(std::string::npos, FindLines(Log.Output, {"[SECTION]: Snapshot"})) << Joined(Log.Output);
}

TEST_F(RunStandard, AReportedRebootIsAnnouncedOnceAtExit) {
  World().SetEngineNeedsReboot(true);
  ASSERT_TRUE(StartScenarioRun("", 0, "~NOSNAPSHOT"));
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << "the reboot is announced at exit, not before: " << OpenBoxes();

  W.Click("btExit");
  std::optional<TMessageBox> Box = W.WaitMessageBox();
  ASSERT_TRUE(Box.has_value()) << "no reboot notice at exit";
  EXPECT_EQ(CatalogueText("str_Title_Information"), Box->Title);
  EXPECT_EQ(CatalogueText("str_Message_Server_Needs_Reboot"), Box->Text);
  EXPECT_EQ(std::vector<int>{IDOK}, Box->Buttons);
  W.Screenshot("run-reboot-notice-en.bmp");
  ASSERT_TRUE(W.Answer(*Box, IDOK));
  EXPECT_TRUE(W.WaitExit()) << "the program goes on after the notice: " << OpenBoxes();
  EXPECT_EQ(0u, W.ExitCode().value_or(999));
}

// The wizard already runs from the support folder (as it does after a
// restart): nothing is copied, though KelvraHome and the wizard's own path
// name the folder in other letter cases. A copy would have cleared the
// read-only marks first.
TEST_F(RunStandard, AWizardStartedFromTheSupportFolderCopiesNothing) {
  TWorld& Node = World();
  const std::string Updates = MakeUpdates(Node.Root() + "updates", 0, 0);
  for (const char* Name : {"oue.exe", "OUpdate.exe"}) {
    const std::string Copy = Node.SupportBinDir() + Name;
    ASSERT_TRUE(CopyFileA((Node.WizardDir() + Name).c_str(), Copy.c_str(), FALSE)) << Name;
    ASSERT_TRUE(SetFileAttributesA(Copy.c_str(), FILE_ATTRIBUTE_READONLY)) << Copy;
  }
  const FILETIME EngineTime = WriteTime(Node.SupportBinDir() + "oue.exe");
  const FILETIME WizardTime = WriteTime(Node.SupportBinDir() + "OUpdate.exe");
  // Removing the wizard's usual folder makes sure nothing is taken from there.
  ASSERT_TRUE(DeleteTree(Node.WizardDir()));

  std::string Upper = Node.InstallRoot();
  for (char& C : Upper) C = static_cast<char>(toupper(static_cast<unsigned char>(C)));
  Node.SetEnv("KelvraHome", Upper);
  std::string Folder = Node.SupportBinDir();
  const size_t Support = Folder.find("\\support\\bin\\");
  ASSERT_NE(std::string::npos, Support);
  Folder.replace(Support, 13, "\\Support\\Bin\\");
  TWizardDriver& W = Wizard();
  W.Launch(Folder + "OUpdate.exe", "~nosnapshot", Node.Environment(), Folder);
  std::string Why;
  ASSERT_TRUE(W.WaitWindow(DefaultTimeoutMs, &Why)) << Why;
  ASSERT_TRUE(WalkToStart(W, Updates));
  const SYSTEMTIME Started = LocalNow();
  ASSERT_TRUE(PressStart(W));
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  const FILETIME EngineAfter = WriteTime(Node.SupportBinDir() + "oue.exe");
  const FILETIME WizardAfter = WriteTime(Node.SupportBinDir() + "OUpdate.exe");
  EXPECT_EQ(0, CompareFileTime(&EngineTime, &EngineAfter)) << "oue.exe was written again";
  EXPECT_EQ(0, CompareFileTime(&WizardTime, &WizardAfter)) << "OUpdate.exe was written again";
  for (const char* Name : {"oue.exe", "OUpdate.exe"}) {
    const DWORD Attributes = GetFileAttributesA((Node.SupportBinDir() + Name).c_str());
    EXPECT_NE(0u, Attributes & FILE_ATTRIBUTE_READONLY) << Name << " was copied over (attributes " << Attributes << ")";
  }

  // The log goes beside the wizard, here the support folder.
  const std::vector<std::string> Logs = ListFiles(Node.SupportBinDir(), "OUpdate.*.log");
  ASSERT_EQ(1u, Logs.size());
  const std::string Expected = "OUpdate." + LogStamp(Started) + ".log";
  const std::string ExpectedLater = "OUpdate." + LogStamp(LocalNow()) + ".log";
  EXPECT_TRUE(Logs[0] == Expected || Logs[0] == ExpectedLater) << Logs[0];
}
