// The questions and refusals an operator meets on the way to Start: no
// platform, a pending reboot, update files away from a fixed disk, updates
// that do not fit the server, a gap in the numbers, and a registry value that
// cannot be read. Each box is read as shown (caption, text, buttons, default
// button, no icon, modal) and a picture of it is kept.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CatalogueText.h"
#include "Files.h"
#include "RegistryAccess.h"
#include "Walk.h"
#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

std::string NotFixedQuestion() { return CatalogueText("str_Message_Recommend_Updates_On_Local_Server_Query_Continue"); }
std::string GapQuestion() { return CatalogueText("str_Message_Missing_Update_Files_Continue"); }
std::string NoApplicableUpdates(const std::string& Level) {
  return CatalogueText("str_Message_No_Applicable_Updates_Available", English, {Level});
}

struct TExpectedBox {
  std::string Title;
  std::string Text;
  std::vector<int> Buttons;
  int Default;
};

// The button the box presses on Enter.
int DefaultButton(const TMessageBox& Box) {
  for (int Id : Box.Buttons) {
    HWND Button = GetDlgItem(Box.Handle, Id);
    if (Button && (GetWindowLongA(Button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return Id;
  }
  return 0;
}

class PagesRefusals : public TWizardTest {
 protected:
  // Presses Next (or the first page's big button, which acts as Next) and
  // returns the box it opens; the test fails without one.
  std::optional<TMessageBox> NextOpensBox(const char* Button = "btNext") {
    Wizard().Click(Button);
    std::optional<TMessageBox> Box = Wizard().WaitMessageBox();
    if (!Box) ADD_FAILURE() << "Next opened no box; the wizard shows " << Wizard().ActivePage();
    return Box;
  }

  // Checks the box against Expected (Text empty: checked by the caller).
  ::testing::AssertionResult IsBox(const TMessageBox& Box, const TExpectedBox& Expected) {
    ::testing::AssertionResult Result = ::testing::AssertionSuccess();
    auto Fail = [&Result, &Box]() -> ::testing::AssertionResult& {
      if (Result) Result = ::testing::AssertionFailure() << Box;
      return Result;
    };
    if (Box.Title != Expected.Title) Fail() << "\n  caption: expected \"" << Expected.Title << "\"";
    if (!Expected.Text.empty() && Box.Text != Expected.Text) Fail() << "\n  text: expected \"" << Expected.Text << "\"";
    if (Box.Buttons != Expected.Buttons) Fail() << "\n  buttons differ";
    if (DefaultButton(Box) != Expected.Default)
      Fail() << "\n  default button " << DefaultButton(Box) << ", expected " << Expected.Default;
    if (Box.ShowsIcon()) Fail() << "\n  shows an icon";
    if (IsWindowEnabled(Wizard().Window())) Fail() << "\n  the wizard's window is not blocked while the box shows";
    return Result;
  }

  // Answers the box and checks that the wizard stayed where it was.
  void AnswerAndStay(const TMessageBox& Box, int Button, const std::string& Page) {
    ASSERT_TRUE(Wizard().Answer(Box, Button)) << OpenBoxes();
    Settle();
    EXPECT_EQ(Page, Wizard().ActivePage());
    EXPECT_TRUE(Wizard().IsVisible("btNext") && Wizard().IsEnabled("btNext")) << "Next after the box";
    EXPECT_TRUE(Wizard().NoMessageBoxFor(0)) << OpenBoxes();
  }
};

}  // namespace

TEST_F(PagesRefusals, WithoutKelvraHomeTheWelcomePageStays) {
  World().UnsetEnv("KelvraHome");
  ASSERT_TRUE(StartWizard());
  // Twice: a refused leave check changes nothing, so the second try is
  // refused alike, here from the big button of the first page.
  for (int Try = 1; Try <= 2; ++Try) {
    SCOPED_TRACE("try " + std::to_string(Try));
    std::optional<TMessageBox> Box = NextOpensBox(Try == 1 ? "btNext" : "btUpdateSystem");
    ASSERT_TRUE(Box);
    EXPECT_TRUE(IsBox(*Box, {"Error", "", {IDOK}, IDOK}));
    EXPECT_EQ(SystemErrorReport(ERROR_ENVVAR_NOT_FOUND, "\"KelvraHome\""), Box->Text);
    if (Try == 1) Wizard().Screenshot("refusal-no-kelvrahome-en.bmp");
    AnswerAndStay(*Box, IDOK, "TabSheet0");
    EXPECT_FALSE(Wizard().IsVisible("btPrev"));
  }
}

TEST_F(PagesRefusals, AnEmptyKelvraHomeIsRefusedAlike) {
  World().SetEnv("KelvraHome", "");
  ASSERT_TRUE(StartWizard());
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_TRUE(IsBox(*Box, {"Error", "", {IDOK}, IDOK}));
  // An empty variable is no failed call: the report names the variable as
  // not found rather than the last error, which may be success.
  EXPECT_EQ(SystemErrorReport(ERROR_ENVVAR_NOT_FOUND, "\"KelvraHome\""), Box->Text);
  AnswerAndStay(*Box, IDOK, "TabSheet0");
}

TEST_F(PagesRefusals, APendingRebootRegistersTheRestartWarnsAndEnds) {
  World().CreateRebootFlag();
  ASSERT_TRUE(StartWizard());
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_TRUE(IsBox(*Box, {"Warning", CatalogueText("str_Message_Please_Reboot_Before_Updating"), {IDOK}, IDOK}));
  Wizard().Screenshot("refusal-reboot-pending-en.bmp");

  // Registered before the warning shows: the wizard starts again at the next
  // logon, and the flag is deleted then.
  unsigned long Type = 0;
  const std::string Start = World().RunOnceValue("StartOUpdate", &Type).value_or("(none)");
  EXPECT_EQ(static_cast<unsigned long>(REG_SZ), Type);
  EXPECT_NE(std::string::npos, Start.find(World().WizardExe())) << Start;
  const std::string Delete = World().RunOnceValue("DeleteOUERebootFlag", &Type).value_or("(none)");
  EXPECT_EQ(static_cast<unsigned long>(REG_EXPAND_SZ), Type);
  EXPECT_EQ(0u, Delete.find("CMD /c Del ")) << Delete;
  EXPECT_NE(std::string::npos, Delete.find("%KelvraHome%\\DantorKelvra\\support\\patches\\admin\\oueRebootCheck.txt"))
      << Delete;

  ASSERT_TRUE(Wizard().Answer(*Box, IDOK)) << OpenBoxes();
  ASSERT_TRUE(Wizard().WaitExit()) << "the wizard goes on: " << OpenBoxes();
  EXPECT_EQ(0u, Wizard().ExitCode().value_or(999));
}

TEST_F(PagesRefusals, AFolderNotOnAFixedDiskAsksAndNoStays) {
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  // The roots exist, so Next is enabled for each; "E:" is the CD-ROM's
  // current folder, which expands to its root.
  const struct {
    const char* Folder;
    const char* Kind;
  } Cases[] = {{"E:\\", "CD-ROM"}, {"F:\\", "network"}, {"G:\\", "removable"}, {"R:\\", "RAM disk"}, {"E:", "CD-ROM"}};
  bool Pictured = false;
  for (const auto& Case : Cases) {
    SCOPED_TRACE(std::string(Case.Folder) + " on the " + Case.Kind + " drive");
    W.SetText("edUpdateFilesPath", Case.Folder);
    ASSERT_TRUE(W.IsEnabled("btNext"));
    std::optional<TMessageBox> Box = NextOpensBox();
    ASSERT_TRUE(Box);
    EXPECT_TRUE(IsBox(*Box, {"Warning", NotFixedQuestion(), {IDYES, IDNO}, IDNO}));
    if (!Pictured) W.Screenshot("refusal-not-fixed-disk-en.bmp");
    Pictured = true;
    AnswerAndStay(*Box, IDNO, "TabSheet1");
    EXPECT_EQ(Case.Folder, W.Text("edUpdateFilesPath"));
  }

  // Yes goes on; the removable drive holds no updates.
  W.SetText("edUpdateFilesPath", "G:\\");
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  ASSERT_TRUE(W.Answer(*Box, IDYES));
  EXPECT_EQ("TabSheet2", W.WaitPage("TabSheet2")) << OpenBoxes();
  Settle();
  EXPECT_FALSE(W.IsEnabled("btNext"));

  // A fixed disk is not asked about.
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));
  W.SetText("edUpdateFilesPath", "D:\\");
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
}

TEST_F(PagesRefusals, UpdatesThatDoNotContinueTheLevelAreRefused) {
  World().SetLocalUpdateLevel("3.1.0.4");
  const std::string Folder = World().MakeUpdateFolder("six", {{"Orvane-3.1.0.6.oue"}});
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(ShowUpdateList(Folder));

  // The level is read afresh on every Next: 3.1.0.4 needs update 5, an older
  // release needs update 0, and 3.1.0.5 goes on with update 6.
  for (const char* Level : {"3.1.0.4", "3.0.3.2"}) {
    SCOPED_TRACE(std::string("level ") + Level);
    World().SetLocalUpdateLevel(Level);
    std::optional<TMessageBox> Box = NextOpensBox();
    ASSERT_TRUE(Box);
    EXPECT_TRUE(IsBox(*Box, {"Warning", NoApplicableUpdates(Level), {IDOK}, IDOK}));
    if (std::string(Level) == "3.1.0.4") W.Screenshot("refusal-no-applicable-updates-en.bmp");
    AnswerAndStay(*Box, IDOK, "TabSheet2");
    EXPECT_EQ((std::vector<std::string>{"Updates", "Orvane-3.1.0.6"}), W.GridRows("grdUpdateFileList"));
  }
  World().SetLocalUpdateLevel("3.1.0.5");
  ASSERT_TRUE(Move("btNext", "TabSheet5"));
}

TEST_F(PagesRefusals, AGapInTheNumbersAsksAndNoStays) {
  const std::string WithGap = World().MakeUpdateFolder(
      "one-two-four", {{"Orvane-3.1.0.1.oue"}, {"Orvane-3.1.0.2.oue"}, {"Orvane-3.1.0.4.oue"}});
  const std::string FarApart =
      World().MakeUpdateFolder("far-apart", {{"Orvane-3.1.0.2147483647.oue"}, {"Orvane-3.1.0.0.oue"}});
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(ShowUpdateList(WithGap));
  EXPECT_EQ((std::vector<std::string>{"Updates", "Orvane-3.1.0.1", "Orvane-3.1.0.2", "Orvane-3.1.0.4"}),
            W.GridRows("grdUpdateFileList"));

  // Updates that do not fit are refused before the gap is asked about.
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_EQ(NoApplicableUpdates("3.0.3.2"), Box->Text);
  AnswerAndStay(*Box, IDOK, "TabSheet2");

  World().SetLocalUpdateLevel("3.1.0.0");
  Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_TRUE(IsBox(*Box, {"Warning", GapQuestion(), {IDYES, IDNO}, IDNO}));
  W.Screenshot("refusal-missing-updates-en.bmp");
  AnswerAndStay(*Box, IDNO, "TabSheet2");

  Box = NextOpensBox();
  ASSERT_TRUE(Box);
  ASSERT_TRUE(W.Answer(*Box, IDYES));
  EXPECT_EQ("TabSheet5", W.WaitPage("TabSheet5")) << OpenBoxes();

  // The widest gap there is, found without counting through it.
  World().SetLocalUpdateLevel("3.0.3.2");
  ASSERT_TRUE(Move("btPrev", "TabSheet2"));
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));
  W.SetText("edUpdateFilesPath", FarApart);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  EXPECT_EQ((std::vector<std::string>{"Updates", "Orvane-3.1.0.0", "Orvane-3.1.0.2147483647"}),
            W.GridRows("grdUpdateFileList"));
  Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_TRUE(IsBox(*Box, {"Warning", GapQuestion(), {IDYES, IDNO}, IDNO}));
  AnswerAndStay(*Box, IDNO, "TabSheet2");
}

TEST_F(PagesRefusals, AnUnreadableLevelStopsTheClickWithTheErrorDisplay) {
  const std::string Folder = World().MakeUpdateFolder("zero", {{"Orvane-3.1.0.0.oue"}});
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(ShowUpdateList(Folder));

  // A level stored as a number cannot be read as text: the leave check ends
  // in the error display and the page stays as it was.
  WriteRegistryDword(TWorld::ProductKey(), "UpdateLevel", 3);
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_EQ("Orvane Update Utility", Box->Title) << *Box;
  EXPECT_EQ(0u, Box->Text.find("Invalid data type for 'UpdateLevel'")) << *Box;
  EXPECT_EQ(std::vector<int>{IDOK}, Box->Buttons) << *Box;
  W.Screenshot("refusal-error-display-en.bmp");
  AnswerAndStay(*Box, IDOK, "TabSheet2");
  EXPECT_EQ((std::vector<std::string>{"Updates", "Orvane-3.1.0.0"}), W.GridRows("grdUpdateFileList"));

  // A value far beyond any the wizard reads is not read at all: it is
  // unreadable, as a number would be.
  {
    SCOPED_TRACE("AMegabyteLevelIsUnreadable");
    WriteRegistryString(TWorld::ProductKey(), "UpdateLevel", "3.0.3.2" + std::string(1 << 20, ' '));
    Box = NextOpensBox();
    ASSERT_TRUE(Box);
    EXPECT_EQ(0u, Box->Text.find("Invalid data size for 'UpdateLevel'")) << *Box;
    AnswerAndStay(*Box, IDOK, "TabSheet2");
  }

  World().SetLocalUpdateLevel("3.0.3.2");
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
}

// A wizard's folder that others may write is a question at Start, default
// No; No leaves nothing copied, Yes runs the update from the checked engine.
TEST_F(PagesRefusals, AFolderOthersMayWriteIsAQuestionAtStart) {
  World().SetEngineDelayMs(0);
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  TWorld::LetEveryoneWrite(World().WizardDir());
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(Asserted([&] { GoToStartPage(W, Updates); }));
  std::optional<TMessageBox> Box = NextOpensBox();
  ASSERT_TRUE(Box);
  EXPECT_TRUE(IsBox(*Box, {"Warning",
                           "Users other than the administrators can change what the update runs with administrator "
                           "rights: " +
                               World().WizardDir() +
                               " (Everyone).\r\rWhoever can change the wizard's folder, OUpdate.exe or oue.exe can run "
                               "programs as an administrator on this server. Only Administrators and SYSTEM should be "
                               "allowed to write there.\r\rWould you like to continue anyways?",
                           {IDYES, IDNO},
                           IDNO}));
  W.Screenshot("refusal-program-files-writable-en.bmp");
  AnswerAndStay(*Box, IDNO, "TabSheet5");
  EXPECT_FALSE(FileExists(World().SupportBinDir() + "oue.exe")) << "copied although the answer was No";

  Box = NextOpensBox();
  ASSERT_TRUE(Box);
  ASSERT_TRUE(W.Answer(*Box, IDYES));
  EXPECT_EQ("TabSheet7", W.WaitPage("TabSheet7", RunTimeoutMs)) << OpenBoxes();
  EXPECT_EQ(0u, W.Text("txtCompletionStatusInfo").find("Congratulations!")) << W.Text("txtCompletionStatusInfo");
}
