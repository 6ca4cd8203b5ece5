// TLauncherForm, update-files folder page (TabSheet1): the folder box, its
// browse button, and the question about folders off the local disks.
#include <shlobj.h>

#include <type_traits>

#include "text/LangRes.h"
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

void TLauncherForm::EnterUpdateFolderPage() {
  ShowPageButtons(false);
  SetFocus(Control(ID_edUpdateFilesPath));
}

bool TLauncherForm::LeaveUpdateFolderPage() {
  if (DriveTypeOfPath(ControlText(ID_edUpdateFilesPath)) == DRIVE_FIXED) return true;
  return ShowMessageBox(GetLangText("str_Message_Recommend_Updates_On_Local_Server_Query_Continue"),
                        GetLangText("str_Title_Warning"), MB_YESNO_DEFAULT_NO) == IDYES;
}

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
