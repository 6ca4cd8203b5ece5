#include "wizard/PageFlow.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Names(const std::vector<TPage>& Pages) {
  std::string Text;
  for (TPage Page : Pages) Text += std::string(Text.empty() ? "" : " ") + PageName(Page);
  return Text;
}

// The pages visited pressing Next (or Prev) until nothing moves any more.
std::vector<TPage> Walk(TPage Start, const int (&Tags)[pgCount], bool Forward) {
  std::vector<TPage> Pages{Start};
  for (;;) {
    TPage Next = Forward ? NextPage(Pages.back(), Tags) : PrevPage(Pages.back(), Tags);
    if (Next == Pages.back()) return Pages;
    Pages.push_back(Next);
  }
}

struct TFlowCase {
  bool NoSnapshot;
  const char* FoundUpdates;
  const char* Forward;
  const char* Back;
};

TEST(PageFlow, OrderWithAndWithoutTheSnapshotPage) {
  const TFlowCase Cases[] = {
      {false, ":0:1:2:3:", "TabSheet0 TabSheet1 TabSheet2 TabSheet3 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet3 TabSheet2 TabSheet1 TabSheet0"},
      {false, ":3:0:", "TabSheet0 TabSheet1 TabSheet2 TabSheet3 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet3 TabSheet2 TabSheet1 TabSheet0"},
      {false, ":5:6:", "TabSheet0 TabSheet1 TabSheet2 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet2 TabSheet1 TabSheet0"},
      {false, ":10:", "TabSheet0 TabSheet1 TabSheet2 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet2 TabSheet1 TabSheet0"},
      {false, "", "TabSheet0 TabSheet1 TabSheet2 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet2 TabSheet1 TabSheet0"},
      {true, ":0:1:2:3:", "TabSheet0 TabSheet1 TabSheet2 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet2 TabSheet1 TabSheet0"},
      {true, ":5:6:", "TabSheet0 TabSheet1 TabSheet2 TabSheet5 TabSheet6 TabSheet7",
       "TabSheet7 TabSheet6 TabSheet5 TabSheet2 TabSheet1 TabSheet0"},
  };
  for (const TFlowCase& Case : Cases) {
    int Tags[pgCount] = {};
    Tags[pgSnapshotDrive] = SnapshotPageTag(Case.NoSnapshot, Case.FoundUpdates);
    std::string Trace =
        std::string("NoSnapshot=") + (Case.NoSnapshot ? "true" : "false") + " updates [" + Case.FoundUpdates + "]";
    EXPECT_EQ(Names(Walk(pgWelcome, Tags, true)), Case.Forward) << Trace;
    EXPECT_EQ(Names(Walk(pgResult, Tags, false)), Case.Back) << Trace;
  }
}

struct TStepCase {
  TPage From;
  int SnapshotTag;
  TPage Next;
  TPage Prev;
};

TEST(PageFlow, SingleStepsStopAtTheEnds) {
  const TStepCase Cases[] = {
      {pgWelcome, 0, pgUpdateFolder, pgWelcome},
      {pgUpdateFolder, 0, pgUpdateList, pgWelcome},
      {pgUpdateList, 0, pgSnapshotDrive, pgUpdateFolder},
      {pgUpdateList, 1, pgAboutToInstall, pgUpdateFolder},
      {pgSnapshotDrive, 0, pgAboutToInstall, pgUpdateList},
      {pgAboutToInstall, 0, pgProgress, pgSnapshotDrive},
      {pgAboutToInstall, 1, pgProgress, pgUpdateList},
      {pgProgress, 0, pgResult, pgAboutToInstall},
      {pgResult, 0, pgResult, pgProgress},
  };
  for (const TStepCase& Case : Cases) {
    int Tags[pgCount] = {};
    Tags[pgSnapshotDrive] = Case.SnapshotTag;
    EXPECT_STREQ(PageName(NextPage(Case.From, Tags)), PageName(Case.Next))
        << "Next from " << PageName(Case.From) << " with tag " << Case.SnapshotTag;
    EXPECT_STREQ(PageName(PrevPage(Case.From, Tags)), PageName(Case.Prev))
        << "Prev from " << PageName(Case.From) << " with tag " << Case.SnapshotTag;
  }
}

TEST(PageFlow, MarkedEndPagesAreStillReached) {
  // Skipping never runs past either end, whatever the tags say.
  int Tags[pgCount] = {1, 1, 1, 1, 1, 1, 1};
  EXPECT_STREQ(PageName(NextPage(pgWelcome, Tags)), "TabSheet7");
  EXPECT_STREQ(PageName(NextPage(pgResult, Tags)), "TabSheet7");
  EXPECT_STREQ(PageName(PrevPage(pgResult, Tags)), "TabSheet0");
  EXPECT_STREQ(PageName(PrevPage(pgWelcome, Tags)), "TabSheet0");
}

TEST(PageFlow, PageNames) {
  const char* const Expected[pgCount] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                                         "TabSheet5", "TabSheet6", "TabSheet7"};
  for (int Page = 0; Page < pgCount; ++Page) EXPECT_STREQ(PageName(static_cast<TPage>(Page)), Expected[Page]);
}

TEST(PageFlow, RefusesWhatIsNoPage) {
  int Tags[pgCount] = {};
  EXPECT_THROW(PageName(pgCount), std::out_of_range);
  EXPECT_THROW(PageName(static_cast<TPage>(-1)), std::out_of_range);
  EXPECT_THROW(NextPage(pgCount, Tags), std::out_of_range);
  EXPECT_THROW(PrevPage(static_cast<TPage>(-1), Tags), std::out_of_range);
  EXPECT_THROW(PageButtons(pgCount, true), std::out_of_range);
}

const char* StateName(TWizardButtonState State) {
  switch (State) {
    case wbsEnabled:
      return "enabled";
    case wbsDisabled:
      return "disabled";
    case wbsHidden:
      return "hidden";
  }
  return "?";
}

struct TButtonCase {
  TPage Page;
  bool UpdatesFound;
  TWizardButtonState Prev, Next, Exit;
  const char* Suffix;
};

TEST(PageButtons, FollowThePageTable) {
  const TButtonCase Cases[] = {
      {pgWelcome, false, wbsHidden, wbsEnabled, wbsEnabled, "_Next"},
      {pgUpdateFolder, false, wbsEnabled, wbsEnabled, wbsEnabled, "_Next"},
      {pgUpdateList, true, wbsEnabled, wbsEnabled, wbsEnabled, "_Next"},
      {pgUpdateList, false, wbsEnabled, wbsDisabled, wbsEnabled, "_Next"},
      {pgSnapshotDrive, false, wbsEnabled, wbsEnabled, wbsEnabled, "_Next"},
      {pgAboutToInstall, false, wbsEnabled, wbsEnabled, wbsEnabled, "_Start"},
      {pgProgress, true, wbsHidden, wbsHidden, wbsDisabled, "_Next"},
      {pgResult, true, wbsHidden, wbsHidden, wbsEnabled, "_Next"},
  };
  for (const TButtonCase& Case : Cases) {
    TPageButtons Buttons = PageButtons(Case.Page, Case.UpdatesFound);
    std::string Trace = std::string(PageName(Case.Page)) + (Case.UpdatesFound ? " with updates" : " without updates");
    EXPECT_STREQ(StateName(Buttons.Prev), StateName(Case.Prev)) << Trace << ": Prev";
    EXPECT_STREQ(StateName(Buttons.Next), StateName(Case.Next)) << Trace << ": Next";
    EXPECT_STREQ(StateName(Buttons.Exit), StateName(Case.Exit)) << Trace << ": Exit";
    EXPECT_STREQ(Buttons.NextSuffix, Case.Suffix) << Trace;
  }
}

TEST(PageButtons, OnlyTheUpdateListLooksAtTheUpdates) {
  for (int Page = 0; Page < pgCount; ++Page) {
    if (Page == pgUpdateList) continue;
    TPageButtons With = PageButtons(static_cast<TPage>(Page), true);
    TPageButtons Without = PageButtons(static_cast<TPage>(Page), false);
    EXPECT_EQ(With.Next, Without.Next) << PageName(static_cast<TPage>(Page));
  }
}

struct TSnapshotCase {
  bool NoSnapshot;
  const char* FoundUpdates;
  int UpdateCount;
  int Tag;
  int Sections;
};

TEST(SnapshotPage, ShownOnlyForUpdateZeroWithoutTheSwitch) {
  const TSnapshotCase Cases[] = {
      {false, ":0:1:2:3:", 4, 0, 5}, {false, ":3:2:1:0:", 4, 0, 5}, {false, ":0:", 1, 0, 2},
      {false, ":1:2:3:", 3, 1, 3},   {false, ":10:20:", 2, 1, 2},   {false, "", 0, 1, 0},
      {true, ":0:1:2:3:", 4, 1, 4},  {true, ":0:", 1, 1, 1},        {true, ":5:", 1, 1, 1},
  };
  for (const TSnapshotCase& Case : Cases) {
    std::string Trace =
        std::string("NoSnapshot=") + (Case.NoSnapshot ? "true" : "false") + " updates [" + Case.FoundUpdates + "]";
    EXPECT_EQ(SnapshotPageTag(Case.NoSnapshot, Case.FoundUpdates), Case.Tag) << Trace;
    EXPECT_EQ(SectionCountWithSnapshot(Case.UpdateCount, Case.NoSnapshot, Case.FoundUpdates), Case.Sections) << Trace;
  }
}

}  // namespace
