// Start on the last page before the run: the checks in their order, each
// refusal's box, and a fresh answer each time the operator presses Start
// again. One wizard walks to Start; the node is then put right one fault at a
// time, so every press shows the first check that still fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CatalogueText.h"
#include "DriverError.h"
#include "RemoteCall.h"
#include "Files.h"
#include "RegistryAccess.h"
#include "Walk.h"
#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

std::string EngineRunning() {
  return CatalogueText("str_Message_Cant_Start_Update_Utility_Engine_Already_Running", English, {"oue.exe"});
}
std::string NotInMaintenance(int Language = English) {
  return CatalogueText("str_Message_Cant_Start_System_Not_In_MaintenanceMode", Language);
}
std::string BackupRunning() { return CatalogueText("str_Message_Cant_Start_System_While_Backups_Running"); }
std::string EngineMissing(const std::string& Folder) {
  return CatalogueText("str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder", English, {"oue.exe", Folder});
}
std::string PrimaryUnreachable(const std::string& Node) {
  return CatalogueText("str_Message_Cant_Determine_Remote_Server_UpdateLevel", English, {Node});
}
std::string MaintenanceUnknown(const std::string& Node) {
  return CatalogueText("str_Message_Cant_Determine_Remote_MaintenanceMode", English, {Node});
}

// A refusal's text, or (SystemErrorDetail set) a report of a failed system
// call that ends with that detail.
struct TExpectedText {
  std::string Exact;
  std::string SystemErrorDetail;
};

::testing::AssertionResult TextMatches(const std::string& Text, const TExpectedText& Expected) {
  const std::string& Detail = Expected.SystemErrorDetail;
  if (Detail.empty() && Text == Expected.Exact) return ::testing::AssertionSuccess();
  // A missing file or path: either code will do.
  if (!Detail.empty() && (Text == SystemErrorReport(2, Detail) || Text == SystemErrorReport(3, Detail)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "text \"" << Text << "\", expected \""
                                       << (Detail.empty() ? Expected.Exact : SystemErrorReport(3, Detail))
                                       << (Detail.empty() ? "\"" : "\" or the same with [2]");
}

std::string Lower(std::string Text) {
  std::transform(Text.begin(), Text.end(), Text.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  return Text;
}

class PagesStartChecks : public TWizardTest {
 protected:
  // A run that is let through ends in a moment, so the test ends with it.
  void SetUp() override {
    TWizardTest::SetUp();
    World().SetEngineDelayMs(0);
  }

  // From the first page to Start, over the snapshot page (update 0 is there).
  ::testing::AssertionResult WalkToStart() {
    const std::string Folder = World().MakeUpdateFolder("zero", {{"Orvane-3.1.0.0.oue"}});
    bool SnapshotPage = false;
    ::testing::AssertionResult Walked = Asserted([&] { SnapshotPage = GoToStartPage(Wizard(), Folder); });
    if (Walked && !SnapshotPage) return ::testing::AssertionFailure() << "no snapshot page on the way";
    Settle();
    return Walked;
  }

  void RestoreEngine() {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "oue.exe").c_str(), World().EngineExe().c_str(), FALSE));
  }

  // Presses Start and checks the refusal; the wizard must stay ready for
  // another try.
  void ExpectRefusal(const std::string& Title, const TExpectedText& Expected, const std::string& Picture) {
    TWizardDriver& W = Wizard();
    W.Click("btNext");
    std::optional<TMessageBox> Box = W.WaitMessageBox();
    ASSERT_TRUE(Box) << "Start was not refused; the wizard shows " << W.ActivePage();
    EXPECT_EQ(Title, Box->Title);
    EXPECT_TRUE(TextMatches(Box->Text, Expected));
    EXPECT_EQ(std::vector<int>{IDOK}, Box->Buttons) << *Box;
    EXPECT_FALSE(Box->ShowsIcon()) << "the box shows an icon";
    if (!Picture.empty()) W.Screenshot(Picture);
    ASSERT_TRUE(W.Answer(*Box, IDOK)) << OpenBoxes();
    Settle();
    EXPECT_EQ("TabSheet5", W.ActivePage());
    EXPECT_TRUE(W.IsVisible("btPrev") && W.IsEnabled("btPrev") && W.IsEnabled("btNext") && W.IsEnabled("btExit"));
    EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  }

  // Start passes: the run begins, and is followed to its result page so that
  // no engine outlives the test.
  void ExpectStart() {
    Wizard().Click("btNext");
    std::string Page;
    WaitUntil([&] {
      Page = Wizard().ActivePage();
      return Page == "TabSheet6" || Page == "TabSheet7" || !Wizard().MessageBoxes().empty();
    });
    ASSERT_TRUE(Page == "TabSheet6" || Page == "TabSheet7") << "the wizard shows " << Page << "; " << OpenBoxes();
    EXPECT_EQ("TabSheet7", Wizard().WaitPage("TabSheet7", 30000)) << OpenBoxes();
  }
};

}  // namespace

TEST_F(PagesStartChecks, EachPressOfStartShowsTheFirstCheckThatFails) {
  ASSERT_TRUE(StartWizard());
  ASSERT_TRUE(WalkToStart());
  ASSERT_EQ("Start", Wizard().Text("btNext"));

  // Everything wrong at once: another engine runs, the platform folder and
  // our engine are gone, and the primary node cannot be reached.
  ASSERT_TRUE(StartOtherEngine("OUE.EXE"));  // in capitals
  ASSERT_TRUE(DeleteTree(World().InstallRoot()));
  ASSERT_TRUE(DeleteFileA(World().EngineExe().c_str()));
  World().SetSystemValue("PrimaryNodeName", "NOSUCHNODE");

  const struct {
    const char* What;
    std::function<void()> PutRight;  // the fault of the step before
    TExpectedText Text;
    const char* Picture;
  } Steps[] = {
      {"E1: an engine runs", [] {}, {EngineRunning(), ""}, "start-refusal-e1-en.bmp"},
      {"E3: no platform folder", [this] { StopOtherEngine(); }, {"", World().InstallRoot()}, "start-refusal-e3-en.bmp"},
      {"E4: no engine beside the wizard",
       [this] { World().InstallPlatform(); },
       {EngineMissing(World().WizardDir()), ""},
       "start-refusal-e4-en.bmp"},
      {"E5: primary unreachable",
       [this] { RestoreEngine(); },
       {PrimaryUnreachable("NOSUCHNODE"), ""},
       "start-refusal-e5-en.bmp"},
      {"E6: primary below 3.0.0.0 and not in maintenance",
       [this] {
         World().SetSystemValue("PrimaryNodeName", TWorld::ComputerName());
         World().SetLocalUpdateLevel("2.3.1.5");
         World().SetSystemValue("MaintenanceMode", "Off");
       },
       {NotInMaintenance(), ""},
       "start-refusal-e6-en.bmp"},
      // Without a primary node name this node reads its own registry but is
      // not the primary, so an unknown mode cannot be vouched for.
      {"E7: maintenance unknown on a secondary node",
       [this] {
         World().DeleteSystemValue("PrimaryNodeName");
         World().SetSystemValue("MaintenanceMode", "maybe");
       },
       {MaintenanceUnknown(""), ""},
       "start-refusal-e7-en.bmp"},
      // As text, "10.0.0.0" is below "3.0.0.0".
      {"E7: level 10.0.0.0 is below 3.0.0.0",
       [this] { World().SetLocalUpdateLevel("10.0.0.0"); },
       {MaintenanceUnknown(""), ""},
       ""},
      // From "3.0.0.0" on backups count and maintenance mode does not.
      {"E8: a backup runs",
       [this] {
         World().SetLocalUpdateLevel("3.0.0.0");
         World().SetSystemValue("MaintenanceMode", "OFF");
         World().SetSystemValue("pid", "0");
       },
       {BackupRunning(), ""},
       "start-refusal-e8-en.bmp"},
      {"E8: a database backup runs",
       [this] {
         World().DeleteSystemValue("pid");
         World().SetSystemValue("DatabaseBackupPid", "4711");
       },
       {BackupRunning(), ""},
       ""},
  };
  for (const auto& Step : Steps) {
    SCOPED_TRACE(Step.What);
    Step.PutRight();
    ExpectRefusal(CatalogueText("str_Title_Error"), Step.Text, Step.Picture);
    if (HasFatalFailure()) return;
  }
  World().DeleteSystemValue("DatabaseBackupPid");
  ExpectStart();
}

TEST_F(PagesStartChecks, RefusalsFollowTheLanguageExceptTwoThatAreEnglishOnly) {
  ASSERT_TRUE(StartWizard());
  ASSERT_TRUE(Wizard().SelectCombo("cbLocale", 1)) << OpenBoxes();
  ASSERT_TRUE(WalkToStart());
  ASSERT_EQ("Start", Wizard().Text("btNext"));

  const struct {
    const char* What;
    std::function<void()> Arrange;
    std::string Text;
    const char* Picture;
  } Steps[] = {
      {"E5 in English", [this] { World().SetSystemValue("PrimaryNodeName", "NOSUCHNODE"); },
       PrimaryUnreachable("NOSUCHNODE"), "start-refusal-e5-de.bmp"},
      // The primary's name in other letters is still this node.
      {"E8 in English",
       [this] {
         World().SetSystemValue("PrimaryNodeName", Lower(TWorld::ComputerName()));
         World().SetLocalUpdateLevel("3.1.0.2");
         World().SetSystemValue("pid", "1");
       },
       BackupRunning(), "start-refusal-e8-de.bmp"},
      {"E6 in German",
       [this] {
         World().DeleteSystemValue("pid");
         World().SetLocalUpdateLevel("2.3.1.0");
         World().SetSystemValue("MaintenanceMode", "Off");
       },
       NotInMaintenance(German), "start-refusal-e6-de.bmp"},
  };
  for (const auto& Step : Steps) {
    SCOPED_TRACE(Step.What);
    Step.Arrange();
    ExpectRefusal(CatalogueText("str_Title_Error", German), {Step.Text, ""}, Step.Picture);
    if (HasFatalFailure()) return;
  }
  // On the primary node itself an unknown mode does not stop the update.
  World().DeleteSystemValue("MaintenanceMode");
  ExpectStart();
}

// The platform's variable gone by the time Start is pressed (the first page
// found it): the Start page must report it as not found, in the system's
// words for that, whatever the last failed call was.
TEST_F(PagesStartChecks, WithoutKelvraHomeStartReportsItNotFound) {
  ASSERT_TRUE(StartWizard());
  ASSERT_TRUE(WalkToStart());
  ASSERT_TRUE(Asserted([&] { RemoveProcessVariable(Wizard().Process().Handle(), "KelvraHome"); }));
  ExpectRefusal(CatalogueText("str_Title_Error"), {SystemErrorReport(ERROR_ENVVAR_NOT_FOUND, "\"KelvraHome\""), ""},
                "start-refusal-e2-en.bmp");
}
