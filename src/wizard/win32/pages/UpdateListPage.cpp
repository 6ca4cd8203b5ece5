// TLauncherForm, update list page (TabSheet2): the updates found in the
// folder, which decide the snapshot page and the run's sections, and whether
// they apply to this node.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/ControlIds.h"
#include "wizard/PageFlow.h"
#include "wizard/Preconditions.h"
#include "wizard/UpdateFiles.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

// The list is rebuilt first: what it finds decides Next.
void TLauncherForm::EnterUpdateListPage() {
  ShowPageButtons(FillUpdateList());
  FTags[pgSnapshotDrive] = SnapshotPageTag(FNoSnapshot, FFoundUpdates);
  FRunner.State().FSectionCount = SectionCountWithSnapshot(FRunner.State().FSectionCount, FNoSnapshot, FFoundUpdates);
  SendMessageA(Control(ID_sbarProgress), PBM_SETRANGE32, 0, FRunner.State().FSectionCount * 100);
  SetFocus(Control(ID_grdUpdateFileList));
}

bool TLauncherForm::LeaveUpdateListPage() {
  const std::string level = LocalUpdateLevel();
  if (!HasApplicableUpdates(level, FFoundUpdates)) {
    ShowMessageBox(FormatText(GetLangText("str_Message_No_Applicable_Updates_Available"), {level}),
                   GetLangText("str_Title_Warning"), 0);
    return false;
  }
  if (FUpdatesMissing)
    return ShowMessageBox(GetLangText("str_Message_Missing_Update_Files_Continue"), GetLangText("str_Title_Warning"),
                          MB_YESNO_DEFAULT_NO) == IDYES;
  return true;
}

bool TLauncherForm::FillUpdateList() {
  const std::string folder = ControlText(ID_edUpdateFilesPath);
  SetText(ID_txtUpdateFilesPathEcho, folder);

  HWND grid = Control(ID_grdUpdateFileList);
  SendMessageA(grid, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(grid);
  std::string title = GetLangText("str_Title_Column_Updates");
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = &title[0];
  ListView_SetColumn(grid, 0, &col);
  auto addRow = [grid](const std::string& Text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(grid);
    item.pszText = const_cast<char*>(Text.c_str());
    ListView_InsertItem(grid, &item);
  };

  // An empty folder text names no folder: it must not search the current drive's root.
  const TUpdateScan scan =
      ScanUpdateNames(folder.empty() ? std::vector<std::string>() : FindOrdinaryFiles(UpdateSearchPattern(folder)));
  FFoundUpdates = scan.FoundUpdates;
  FRunner.State().FSectionCount = scan.Count;
  FUpdatesMissing = false;
  if (scan.Count == 0) {
    addRow(FormatText(GetLangText("str_Message_No_Files_Matching"), {NoUpdatesPattern}));
  } else {
    for (const std::string& row : scan.Rows) addRow(row);
    FUpdatesMissing = scan.UpdatesMissing;
  }
  SendMessageA(grid, WM_SETREDRAW, TRUE, 0);
  TabSheet2Resize();
  InvalidateRect(grid, nullptr, TRUE);
  return scan.Count > 0;
}

void TLauncherForm::TabSheet2Resize() {
  HWND grid = Control(ID_grdUpdateFileList);
  if (!grid) return;
  // The page reports its new size before its controls have followed it:
  // place them first, or the column would keep the grid's previous width.
  LayoutChildren(ID_TabSheet2, Control(ID_TabSheet2));
  RECT rc;
  GetClientRect(grid, &rc);
  ListView_SetColumnWidth(grid, 0, rc.right - rc.left);
}
