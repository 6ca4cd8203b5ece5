#include "wizard/PageFlow.h"

#include <stdexcept>

#include "wizard/UpdateFiles.h"

namespace {

void CheckPage(TPage Page) {
  if (Page < pgWelcome || Page >= pgCount)
    throw std::out_of_range("not a wizard page: " + std::to_string(static_cast<int>(Page)));
}

}  // namespace

const char* PageName(TPage Page) {
  static const char* const Names[pgCount] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                                             "TabSheet5", "TabSheet6", "TabSheet7"};
  CheckPage(Page);
  return Names[Page];
}

TPage NextPage(TPage Current, const int (&Tags)[pgCount]) {
  CheckPage(Current);
  int Page = Current;
  do {
    if (Page < pgCount - 1) ++Page;
  } while (Tags[Page] != 0 && Page != pgCount - 1);
  return static_cast<TPage>(Page);
}

TPage PrevPage(TPage Current, const int (&Tags)[pgCount]) {
  CheckPage(Current);
  int Page = Current;
  do {
    if (Page > 0) --Page;
  } while (Tags[Page] != 0 && Page != 0);
  return static_cast<TPage>(Page);
}

TPageButtons PageButtons(TPage Page, bool UpdatesFound) {
  CheckPage(Page);
  switch (Page) {
    case pgWelcome:
      return {wbsHidden, wbsEnabled, wbsEnabled, "_Next"};
    case pgUpdateList:
      return {wbsEnabled, UpdatesFound ? wbsEnabled : wbsDisabled, wbsEnabled, "_Next"};
    case pgAboutToInstall:
      return {wbsEnabled, wbsEnabled, wbsEnabled, "_Start"};
    // From here on there is no way back, and the run must not be abandoned.
    case pgProgress:
      return {wbsHidden, wbsHidden, wbsDisabled, "_Next"};
    case pgResult:
      return {wbsHidden, wbsHidden, wbsEnabled, "_Next"};
    default:
      return {wbsEnabled, wbsEnabled, wbsEnabled, "_Next"};
  }
}

int SnapshotPageTag(bool NoSnapshot, const std::string& FoundUpdates) {
  if (NoSnapshot) return 1;
  return ColonListContains(FoundUpdates, "0") ? 0 : 1;
}

int SectionCountWithSnapshot(int UpdateCount, bool NoSnapshot, const std::string& FoundUpdates) {
  return UpdateCount + (SnapshotPageTag(NoSnapshot, FoundUpdates) == 0 ? 1 : 0);
}
