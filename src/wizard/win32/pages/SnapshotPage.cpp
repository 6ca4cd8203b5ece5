// TLauncherForm, snapshot page (TabSheet3): the snapshot drive, and the
// default drive and folder.
#include "text/LangRes.h"
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
  TNoDiskPrompt quiet;
  return GetDriveTypeA(RootOf(Letter).c_str());
}

void FreeSpace(char Letter, long long& Free, long long& Total) {
  TNoDiskPrompt quiet;
  ULARGE_INTEGER avail, total;
  if (GetDiskFreeSpaceExA(RootOf(Letter).c_str(), &avail, &total, nullptr)) {
    Free = static_cast<long long>(avail.QuadPart);
    Total = static_cast<long long>(total.QuadPart);
  } else {
    Free = Total = -1;
  }
}

std::string VolumeLabel(char Letter) {
  TNoDiskPrompt quiet;
  char label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(RootOf(Letter).c_str(), label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0))
    return std::string();
  return label;
}

std::string ShareName(char Letter) {
  char local[3] = {Letter, ':', 0};
  char remote[MAX_PATH * 2] = {};
  DWORD size = sizeof(remote);
  return WNetGetConnectionA(local, remote, &size) == NO_ERROR ? std::string(remote) : std::string();
}
}  // namespace

// Fills the drive list and returns every drive with its type, and the free
// space of the fixed ones, for the choice of the default drive: one pass over
// the drives, which can be slow to answer.
std::vector<TDriveCandidate> TLauncherForm::FillDriveList() {
  std::vector<TDriveCandidate> drives;
  HWND list = Control(ID_cbSnapshotDrive);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char letter = static_cast<char>('A' + i);
    const UINT type = DriveTypeOf(letter);
    long long free = -1, total = -1;
    if (type == DRIVE_FIXED) FreeSpace(letter, free, total);
    drives.push_back({letter, static_cast<int>(type), free});
    if (!IsListedDriveType(static_cast<int>(type))) continue;
    // A network drive whose share cannot be named shows its volume label.
    const std::string text = DriveListEntryText(letter, static_cast<int>(type), VolumeLabel(letter),
                                                type == DRIVE_REMOTE ? ShareName(letter) : std::string());
    LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, CB_SETITEMDATA, index, MAKELPARAM(letter, type));
  }
  // The list starts on the drive of the working directory.
  char dir[MAX_PATH];
  if (GetCurrentDirectoryA(sizeof(dir), dir) > 1 && dir[1] == ':') {
    char letter = dir[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    SelectSnapshotDrive(letter);
  }
  return drives;
}

char TLauncherForm::SnapshotDrive() const {
  HWND list = Control(ID_cbSnapshotDrive);
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return 0;
  return static_cast<char>(LOWORD(SendMessageA(list, CB_GETITEMDATA, index, 0)));
}

// Makes Letter the list's drive; the change handler runs when the drive changes.
void TLauncherForm::SelectSnapshotDrive(char Letter) {
  HWND list = Control(ID_cbSnapshotDrive);
  const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (static_cast<char>(LOWORD(SendMessageA(list, CB_GETITEMDATA, i, 0))) != Letter) continue;
    if (SendMessageA(list, CB_GETCURSEL, 0, 0) == i) return;
    SendMessageA(list, CB_SETCURSEL, i, 0);
    cbSnapshotDriveChange();
    return;
  }
}

void TLauncherForm::SetDefaultLocations() {
  const std::vector<TDriveCandidate> drives = FillDriveList();
  if (char best = ChooseDefaultSnapshotDrive(drives)) SelectSnapshotDrive(best);

  std::string folder = FProgramDir;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  SetText(ID_edUpdateFilesPath, folder);
}

void TLauncherForm::EnterSnapshotPage() {
  ShowPageButtons(false);
  cbSnapshotDriveChange();
}

void TLauncherForm::cbSnapshotDriveChange() {
  const char letter = SnapshotDrive();
  const UINT type = letter ? DriveTypeOf(letter) : DRIVE_UNKNOWN;
  HWND label = Control(ID_lbSnapshotDriveSizeInfo);
  SetButtonState(ID_btNext, wbsDisabled);
  EnableWindow(label, FALSE);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(FRes.Normal.Get()), FALSE);

  long long free = -1, total = -1;
  if (type == DRIVE_FIXED) FreeSpace(letter, free, total);
  const TSnapshotVerdict verdict = JudgeSnapshotDrive(static_cast<int>(type), free, total, FThousandsSeparator);
  if (verdict.NextEnabled) {
    EnableWindow(label, TRUE);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(FRes.Bold.Get()), FALSE);
    SetButtonState(ID_btNext, wbsEnabled);
  }
  SetText(ID_lbSnapshotDriveSizeInfo, verdict.LabelText);
  FitLabel(ID_lbSnapshotDriveSizeInfo);
  InvalidateRect(label, nullptr, TRUE);
}

void TLauncherForm::OnDrawDriveItem(const DRAWITEMSTRUCT& Item) {
  if (Item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = Item.hDC;
  RECT rc = Item.rcItem;
  const bool selected = (Item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const UINT type = HIWORD(Item.itemData);
  const int size = ScaleToDpi(16, FDpi);
  if (type < 7)
    DrawBitmap(dc, FRes.DrivePictures[type].Get(), rc.left + 2, rc.top + (rc.bottom - rc.top - size) / 2, size, size,
               true);
  char text[MAX_PATH];
  LRESULT n = SendMessageA(Item.hwndItem, CB_GETLBTEXT, Item.itemID, reinterpret_cast<LPARAM>(text));
  if (n > 0) {
    RECT t = rc;
    t.left += size + 6;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, static_cast<int>(n), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}
