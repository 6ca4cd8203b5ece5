// The update-files folder and the list of updates found in it: Next follows
// whether the text names a folder, the browse dialog starts at the folder and
// leaves everything alone on Cancel, and the list shows each update once, in
// order, across the whole width of the grid.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "Files.h"
#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

// Controls of the shell's folder dialog.
constexpr int BrowseInstructionId = 0x3742;
constexpr int BrowseNewFolderId = 0x3746;

// Shift held down in the wizard, as the operator holds it while clicking:
// the test shares the wizard's keyboard state for as long as it lives.
class THeldShift {
 public:
  explicit THeldShift(HWND Wizard) : FOwn(GetCurrentThreadId()), FTheirs(GetWindowThreadProcessId(Wizard, nullptr)) {
    FAttached = AttachThreadInput(FOwn, FTheirs, TRUE) != 0;
    EXPECT_TRUE(FAttached) << "cannot share the wizard's keyboard state (error " << GetLastError() << ")";
    SetShift(true);
  }
  ~THeldShift() {
    SetShift(false);
    if (FAttached) AttachThreadInput(FOwn, FTheirs, FALSE);
  }
  THeldShift(const THeldShift&) = delete;
  THeldShift& operator=(const THeldShift&) = delete;

 private:
  static void SetShift(bool Down) {
    BYTE Keys[256] = {};
    GetKeyboardState(Keys);
    Keys[VK_SHIFT] = Keys[VK_LSHIFT] = Down ? 0x80 : 0;
    SetKeyboardState(Keys);
  }
  DWORD FOwn, FTheirs;
  bool FAttached = false;
};

class PagesUpdateFiles : public TWizardTest {
 protected:
  // Clicks "...", answers the folder dialog with Button, and returns the
  // folder text afterwards. Picture: a picture of the open dialog, if named.
  std::string Browse(int Button, const std::string& Picture = "") {
    TWizardDriver& W = Wizard();
    W.Click("btUpdateFilesPathBrowse");
    std::optional<TMessageBox> Dialog = W.WaitMessageBox();
    if (!Dialog) {
      ADD_FAILURE() << "no folder dialog opened";
      return W.Text("edUpdateFilesPath");
    }
    EXPECT_EQ(W.Text("lbUpdateFilesPathTitle"), WindowText(GetDlgItem(Dialog->Handle, BrowseInstructionId)));
    HWND NewFolder = GetDlgItem(Dialog->Handle, BrowseNewFolderId);
    EXPECT_FALSE(NewFolder && IsWindowVisible(NewFolder)) << "the dialog offers to make a new folder";
    if (!Picture.empty()) W.Screenshot(Picture);
    EXPECT_TRUE(W.Answer(*Dialog, Button)) << OpenBoxes();
    Settle();
    return W.Text("edUpdateFilesPath");
  }

  // Width of the grid's one column against the room inside the grid.
  void ExpectColumnFillsTheGrid(const char* When) {
    HWND Grid = Wizard().Control("grdUpdateFileList");
    RECT Inside = {};
    GetClientRect(Grid, &Inside);
    EXPECT_EQ(Inside.right - Inside.left, SendToWindow(Grid, LVM_GETCOLUMNWIDTH, 0, 0, "LVM_GETCOLUMNWIDTH")) << When;
  }

  // On the folder page, with a folder "relative" beside the wizard.
  void BrowseStartsAtTheFolderAndCancelChangesNothing() {
    const std::string Folder = World().MakeUpdateFolder("browse", {{"Orvane-3.1.0.0.oue"}});
    TWizardDriver& W = Wizard();

    // OK at once takes the folder the dialog opened at: the start folder, the
    // first time too.
    W.SetText("edUpdateFilesPath", Folder);
    EXPECT_EQ(WithoutBackslash(Folder), Browse(IDOK));
    EXPECT_TRUE(W.IsEnabled("btNext"));
    W.SetText("edUpdateFilesPath", Folder);
    EXPECT_EQ(Folder, Browse(IDCANCEL, "page1-browse-folder-en.bmp"));
    EXPECT_TRUE(W.IsEnabled("btNext"));

    // The working folder is the wizard's own again after the dialog.
    W.SetText("edUpdateFilesPath", "relative");
    EXPECT_TRUE(W.IsEnabled("btNext")) << "\"relative\" is not found in the wizard's folder any more";

    // A folder that does not exist: the dialog opens at the working folder.
    const std::string Missing = World().Root() + "no such folder";
    W.SetText("edUpdateFilesPath", Missing);
    EXPECT_FALSE(W.IsEnabled("btNext"));
    EXPECT_EQ(WithoutBackslash(World().WizardDir()), Browse(IDOK));
    EXPECT_TRUE(W.IsEnabled("btNext"));

    // With Shift held the shell's dialog opens: the start folder preselected
    // when it exists, else nothing (so not the working folder either).
    {
      THeldShift Shift(W.Window());
      W.SetText("edUpdateFilesPath", Folder);
      EXPECT_EQ(WithoutBackslash(Folder), Browse(IDOK, "page1-browse-shell-en.bmp"));
      W.SetText("edUpdateFilesPath", Missing);
      const std::string Chosen = Browse(IDOK);
      EXPECT_NE(Missing, Chosen);
      EXPECT_NE(WithoutBackslash(World().WizardDir()), Chosen);
    }
    W.SetText("edUpdateFilesPath", "relative");
    EXPECT_TRUE(W.IsEnabled("btNext")) << "\"relative\" is not found in the wizard's folder any more";

    // The dialog speaks the wizard's language.
    ASSERT_TRUE(Move("btPrev", "TabSheet0"));
    ASSERT_TRUE(W.SelectCombo("cbLocale", 3)) << OpenBoxes();
    ASSERT_TRUE(Move("btNext", "TabSheet1"));
    W.SetText("edUpdateFilesPath", Folder);
    EXPECT_EQ(Folder, Browse(IDCANCEL, "page1-browse-folder-es.bmp"));
  }
};

}  // namespace

TEST_F(PagesUpdateFiles, NextFollowsWhetherTheTextNamesAFolder) {
  const std::string Folder = World().MakeUpdateFolder("plain", {{"notes.txt"}});
  ASSERT_TRUE(MakeDirectories(World().WizardDir() + "relative"));
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  // The wizard's working folder is its own, so "relative" is found there.
  const struct {
    std::string Text;
    bool Enabled;
  } Cases[] = {
      {Folder + "missing\\", false},    {Folder, true}, {Folder + "notes.txt", false},
      {WithoutBackslash(Folder), true}, {"", false},    {"relative", true},
      {"relative\\missing", false},     {"C:\\", true}, {World().Root() + "no such folder", false},
  };
  for (const auto& Case : Cases) {
    W.SetText("edUpdateFilesPath", Case.Text);
    EXPECT_EQ(Case.Enabled, W.IsEnabled("btNext")) << "folder text \"" << Case.Text << "\"";
    EXPECT_TRUE(W.IsVisible("btNext"));
  }

  // Entering the page enables Next whatever the text; the list then finds
  // nothing and says so.
  ASSERT_TRUE(Move("btPrev", "TabSheet0"));
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  EXPECT_TRUE(W.IsEnabled("btNext"));
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  EXPECT_EQ(World().Root() + "no such folder", W.Text("txtUpdateFilesPathEcho"));
  EXPECT_EQ((std::vector<std::string>{"Updates", "No files matching Orvane-3.1.0.*.oue"}),
            W.GridRows("grdUpdateFileList"));
  EXPECT_FALSE(W.IsEnabled("btNext"));

  ASSERT_TRUE(Move("btPrev", "TabSheet1"));
  WIZARD_CHECK(BrowseStartsAtTheFolderAndCancelChangesNothing);
}

TEST_F(PagesUpdateFiles, TheListShowsEveryUpdateOnceInAscendingOrder) {
  const std::string Folder =
      World().MakeUpdateFolder("mixed", {
                                            {"Orvane-3.1.0.4.oue"},
                                            {"orvane-3.1.0.12b.OUE"},     // 12: one trailing character is dropped
                                            {"Orvane-3.1.0.5[fix].oue"},  // 5: bracketed text is ignored
                                            {"Orvane-3.1.0.5.1.oue"},     // 5 again: shown once
                                            {"Orvane-3.1.0.3.oue"},
                                            {"Orvane-3.1.0.3[b].oue"},             // 3 again
                                            {"Orvane-3.1.0.$A.oue"},               // 10, hexadecimal
                                            {"Orvane-3.1.0.0x0b.oue"},             // 11, hexadecimal
                                            {"Orvane-3.1.0.-2.oue"},               // negative: skipped
                                            {"Orvane-3.1.0.3.oue.oue"},            // the extension twice
                                            {"Orvane-3.0.3.2.oue"},                // another level
                                            {"Orvane-3.1.0.x.oue"},                // no number
                                            {"Orvane-3.1.0.1ab.oue"},              // two characters too many
                                            {"Orvane-3.1.0.]7[x].oue"},            // "]" before "[" stops the removal
                                            {"Update-3.1.0.8.oue"},                // another prefix
                                            {"Orvane-3.1.0.9.oue", true},          // hidden
                                            {"Orvane-3.1.0.13.oue", false, true},  // a folder
                                            {"Orvane-3.1.0.6.oue"},                // read-only (below)
                                            {"Orvane-3.1.0.7.oue"},                // system (below)
                                        });
  ASSERT_TRUE(SetFileAttributesA((Folder + "Orvane-3.1.0.6.oue").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesA((Folder + "Orvane-3.1.0.7.oue").c_str(), FILE_ATTRIBUTE_SYSTEM));
  World().SetLocalUpdateLevel("3.1.0.2");
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  const std::vector<std::string> Expected = {"Updates",        "Orvane-3.1.0.3",  "Orvane-3.1.0.4",  "Orvane-3.1.0.5",
                                             "Orvane-3.1.0.6", "Orvane-3.1.0.10", "Orvane-3.1.0.11", "Orvane-3.1.0.12"};

  // The same folder with and without its trailing backslash.
  for (const std::string& Text : {Folder, WithoutBackslash(Folder)}) {
    SCOPED_TRACE("folder text " + Text);
    ASSERT_TRUE(ShowUpdateList(Text));
    EXPECT_EQ(Text, W.Text("txtUpdateFilesPathEcho"));
    EXPECT_EQ(Expected, W.GridRows("grdUpdateFileList"));
    EXPECT_EQ(700, W.ProgressMax("sbarProgress"));
    EXPECT_TRUE(W.IsEnabled("btNext"));
    ExpectColumnFillsTheGrid("on entry");
    ASSERT_TRUE(Move("btPrev", "TabSheet1"));
    ASSERT_TRUE(Move("btPrev", "TabSheet0"));
  }

  // The column follows the grid when the window grows and shrinks.
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  const TWindowSize Size = W.OuterSize();
  W.Resize(Size.Width + 150, Size.Height + 60);
  ExpectColumnFillsTheGrid("after growing");
  W.Resize(400, 350);
  ExpectColumnFillsTheGrid("after shrinking");
}
