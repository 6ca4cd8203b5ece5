// TLauncherForm, snapshot page (TabSheet3): the snapshot drive, and the
// default drive and folder.
#include "text/LangRes.h"
#include "utils/win32/SystemLibrary.h"
#include "wizard/ControlIds.h"
#include "wizard/SnapshotDrive.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
std::string RootOf(char Letter) { return std::string(1, Letter) + ":\\"; }

// Reading a drive must never bring up the system's "no disk" box.
class TNoDiskPrompt {
 public:
  TNoDiskPrompt() : FOld(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TNoDiskPrompt() { SetErrorMode(FOld); }

 private:
  UINT FOld;
};

UINT DriveTypeOf(char Letter) {
  TNoDiskPrompt Quiet;
  return GetDriveTypeA(RootOf(Letter).c_str());
}

void FreeSpace(char Letter, long long& Free, long long& Total) {
  TNoDiskPrompt Quiet;
  ULARGE_INTEGER Avail, Size;
  if (GetDiskFreeSpaceExA(RootOf(Letter).c_str(), &Avail, &Size, nullptr)) {
    Free = static_cast<long long>(Avail.QuadPart);
    Total = static_cast<long long>(Size.QuadPart);
  } else {
    Free = Total = -1;
  }
}

std::string VolumeLabel(char Letter) {
  TNoDiskPrompt Quiet;
  char Label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(RootOf(Letter).c_str(), Label, sizeof(Label), nullptr, nullptr, nullptr, nullptr, 0))
    return std::string();
  return Label;
}

std::string ShareName(char Letter) {
  using TWNetGetConnectionA = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  static const TSystemLibrary Mpr("mpr.dll");
  const auto GetConnection = Mpr.Function<TWNetGetConnectionA>("WNetGetConnectionA");
  char Local[3] = {Letter, ':', 0};
  char Remote[MAX_PATH * 2] = {};
  DWORD Size = sizeof(Remote);
  return GetConnection && GetConnection(Local, Remote, &Size) == NO_ERROR ? std::string(Remote) : std::string();
}
}  // namespace

// Fills the drive list and returns every drive with its type, and the free
// space of the fixed ones, for the choice of the default drive: one pass over
// the drives, which can be slow to answer.
std::vector<TDriveCandidate> TLauncherForm::FillDriveList() {
  std::vector<TDriveCandidate> Drives;
  HWND List = Control(ID_cbSnapshotDrive);
  SendMessageA(List, CB_RESETCONTENT, 0, 0);
  const DWORD Mask = GetLogicalDrives();
  for (int I = 0; I < 26; ++I) {
    if (!(Mask & (1u << I))) continue;
    const char Letter = static_cast<char>('A' + I);
    const UINT Type = DriveTypeOf(Letter);
    long long Free = -1, Total = -1;
    if (Type == DRIVE_FIXED) FreeSpace(Letter, Free, Total);
    Drives.push_back({Letter, static_cast<int>(Type), Free});
    if (!IsListedDriveType(static_cast<int>(Type))) continue;
    // A network drive whose share cannot be named shows its volume label.
    const std::string Text = DriveListEntryText(Letter, static_cast<int>(Type), VolumeLabel(Letter),
                                                Type == DRIVE_REMOTE ? ShareName(Letter) : std::string());
    LRESULT Index = SendMessageA(List, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text.c_str()));
    SendMessageA(List, CB_SETITEMDATA, Index, MAKELPARAM(Letter, Type));
  }
  // The list starts on the drive of the working directory.
  char Dir[MAX_PATH];
  if (GetCurrentDirectoryA(sizeof(Dir), Dir) > 1 && Dir[1] == ':') {
    char Letter = Dir[0];
    if (Letter >= 'a' && Letter <= 'z') Letter = static_cast<char>(Letter - 'a' + 'A');
    SelectSnapshotDrive(Letter);
  }
  return Drives;
}

char TLauncherForm::SnapshotDrive() const {
  HWND List = Control(ID_cbSnapshotDrive);
  LRESULT Index = SendMessageA(List, CB_GETCURSEL, 0, 0);
  if (Index == CB_ERR) return 0;
  return static_cast<char>(LOWORD(SendMessageA(List, CB_GETITEMDATA, Index, 0)));
}

// Makes Letter the list's drive; the change handler runs when the drive changes.
void TLauncherForm::SelectSnapshotDrive(char Letter) {
  HWND List = Control(ID_cbSnapshotDrive);
  const LRESULT Count = SendMessageA(List, CB_GETCOUNT, 0, 0);
  for (LRESULT I = 0; I < Count; ++I) {
    if (static_cast<char>(LOWORD(SendMessageA(List, CB_GETITEMDATA, I, 0))) != Letter) continue;
    if (SendMessageA(List, CB_GETCURSEL, 0, 0) == I) return;
    SendMessageA(List, CB_SETCURSEL, I, 0);
    cbSnapshotDriveChange();
    return;
  }
}

void TLauncherForm::SetDefaultLocations() {
  const std::vector<TDriveCandidate> Drives = FillDriveList();
  if (char Best = ChooseDefaultSnapshotDrive(Drives)) SelectSnapshotDrive(Best);

  std::string Folder = FProgramDir;
  if (Folder.empty() || Folder.back() != '\\') Folder += '\\';
  SetText(ID_edUpdateFilesPath, Folder);
}

void TLauncherForm::EnterSnapshotPage() {
  ShowPageButtons(false);
  cbSnapshotDriveChange();
}

void TLauncherForm::cbSnapshotDriveChange() {
  const char Letter = SnapshotDrive();
  const UINT Type = Letter ? DriveTypeOf(Letter) : DRIVE_UNKNOWN;
  HWND Label = Control(ID_lbSnapshotDriveSizeInfo);
  SetButtonState(ID_btNext, wbsDisabled);
  EnableWindow(Label, FALSE);
  SendMessageA(Label, WM_SETFONT, reinterpret_cast<WPARAM>(FRes.Normal.Get()), FALSE);

  long long Free = -1, Total = -1;
  if (Type == DRIVE_FIXED) FreeSpace(Letter, Free, Total);
  const TSnapshotVerdict Verdict = JudgeSnapshotDrive(static_cast<int>(Type), Free, Total, FThousandsSeparator);
  if (Verdict.NextEnabled) {
    EnableWindow(Label, TRUE);
    SendMessageA(Label, WM_SETFONT, reinterpret_cast<WPARAM>(FRes.Bold.Get()), FALSE);
    SetButtonState(ID_btNext, wbsEnabled);
  }
  SetText(ID_lbSnapshotDriveSizeInfo, Verdict.LabelText);
  FitLabel(ID_lbSnapshotDriveSizeInfo);
  InvalidateRect(Label, nullptr, TRUE);
}

void TLauncherForm::OnDrawDriveItem(const DRAWITEMSTRUCT& Item) {
  if (Item.itemID == static_cast<UINT>(-1)) return;
  HDC Dc = Item.hDC;
  RECT Rc = Item.rcItem;
  const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
  FillRect(Dc, &Rc, GetSysColorBrush(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const UINT Type = HIWORD(Item.itemData);
  const int Size = ScaleToDpi(16, FDpi);
  if (Type < 7)
    DrawBitmap(Dc, FRes.DrivePictures[Type].Get(), Rc.left + 2, Rc.top + (Rc.bottom - Rc.top - Size) / 2, Size, Size,
               true);
  // A network drive's remote name can be longer than any fixed buffer.
  const LRESULT Length = SendMessageA(Item.hwndItem, CB_GETLBTEXTLEN, Item.itemID, 0);
  std::string Text(Length > 0 ? static_cast<size_t>(Length) + 1 : 1, '\0');
  const LRESULT N =
      Length > 0 ? SendMessageA(Item.hwndItem, CB_GETLBTEXT, Item.itemID, reinterpret_cast<LPARAM>(&Text[0])) : 0;
  if (N > 0 && N <= Length) {
    RECT T = Rc;
    T.left += Size + 6;
    SetBkMode(Dc, TRANSPARENT);
    SetTextColor(Dc, GetSysColor(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(Dc, Text.data(), static_cast<int>(N), &T, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(Dc, &Rc);
}
