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
  char Buf[MAX_PATH * 4];
  DWORD N = GetCurrentDirectoryA(sizeof(Buf), Buf);
  return N > 0 && N < sizeof(Buf) ? std::string(Buf, N) : std::string();
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
std::string BrowseForFolder(HWND Owner, const std::string& Instruction, const std::string& Selection, UINT Flags) {
  BROWSEINFOA Bi = {};
  Bi.hwndOwner = Owner;
  Bi.lpszTitle = Instruction.c_str();
  Bi.ulFlags = BIF_RETURNONLYFSDIRS | Flags;
  Bi.lpfn = BrowseCallback;
  Bi.lParam = Selection.empty() ? 0 : reinterpret_cast<LPARAM>(Selection.c_str());
  const TCoTaskMem<std::remove_pointer_t<PIDLIST_ABSOLUTE>> Chosen(SHBrowseForFolderA(&Bi));
  char Path[MAX_PATH];
  if (!Chosen.Get() || !SHGetPathFromIDListA(Chosen.Get(), Path)) return std::string();
  return Path;
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
  const std::string Start = ControlText(ID_edUpdateFilesPath);
  const std::string Remembered = CurrentDirectory();
  SetCurrentDirectoryA(Start.c_str());
  std::string Chosen;
  const bool FromDesktop = GetKeyState(VK_SHIFT) < 0 || (LacksDriveLetter(Start) && LacksDriveLetter(Remembered));
  if (FromDesktop) {
    // Rooted at the desktop, so drives and the network are all reachable.
    Chosen = BrowseForFolder(FHandle, ControlText(ID_lbUpdateFilesPathTitle),
                             DirectoryExists(Start) ? ExpandFileName(Start) : std::string(), 0);
  } else {
    const bool OpenStart = !LacksDriveLetter(Start) && DirectoryExists(Start);
    Chosen = BrowseForFolder(FHandle, ControlText(ID_lbUpdateFilesPathTitle),
                             OpenStart ? ExpandFileName(Start) : CurrentDirectory(),
                             BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON);
  }
  if (!Chosen.empty()) SetText(ID_edUpdateFilesPath, Chosen);
  SetCurrentDirectoryA(Remembered.c_str());
}
