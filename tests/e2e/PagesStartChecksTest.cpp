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

#include "DriverError.h"
#include "Files.h"
#include "RegistryAccess.h"
#include "Walk.h"
#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

constexpr int IconStaticId = 0x440;  // the icon of a message box

const char* const GenericError = "The program can not continue because of a configuration or system problem.";
const char* const EngineRunning =
    "Cannot start an update at this time, because a copy of the update utility engine (oue.exe) is already running.";
const char* const NotInMaintenance =
    "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\r"
    "The Orvane Administrator application (SYSA) can be used to switch to \"Maintenance Mode\".";
const char* const NotInMaintenanceGerman =
    "Update kann nicht gestartet werden, da sich das System nicht im  \"Verwaltungsmodus befindet\".\r\r"
    "Mit der Orvane Administrator-Anwendung (SYSA) kann das System in den \"Verwaltungsmodus\" versetzt werden.";
const char* const BackupRunning =
    "Cannot start an update at this time, because backup is running on the Primary Server.\r\r"
    "The Orvane Administrator application (SYSA) can be used to stop the backups.";

std::string EngineMissing(const std::string& Folder) {
  return "Cannot continue, because a copy of the update utility engine (oue.exe) must be available in:\r" + Folder;
}
std::string PrimaryUnreachable(const std::string& Node) {
  return "Cannot determine \"Update Level\" of the Primary server " + Node +
         ".\r\rPlease make sure the server is powered on and check the network permissions.";
}
std::string MaintenanceUnknown(const std::string& Node) {
  return "Cannot determine \"Maintenance Mode\" on Primary server " + Node +
         ".\r\rPlease make sure the server is powered on and check the network permissions.";
}

// A refusal's text, or (SystemErrorDetail set) a report of a failed system
// call that ends with that detail.
struct TExpectedText {
  std::string Exact;
  std::string SystemErrorDetail;
};

::testing::AssertionResult TextMatches(const std::string& Text, const TExpectedText& Expected) {
  if (Expected.SystemErrorDetail.empty()) {
    if (Text == Expected.Exact) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "text \"" << Text << "\", expected \"" << Expected.Exact << "\"";
  }
  // "%s\r\r[%d] %s: %s": generic text, a file-or-path-not-found code, the
  // system's words for it, the detail.
  const std::string Tail = ": " + Expected.SystemErrorDetail;
  const std::string Head = std::string(GenericError) + "\r\r[";
  const bool Shape = Text.compare(0, Head.size(), Head) == 0 && Text.size() > Head.size() + Tail.size() &&
                     Text.compare(Text.size() - Tail.size(), Tail.size(), Tail) == 0;
  const std::string Code = Shape ? Text.substr(Head.size(), Text.find(']', Head.size()) - Head.size()) : "";
  if (Shape && (Code == "2" || Code == "3")) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "text \"" << Text
                                       << "\", expected the generic text, [2] or [3], a message and \"" << Tail << "\"";
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
    HWND Icon = GetDlgItem(Box->Handle, IconStaticId);
    EXPECT_FALSE(Icon && IsWindowVisible(Icon) && SendToWindow(Icon, STM_GETICON, 0, 0, "STM_GETICON") != 0)
        << "the box shows an icon";
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
      {"E1: an engine runs", [] {}, {EngineRunning, ""}, "start-refusal-e1-en.bmp"},
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
       {NotInMaintenance, ""},
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
       {BackupRunning, ""},
       "start-refusal-e8-en.bmp"},
      {"E8: a database backup runs",
       [this] {
         World().DeleteSystemValue("pid");
         World().SetSystemValue("DatabaseBackupPid", "4711");
       },
       {BackupRunning, ""},
       ""},
  };
  for (const auto& Step : Steps) {
    SCOPED_TRACE(Step.What);
    Step.PutRight();
    ExpectRefusal("Error", Step.Text, Step.Picture);
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
       BackupRunning, "start-refusal-e8-de.bmp"},
      {"E6 in German",
       [this] {
         World().DeleteSystemValue("pid");
         World().SetLocalUpdateLevel("2.3.1.0");
         World().SetSystemValue("MaintenanceMode", "Off");
       },
       NotInMaintenanceGerman, "start-refusal-e6-de.bmp"},
  };
  for (const auto& Step : Steps) {
    SCOPED_TRACE(Step.What);
    Step.Arrange();
    ExpectRefusal("Fehler", {Step.Text, ""}, Step.Picture);
    if (HasFatalFailure()) return;
  }
  // On the primary node itself an unknown mode does not stop the update.
  World().DeleteSystemValue("MaintenanceMode");
  ExpectStart();
}
