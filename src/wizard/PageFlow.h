// The order of the wizard's pages, the skip marks, and the buttons each page shows.
#pragma once
#include <string>

// Wizard order, named by role. The pages' own names are numbered and have no
// TabSheet4: pgWelcome is TabSheet0, pgUpdateFolder TabSheet1, pgUpdateList
// TabSheet2, pgSnapshotDrive TabSheet3, pgAboutToInstall TabSheet5,
// pgProgress TabSheet6, pgResult TabSheet7 (see PageName).
enum TPage {
  pgWelcome,
  pgUpdateFolder,
  pgUpdateList,
  pgSnapshotDrive,
  pgAboutToInstall,
  pgProgress,
  pgResult,
  pgCount
};

// "TabSheet0" ... "TabSheet7"; throws std::out_of_range for anything else.
const char* PageName(TPage Page);

enum TWizardButtonState { wbsEnabled = 0, wbsDisabled = 1, wbsHidden = 2 };

// One step forward or back, passing over pages whose tag is not 0, but never
// beyond the last page or before the first. Tags are indexed by TPage.
TPage NextPage(TPage Current, const int (&Tags)[pgCount]);
TPage PrevPage(TPage Current, const int (&Tags)[pgCount]);

struct TPageButtons {
  TWizardButtonState Prev, Next, Exit;
  const char* NextSuffix;  // "_Next" or "_Start", for the control text of btNext
};

// The buttons a page shows on entry. UpdatesFound matters on TabSheet2 only,
// where Next needs at least one update in the folder.
TPageButtons PageButtons(TPage Page, bool UpdatesFound);

// Tag of TabSheet3: 0 shows the snapshot page, 1 skips it. A snapshot is only
// taken for update 0, the upgrade of an older release.
int SnapshotPageTag(bool NoSnapshot, const std::string& FoundUpdates);

// The sections the run is expected to have: one per update, plus the
// snapshot when the snapshot page is shown.
int SectionCountWithSnapshot(int UpdateCount, bool NoSnapshot, const std::string& FoundUpdates);
