// Pictures of every page before the run in each of the four languages, kept
// with the build for a person to look at: clipped or overlapping texts show
// there first. The walk also checks that each page speaks the language
// chosen on the first page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

struct TLanguage {
  int Index;  // in cbLocale
  const char* Code;
  const char* Start;         // Next on the last page before the run
  const char* UpdatesTitle;  // title of the update list
  const char* FreeSpace;     // in the snapshot drive's label
};

const TLanguage Languages[] = {
    {0, "en", "Start", "Updates", " MB free ["},
    {1, "de", "Start", "Updates", " MB frei ["},
    {2, "fr", "D\xE9marrer", "Mises \xE0 jour", " Mo disp. ["},
    {3, "es", "Iniciar", "Actualizaciones", " MB libres ["},
};

using PagesScreenshots = TWizardTest;

}  // namespace

// A short folder name keeps the path in the list page's echo to two lines.
TEST_F(PagesScreenshots, AllLanguages) {
  const std::string Folder = World().MakeUpdateFolder(
      "Updates", {{"Orvane-3.1.0.0.oue"}, {"Orvane-3.1.0.1.oue"}, {"Orvane-3.1.0.2.oue"}, {"Orvane-3.1.0.3.oue"}});
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  for (const TLanguage& Language : Languages) {
    SCOPED_TRACE(Language.Code);
    const std::string Code = std::string("-") + Language.Code + ".bmp";
    ASSERT_TRUE(W.SelectCombo("cbLocale", Language.Index)) << OpenBoxes();
    Settle();
    W.Screenshot("page0-welcome" + Code);

    ASSERT_TRUE(Move("btNext", "TabSheet1"));
    W.SetText("edUpdateFilesPath", Folder);
    W.Screenshot("page1-update-folder" + Code);

    ASSERT_TRUE(Move("btNext", "TabSheet2"));
    const std::vector<std::string> Rows = W.GridRows("grdUpdateFileList");
    EXPECT_EQ(Language.UpdatesTitle, Rows.empty() ? std::string() : Rows.front());
    W.Screenshot("page2-update-list" + Code);

    ASSERT_TRUE(Move("btNext", "TabSheet3"));
    const std::string SizeInfo = W.Text("lbSnapshotDriveSizeInfo");
    EXPECT_NE(std::string::npos, SizeInfo.find(Language.FreeSpace)) << SizeInfo;
    W.Screenshot("page3-snapshot-drive" + Code);

    ASSERT_TRUE(Move("btNext", "TabSheet5"));
    EXPECT_EQ(Language.Start, W.Text("btNext"));
    W.Screenshot("page5-about-to-install" + Code);

    for (const char* Page : {"TabSheet3", "TabSheet2", "TabSheet1", "TabSheet0"}) ASSERT_TRUE(Move("btPrev", Page));
  }
}
