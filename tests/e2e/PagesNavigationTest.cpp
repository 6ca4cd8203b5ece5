// Moving through the pages before Start as an operator does: which page Next
// and Prev reach, when the snapshot page is passed over, what each page does
// to the three buttons and the keyboard focus, and the server level line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "WindowMessages.h"
#include "WizardFixture.h"
#include "wizard/ControlIds.h"

namespace {

const std::vector<TUpdateFile> UpdatesZeroToThree = {
    {"Orvane-3.1.0.0.oue"}, {"Orvane-3.1.0.1.oue"}, {"Orvane-3.1.0.2.oue"}, {"Orvane-3.1.0.3.oue"}};

// What a page shows on entry: the three buttons and the caption of Next.
struct TPageEntry {
  const char* Page;
  const char* Prev;
  const char* Next;
  const char* Exit;
  const char* NextCaption;
};

TPageEntry EntryOf(const std::string& Page, bool UpdatesFound = true) {
  static const TPageEntry Entries[] = {
      {"TabSheet0", "hidden", "enabled", "enabled", "&Next >"},
      {"TabSheet1", "enabled", "enabled", "enabled", "&Next >"},
      {"TabSheet2", "enabled", "enabled", "enabled", "&Next >"},
      {"TabSheet3", "enabled", "enabled", "enabled", "&Next >"},
      {"TabSheet5", "enabled", "enabled", "enabled", "Start"},
  };
  for (TPageEntry Entry : Entries)
    if (Page == Entry.Page) {
      if (Page == "TabSheet2" && !UpdatesFound) Entry.Next = "disabled";
      return Entry;
    }
  throw std::invalid_argument("no entry for " + Page);
}

std::string Describe(const TPageEntry& Entry) {
  std::ostringstream Out;
  Out << Entry.Page << ": prev " << Entry.Prev << ", next " << Entry.Next << ", exit " << Entry.Exit
      << ", next reads \"" << Entry.NextCaption << "\"";
  return Out.str();
}

// A hidden button keeps its enabled flag: "hidden" alone says so.
std::string ButtonState(const TWizardDriver& W, const char* Name) {
  if (!W.IsVisible(Name)) return W.IsEnabled(Name) ? "hidden" : "hidden and disabled";
  return W.IsEnabled(Name) ? "enabled" : "disabled";
}

class PagesNavigation : public TWizardTest {
 protected:
  std::string SeenEntry() {
    TWizardDriver& W = Wizard();
    const std::string Page = W.ActivePage(), Prev = ButtonState(W, "btPrev"), Next = ButtonState(W, "btNext"),
                      Exit = ButtonState(W, "btExit"), Caption = W.Text("btNext");
    return Describe({Page.c_str(), Prev.c_str(), Next.c_str(), Exit.c_str(), Caption.c_str()});
  }

  // The control that has the keyboard focus in the wizard, by name.
  std::string Focused() {
    GUITHREADINFO Info = {};
    Info.cbSize = sizeof Info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(Wizard().Window(), nullptr), &Info) || !Info.hwndFocus)
      return "(nothing)";
    const char* Name = ControlNameById(GetDlgCtrlID(Info.hwndFocus));
    return Name ? Name : "(a window of class " + WindowClass(Info.hwndFocus) + ")";
  }

  void ExpectUpdateRows(const std::vector<int>& Numbers) {
    std::vector<std::string> Expected = {"Updates"};
    for (int N : Numbers) Expected.push_back("Orvane-3.1.0." + std::to_string(N));
    if (Numbers.empty()) Expected.push_back("No files matching Orvane-3.1.0.*.oue");
    EXPECT_EQ(Expected, Wizard().GridRows("grdUpdateFileList"));
  }

  // Checks of one wizard on the update folder Folder, each from the first
  // page back to it; the server level line changes the node, so it comes last.
  void TheKeyboardStartsAtEachPagesFirstControl();
  void WalksToStartAndBackThroughTheSnapshotPage();
  void TheServerLevelLineFollowsTheNodeAndTheLanguage();
  std::string Folder;
};

}  // namespace

void PagesNavigation::WalksToStartAndBackThroughTheSnapshotPage() {
  TWizardDriver& W = Wizard();
  EXPECT_EQ(Describe(EntryOf("TabSheet0")), SeenEntry());

  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  EXPECT_EQ(Describe(EntryOf("TabSheet1")), SeenEntry());
  EXPECT_EQ("edUpdateFilesPath", Focused());
  W.SetText("edUpdateFilesPath", Folder);
  EXPECT_TRUE(W.IsEnabled("btNext"));

  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  EXPECT_EQ(Describe(EntryOf("TabSheet2")), SeenEntry());
  EXPECT_EQ("grdUpdateFileList", Focused());
  EXPECT_EQ(Folder, W.Text("txtUpdateFilesPathEcho"));
  ExpectUpdateRows({0, 1, 2, 3});
  // Four updates and the snapshot: five sections of 100.
  EXPECT_EQ(500, W.ProgressMax("sbarProgress"));

  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  EXPECT_EQ(Describe(EntryOf("TabSheet3")), SeenEntry());

  ASSERT_TRUE(Move("btNext", "TabSheet5"));
  EXPECT_EQ(Describe(EntryOf("TabSheet5")), SeenEntry());

  const char* const Back[] = {"TabSheet3", "TabSheet2", "TabSheet1", "TabSheet0"};
  for (const char* Page : Back) {
    ASSERT_TRUE(Move("btPrev", Page));
    EXPECT_EQ(Describe(EntryOf(Page)), SeenEntry());
  }
}

// The keyboard starts where the keyboard order starts: the language list
// first, then each page's first control, and the buttons on pages without one.
void PagesNavigation::TheKeyboardStartsAtEachPagesFirstControl() {
  TWizardDriver& W = Wizard();
  EXPECT_EQ("cbLocale", Focused());
  // Space presses whatever button has the focus: it must not be Exit.
  W.PressKey(VK_SPACE);
  Settle();
  ASSERT_TRUE(W.Running()) << "Space at start ended the wizard";
  EXPECT_EQ("TabSheet0", W.ActivePage());

  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  EXPECT_EQ("edUpdateFilesPath", Focused());
  W.SetText("edUpdateFilesPath", Folder);
  const struct {
    const char* Button;
    const char* Page;
    const char* Focus;
  } Steps[] = {
      {"btNext", "TabSheet2", "grdUpdateFileList"},
      {"btNext", "TabSheet3", "cbSnapshotDrive"},
      {"btNext", "TabSheet5", "btNext"},
      {"btPrev", "TabSheet3", "cbSnapshotDrive"},
      {"btPrev", "TabSheet2", "grdUpdateFileList"},
      {"btPrev", "TabSheet1", "edUpdateFilesPath"},
      {"btPrev", "TabSheet0", "cbLocale"},
  };
  for (const auto& Step : Steps) {
    ASSERT_TRUE(Move(Step.Button, Step.Page));
    EXPECT_EQ(Step.Focus, Focused()) << "on " << Step.Page;
  }
}

TEST_F(PagesNavigation, PassesOverTheSnapshotPageUnlessUpdateZeroIsFound) {
  World().SetLocalUpdateLevel("3.1.0.0");
  const std::string Continuing = World().MakeUpdateFolder("one-two", {{"Orvane-3.1.0.1.oue"}, {"Orvane-3.1.0.2.oue"}});
  const std::string WithZero = World().MakeUpdateFolder("zero-one", {{"Orvane-3.1.0.0.oue"}, {"Orvane-3.1.0.1.oue"}});
  const std::string Empty = World().MakeUpdateFolder("empty", {});
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();

  // The first page's big button acts as Next.
  ASSERT_TRUE(Move("btUpdateSystem", "TabSheet1"));
  W.SetText("edUpdateFilesPath", Continuing);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  ExpectUpdateRows({1, 2});
  EXPECT_EQ(200, W.ProgressMax("sbarProgress"));
  ASSERT_TRUE(Move("btNext", "TabSheet5"));
  ASSERT_TRUE(Move("btPrev", "TabSheet2"));
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));

  // Coming back to the list rebuilds it and decides about the snapshot anew.
  W.SetText("edUpdateFilesPath", WithZero);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  ExpectUpdateRows({0, 1});
  EXPECT_EQ(300, W.ProgressMax("sbarProgress"));
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  ASSERT_TRUE(Move("btPrev", "TabSheet2"));
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));

  W.SetText("edUpdateFilesPath", Continuing);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  EXPECT_EQ(200, W.ProgressMax("sbarProgress"));
  ASSERT_TRUE(Move("btNext", "TabSheet5"));
  ASSERT_TRUE(Move("btPrev", "TabSheet2"));
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));

  // A folder without updates: nothing to go on with, and Enter does not
  // press a disabled Next.
  W.SetText("edUpdateFilesPath", Empty);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  EXPECT_EQ(Describe(EntryOf("TabSheet2", false)), SeenEntry());
  ExpectUpdateRows({});
  W.PressKey(VK_RETURN);
  Settle();
  EXPECT_TRUE(W.NoMessageBoxFor(300)) << OpenBoxes();
  EXPECT_EQ("TabSheet2", W.ActivePage());
  ASSERT_TRUE(Move("btPrev", "TabSheet1"));
}

void PagesNavigation::TheServerLevelLineFollowsTheNodeAndTheLanguage() {
  const std::string Computer = TWorld::ComputerName();
  std::string LowerComputer = Computer;
  std::transform(LowerComputer.begin(), LowerComputer.end(), LowerComputer.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  TWizardDriver& W = Wizard();
  EXPECT_EQ("Primary " + Computer + " at 3.0.3.2", W.Text("lbServerVersion"));

  // Each language change reads the node afresh and re-runs the first page's
  // entry. The folder box, hidden on this page, still reports its changes:
  // a missing folder disables Next, and the entry must enable it again.
  const struct {
    int Language;
    std::function<void(TWorld&)> Change;
    std::string Line, Next;
  } Cases[] = {
      {2, [](TWorld&) {}, "Primary " + Computer + " a la version 3.0.3.2", "&Suiv >"},
      {1, [](TWorld& N) { N.SetSystemValue("PrimaryNodeName", "OTHERNODE"); }, "Secondary " + Computer + " bei 3.0.3.2",
       "&Weiter >"},
      {3, [](TWorld& N) { N.SetSystemValue("OriginalPrimaryNodeName", "OTHERNODE"); },
       "EPM Secondary " + Computer + " a 3.0.3.2", "&Siguiente >"},
      {0,
       [&](TWorld& N) {
         N.SetSystemValue("PrimaryNodeName", LowerComputer);
         N.SetLocalUpdateLevel("3.1.0.7");
       },
       "Primary " + Computer + " at 3.1.0.7", "&Next >"},
      // No level in the product key: the level part stays empty.
      {2, [](TWorld&) { DeleteRegistryValue(TWorld::ProductKey(), "UpdateLevel"); },
       "Primary " + Computer + " a la version ", "&Suiv >"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE("language " + std::to_string(Case.Language) + ", expecting \"" + Case.Line + "\"");
    Case.Change(World());
    W.SetText("edUpdateFilesPath", World().Root() + "no such folder\\");
    ASSERT_FALSE(W.IsEnabled("btNext"));
    ASSERT_TRUE(W.SelectCombo("cbLocale", Case.Language)) << OpenBoxes();
    Settle();
    EXPECT_EQ(Case.Line, W.Text("lbServerVersion"));
    EXPECT_EQ("TabSheet0", W.ActivePage());
    EXPECT_EQ("hidden", ButtonState(W, "btPrev"));
    EXPECT_EQ("enabled", ButtonState(W, "btNext"));
    EXPECT_EQ(Case.Next, W.Text("btNext"));
  }
}

TEST_F(PagesNavigation, WalksToStartAndBackAndFollowsTheNodeOnTheFirstPage) {
  Folder = World().MakeUpdateFolder("zero-to-three", UpdatesZeroToThree);
  ASSERT_TRUE(StartWizard());
  WIZARD_CHECK(TheKeyboardStartsAtEachPagesFirstControl);
  WIZARD_CHECK(WalksToStartAndBackThroughTheSnapshotPage);
  WIZARD_CHECK(TheServerLevelLineFollowsTheNodeAndTheLanguage);
}
