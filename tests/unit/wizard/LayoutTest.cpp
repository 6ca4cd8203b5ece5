#include "wizard/Layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "wizard/ControlIds.h"

namespace {

TRect At(int Id, int W, int H, int Dpi = 96, int Width = 0) {
  const TControlDef* Def = FindControlDef(Id);
  EXPECT_NE(Def, nullptr) << Id;
  return Def ? AnchoredRect(*Def, W, H, Dpi, Width) : TRect{};
}

::testing::AssertionResult RectIs(const TRect& R, int L, int T, int W, int H) {
  if (R.Left == L && R.Top == T && R.Width() == W && R.Height() == H) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << R.Left << "," << R.Top << " " << R.Width() << "x" << R.Height()
                                       << ", want " << L << "," << T << " " << W << "x" << H;
}

TEST(Layout, EveryControlHasAnEntryAndAKnownParent) {
  std::set<int> Ids;
#define ADD_ID(name, id) Ids.insert(id);
  OUPDATE_CONTROLS(ADD_ID)
#undef ADD_ID
  std::set<int> Seen;
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& D = ControlDefs()[I];
    EXPECT_TRUE(Seen.insert(D.Id).second) << "twice: " << D.Name;
    EXPECT_STREQ(ControlNameById(D.Id), D.Name);
    if (D.ParentId) {
      EXPECT_TRUE(Seen.count(D.ParentId)) << D.Name << " created before its parent";
    }
  }
  EXPECT_EQ(Seen, Ids) << "the layout table and the control list disagree";
}

TEST(Layout, DesignSizeGivesDesignRectangles) {
  EXPECT_TRUE(RectIs(At(ID_btNext, 472, 352), 304, 318, 75, 25));
  EXPECT_TRUE(RectIs(At(ID_PageControl1, 472, 352), 160, 10, 304, 247));
  EXPECT_TRUE(RectIs(At(ID_pnlImage, 472, 352), 16, 16, 136, 268));
  EXPECT_TRUE(RectIs(At(ID_edUpdateFilesPath, 296, 237), 8, 16, 256, 21));
}

TEST(Layout, GrowingTheWindowKeepsButtonsBottomRightAndStretchesThePages) {
  // 100 wider and 50 higher than designed.
  EXPECT_TRUE(RectIs(At(ID_btPrev, 572, 402), 324, 368, 75, 25));
  EXPECT_TRUE(RectIs(At(ID_btNext, 572, 402), 404, 368, 75, 25));
  EXPECT_TRUE(RectIs(At(ID_btExit, 572, 402), 484, 368, 75, 25));
  EXPECT_TRUE(RectIs(At(ID_pnlImage, 572, 402), 16, 16, 136, 318));       // taller only
  EXPECT_TRUE(RectIs(At(ID_PageControl1, 572, 402), 160, 10, 404, 297));  // both ways
  EXPECT_TRUE(RectIs(At(ID_lbResponceCenter, 572, 402), 16, 339, 541, 13));
  EXPECT_TRUE(RectIs(At(ID_Image1, 572, 402), 16, 369, 65, 22));
}

TEST(Layout, ShrinkingNeverGivesNegativeSizes) {
  TRect R = At(ID_PageControl1, 100, 50);
  EXPECT_GE(R.Width(), 0);
  EXPECT_GE(R.Height(), 0);
}

TEST(Layout, RightAnchoredLabelSizedToItsTextGrowsAwayFromItsLeft) {
  // The free-space label keeps its left edge relative to the right side.
  EXPECT_TRUE(RectIs(At(ID_lbSnapshotDriveSizeInfo, 296, 237, 96, 120), 164, 18, 120, 0));
  EXPECT_TRUE(RectIs(At(ID_lbSnapshotDriveSizeInfo, 396, 237, 96, 120), 264, 18, 120, 0));
}

TEST(Layout, ScalesWithTheSystemDpi) {
  EXPECT_EQ(ScaleToDpi(75, 96), 75);
  EXPECT_EQ(ScaleToDpi(75, 120), 94);  // 93.75 rounds up
  EXPECT_EQ(ScaleToDpi(472, 144), 708);
  EXPECT_TRUE(RectIs(At(ID_btNext, 708, 528, 144), 456, 477, 113, 38));
}

}  // namespace

namespace {
TEST(Layout, LongFreeSpaceLineStaysInsideThePageAndClearOfTheDriveList) {
  // Fits: nothing moves.
  TRect Label{164, 18, 280, 31}, List{8, 16, 161, 35};
  KeepLabelInside(Label, List, 296, 2, 3);
  EXPECT_EQ(Label.Left, 164);
  EXPECT_EQ(List.Right, 161);
  // 20 pixels too wide: the label moves left and the list gives way.
  Label = {164, 18, 314, 31};
  List = {8, 16, 161, 35};
  KeepLabelInside(Label, List, 296, 2, 3);
  EXPECT_EQ(Label.Right, 294);
  EXPECT_EQ(Label.Left, 144);
  EXPECT_EQ(List.Right, 141);
  // Wider than the whole page: it starts where the list starts, the list keeps no width.
  Label = {164, 18, 564, 31};
  List = {8, 16, 161, 35};
  KeepLabelInside(Label, List, 296, 2, 3);
  EXPECT_EQ(Label.Left, 8);
  EXPECT_EQ(List.Right, List.Left);
}
}  // namespace

TEST(Layout, KeyboardStartsEachPageAtItsFirstControl) {
  const struct {
    int Page, First;
  } Cases[] = {
      {ID_TabSheet0, ID_cbLocale},
      {ID_TabSheet1, ID_edUpdateFilesPath},
      {ID_TabSheet2, ID_grdUpdateFileList},
      {ID_TabSheet3, ID_cbSnapshotDrive},
      {ID_TabSheet5, 0},
      {ID_TabSheet6, 0},
      {ID_TabSheet7, 0},
  };
  for (const auto& Case : Cases) EXPECT_EQ(Case.First, FirstFocusControl(Case.Page)) << ControlNameById(Case.Page);
}

TEST(Layout, WindowWidensForLongTextsAndReturnsWhenTheyFit) {
  const struct {
    const char* What;
    int Current, Base, Overflow, Expected;
  } Cases[] = {
      {"design width, texts fit", 480, 0, -20, 480},
      {"design width, a text 40 too long", 480, 0, 40, 520},
      {"widened, the texts fit the base again", 520, 480, -60, 480},
      {"widened, texts fit exactly at the base", 520, 480, -40, 480},
      {"widened, still 10 too long for the base", 520, 480, -30, 490},
      {"widened, a longer text", 520, 480, 5, 525},
      {"resized by the operator: no base to return to", 700, 0, -200, 700},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Case.Expected, FittedOuterWidth(Case.Current, Case.Base, Case.Overflow)) << Case.What;
}

// The window reads each row's flags without knowing which control it is, so
// each flag must sit on a row whose kind and place give it a meaning.
bool IsPage(int Id) {
  const TControlDef* D = FindControlDef(Id);
  return D && D->Kind == ckPage;
}
bool NeighbourPlacedFirst(const TControlDef& D) {
  const TControlDef* N = FindControlDef(D.Neighbour);
  return N && N < &D && N->ParentId == D.ParentId && D.Kind == ckLabel && (D.Style & stAutoSize) &&
         (D.Anchors & akRight);
}

TEST(Layout, EveryFlagSitsOnARowItCanServe) {
  using TRule = bool (*)(const TControlDef&);
  const struct {
    const char* Flag;
    unsigned Style;
    TRule Fits;
  } Rules[] = {
      {"stNoTextLimit/stWantsEnter", stNoTextLimit | stWantsEnter,
       [](const TControlDef& D) { return D.Kind == ckEdit || D.Kind == ckMemo; }},
      {"stScrollAsNeeded", stScrollAsNeeded,
       [](const TControlDef& D) { return D.Kind == ckMemo && !(D.Style & stBothScroll); }},
      {"stGlyphRight/stPictureButton", stGlyphRight | stPictureButton,
       [](const TControlDef& D) { return D.Kind == ckButton && D.Art >= arUpdateGlyph; }},
      {"stTransparent", stTransparent, [](const TControlDef& D) { return D.Kind == ckImage; }},
      {"stAnnounceWhenShown", stAnnounceWhenShown, [](const TControlDef& D) { return IsPage(D.ParentId); }},
      {"stKeepInside", stKeepInside, NeighbourPlacedFirst},
      {"stDefault", stDefault, [](const TControlDef& D) { return D.Id == DefaultButtonId(); }},
  };
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& D = ControlDefs()[I];
    for (const auto& Rule : Rules)
      EXPECT_TRUE(!(D.Style & Rule.Style) || Rule.Fits(D)) << Rule.Flag << " on " << D.Name;
    EXPECT_TRUE(D.Kind != ckImage || D.Art == arPicture || D.Art == arLogo) << D.Name << " shows no picture";
    EXPECT_TRUE(D.Art < arUpdateGlyph || D.Kind == ckButton) << D.Name << " has a button's picture";
    EXPECT_TRUE(D.Kind != ckPage || D.ParentId == ID_PageControl1) << D.Name;
    EXPECT_TRUE((D.Style & stKeepInside) || D.Neighbour == 0) << D.Name << " names a neighbour it does not use";
  }
  EXPECT_EQ(ID_btNext, DefaultButtonId());
}

TEST(Layout, ContainersAndPanelsHoldTheirControls) {
  const struct {
    int Id;
    bool Holds;
  } Cases[] = {{ID_PageControl1, true}, {ID_TabSheet2, true},  {ID_TabSheet7, true},
               {ID_pnlImage, true},     {ID_imgImage1, false}, {ID_btNext, false}};
  for (const auto& Case : Cases) EXPECT_EQ(Case.Holds, HoldsControls(Case.Id)) << ControlNameById(Case.Id);
}

// Which single lines may widen the window: labels sized to their text by the
// room their parent leaves, the assistance line by its own width; the free
// space (kept inside by narrowing the drive list) and the server level never.
TEST(Layout, SingleLinesThatWidenTheWindow) {
  const struct {
    int Id;
    TWidthFit Fit;
  } Cases[] = {
      {ID_lbUpdateSystemTitle, wfInParent},
      {ID_lbUpdateFilesPathTitle, wfInParent},
      {ID_lbAboutToInstallInfo1, wfInParent},
      {ID_lbServerVersionTitle, wfInParent},
      {ID_lbResponceCenter, wfInOwnWidth},
      {ID_lbSnapshotDriveSizeInfo, wfNone},
      {ID_lbServerVersion, wfNone},
      {ID_lbUpdateSystemInfo, wfNone},
      {ID_lbProgressInfo, wfNone},
      {ID_btNext, wfNone},
  };
  for (const auto& Case : Cases) EXPECT_EQ(Case.Fit, WidthFitOf(*FindControlDef(Case.Id))) << ControlNameById(Case.Id);
}
