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
  const std::string Level = LocalUpdateLevel();
  if (!HasApplicableUpdates(Level, FFoundUpdates)) {
    ShowMessageBox(FormatText(GetLangText("str_Message_No_Applicable_Updates_Available"), {Level}),
                   GetLangText("str_Title_Warning"), 0);
    return false;
  }
  if (FUpdatesMissing)
    return ShowMessageBox(GetLangText("str_Message_Missing_Update_Files_Continue"), GetLangText("str_Title_Warning"),
                          MB_YESNO_DEFAULT_NO) == IDYES;
  return true;
}

bool TLauncherForm::FillUpdateList() {
  const std::string Folder = ControlText(ID_edUpdateFilesPath);
  SetText(ID_txtUpdateFilesPathEcho, Folder);

  HWND Grid = Control(ID_grdUpdateFileList);
  SendMessageA(Grid, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(Grid);
  std::string Title = GetLangText("str_Title_Column_Updates");
  LVCOLUMNA Col = {};
  Col.mask = LVCF_TEXT;
  Col.pszText = &Title[0];
  ListView_SetColumn(Grid, 0, &Col);
  auto AddRow = [Grid](const std::string& Text) {
    LVITEMA Item = {};
    Item.mask = LVIF_TEXT;
    Item.iItem = ListView_GetItemCount(Grid);
    Item.pszText = const_cast<char*>(Text.c_str());
    ListView_InsertItem(Grid, &Item);
  };

  // An empty folder text names no folder: it must not search the current drive's root.
  const TUpdateScan Scan =
      ScanUpdateNames(Folder.empty() ? std::vector<std::string>() : FindOrdinaryFiles(UpdateSearchPattern(Folder)));
  FFoundUpdates = Scan.FoundUpdates;
  FRunner.State().FSectionCount = Scan.Count;
  FUpdatesMissing = false;
  if (Scan.Count == 0) {
    AddRow(FormatText(GetLangText("str_Message_No_Files_Matching"), {NoUpdatesPattern}));
  } else {
    for (const std::string& Row : Scan.Rows) AddRow(Row);
    FUpdatesMissing = Scan.UpdatesMissing;
  }
  SendMessageA(Grid, WM_SETREDRAW, TRUE, 0);
  TabSheet2Resize();
  InvalidateRect(Grid, nullptr, TRUE);
  return Scan.Count > 0;
}

void TLauncherForm::TabSheet2Resize() {
  HWND Grid = Control(ID_grdUpdateFileList);
  if (!Grid) return;
  // The page reports its new size before its controls have followed it:
  // place them first, or the column would keep the grid's previous width.
  LayoutChildren(ID_TabSheet2, Control(ID_TabSheet2));
  RECT Rc;
  GetClientRect(Grid, &Rc);
  ListView_SetColumnWidth(Grid, 0, Rc.right - Rc.left);
}
