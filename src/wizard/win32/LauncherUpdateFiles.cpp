// TLauncherForm: the update-files folder and the list of updates found in it.
#include <shlobj.h>

#include <type_traits>

#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/ControlIds.h"
#include "wizard/UpdateFiles.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
std::string CurrentDirectory() {
  char buf[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryA(sizeof(buf), buf);
  return n > 0 && n < sizeof(buf) ? std::string(buf, n) : std::string();
}

int CALLBACK BrowseCallback(HWND Dialog, UINT Msg, LPARAM, LPARAM Data) {
  if (Msg != BFFM_INITIALIZED || !Data) return 0;
  // Twice: in a process's first dialog the walk down the tree can stop at a
  // drive whose folders are only just being filled in, leaving the desktop
  // selected; the second walk finds the tree filled.
  SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, Data);
  SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, Data);
  return 0;
}

// The folder dialog; empty when cancelled. Selection empty: nothing preselected.
std::string BrowseForFolder(HWND Owner, const std::string& Instruction, const std::string& Selection,
                            UINT Flags) {
  BROWSEINFOA bi = {};
  bi.hwndOwner = Owner;
  bi.lpszTitle = Instruction.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | Flags;
  bi.lpfn = BrowseCallback;
  bi.lParam = Selection.empty() ? 0 : reinterpret_cast<LPARAM>(Selection.c_str());
  const TCoTaskMem<std::remove_pointer_t<PIDLIST_ABSOLUTE>> chosen(SHBrowseForFolderA(&bi));
  char path[MAX_PATH];
  if (!chosen.Get() || !SHGetPathFromIDListA(chosen.Get(), path)) return std::string();
  return path;
}
}  // namespace

void TLauncherForm::edUpdateFilesPathChange() {
  SetButtonState(ID_btNext, DirectoryExists(ControlText(ID_edUpdateFilesPath)) ? wbsEnabled : wbsDisabled);
}

void TLauncherForm::btUpdateFilesPathBrowseClick() {
  const std::string start = ControlText(ID_edUpdateFilesPath);
  const std::string remembered = CurrentDirectory();
  SetCurrentDirectoryA(start.c_str());
  std::string chosen;
  const bool shell =
      GetKeyState(VK_SHIFT) < 0 || (LacksDriveLetter(start) && LacksDriveLetter(remembered));
  if (shell) {
    // Rooted at the desktop, so drives and the network are all reachable.
    chosen = BrowseForFolder(FHandle, ControlText(ID_lbUpdateFilesPathTitle),
                             DirectoryExists(start) ? ExpandFileName(start) : std::string(), 0);
  } else {
    const bool openStart = !LacksDriveLetter(start) && DirectoryExists(start);
    chosen = BrowseForFolder(FHandle, ControlText(ID_lbUpdateFilesPathTitle),
                             openStart ? ExpandFileName(start) : CurrentDirectory(),
                             BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON);
  }
  if (!chosen.empty()) SetText(ID_edUpdateFilesPath, chosen);
  SetCurrentDirectoryA(remembered.c_str());
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
  FRun.FSectionCount = scan.Count;
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
