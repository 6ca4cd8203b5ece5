// TLauncherForm: creation, destruction and closing, and the application
// object's part: bringing it to the front, terminating, pending messages.
#include "wizard/win32/LauncherForm.h"

#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/ControlIds.h"
#include "wizard/win32/MonitorDpi.h"

namespace {
// The thousands separator of the user's regional settings.
std::string LocaleThousandsSeparator() {
  char sep[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof(sep)) > 0) return sep;
  return ",";
}

std::string ProgramFolder() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string p(path, n);
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}
// A box the main window owns and the operator can still answer.
struct TOpenBoxSearch {
  HWND Owner;
  HWND Found;
};

BOOL CALLBACK FindOpenBox(HWND Window, LPARAM Param) {
  auto* search = reinterpret_cast<TOpenBoxSearch*>(Param);
  if (GetWindow(Window, GW_OWNER) != search->Owner || !IsWindowVisible(Window) || !IsWindowEnabled(Window))
    return TRUE;
  search->Found = Window;
  return FALSE;
}

// Brings the application to the front with whatever the operator has to
// answer first: the result can arrive while an error box of the same run is
// still open (a failed copy), and raising only the main window would bury
// that box behind the window it keeps disabled. The box is looked for among
// the thread's windows rather than asked of the system as the last active
// popup, because raising the main window a moment earlier (the page entry
// does) makes the main window its own last active popup again.
void BringApplicationToFront(HWND Main) {
  TOpenBoxSearch search{Main, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOpenBox, reinterpret_cast<LPARAM>(&search));
  HWND top = search.Found ? search.Found : Main;
  SetForegroundWindow(top);
  if (top != Main) SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

TLauncherForm::TLauncherForm(HINSTANCE Instance, const TLaunchOptions& Options)
    : FOptions(Options), FInstance(Instance) {
  FThousandsSeparator = LocaleThousandsSeparator();
  FApplicationTitle = GetLangText("str_LauncherForm_Caption");

  // Client area of 472 x 352 at design size, centred on the desktop, at the
  // scale of the monitor it opens on.
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  FDpi = MonitorDpiAt(POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2});
  FRes.Load(Instance, FDpi);
  RECT rc = CentredFrame(work, style, exStyle);
  CreateWindowExA(exStyle, OUPDATE_WINDOW_CLASS, FApplicationTitle.c_str(), style, rc.left, rc.top,
                  rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, Instance, this);
  if (!FHandle) return;
  // The system has the last word on where the window landed.
  const int windowDpi = WindowDpi(FHandle);
  if (windowDpi > 0 && windowDpi != FDpi) {
    FDpi = windowDpi;
    FRes.Load(Instance, FDpi);
    rc = CentredFrame(work, style, exStyle);
    SetWindowPos(FHandle, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateControls();
  LayoutControls();
  FormCreate();
  FCreating = false;
}

TLauncherForm::~TLauncherForm() {
  FormDestroy();
  if (FHandle) {
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
}

// The window's outer rectangle for the design client size at FDpi, centred
// in Work.
RECT TLauncherForm::CentredFrame(const RECT& Work, DWORD Style, DWORD ExStyle) const {
  RECT rc = {0, 0, ScaleToDpi(DesignClientWidth, FDpi), ScaleToDpi(DesignClientHeight, FDpi)};
  AdjustWindowRectEx(&rc, Style, FALSE, ExStyle);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  const int x = Work.left + ((Work.right - Work.left) - w) / 2;
  const int y = Work.top + ((Work.bottom - Work.top) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

void TLauncherForm::Show(int CmdShow) {
  ShowWindow(FHandle, CmdShow);
  UpdateWindow(FHandle);
}

// Window creation. A step that fails is reported in the error box and the
// window opens without the steps after it.
void TLauncherForm::FormCreate() {
  Guard([&] {
    FNoSnapshot = FOptions.NoSnapshot;
    FProgramDir = ProgramFolder();
    FActivePage = pgWelcome;
    ShowPage(pgWelcome);
    FillLanguageList();
    SetDefaultLocations();
    ApplyLanguage();
    UpdateServerLevelLabel();
    ShowCurrentPage();
    FRunner.OpenPipes();
  });
}

void TLauncherForm::FormDestroy() {
  FRunner.ClosePipes();
}

bool TLauncherForm::FormCloseQuery() {
  if (FRunner.Running()) {
    ShowMessageBox(
        FormatText(GetLangText("str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running"), {"oue.exe"}),
        GetLangText("str_Title_Information"), 0);
    return false;
  }
  if (FRunner.State().FNeedReboot)
    ShowMessageBox(GetLangText("str_Message_Server_Needs_Reboot"), GetLangText("str_Title_Information"), 0);
  return true;
}

void TLauncherForm::btExitClick() {
  if (FormCloseQuery()) Terminate();
}

void TLauncherForm::BringToFront() { BringApplicationToFront(FHandle); }

bool TLauncherForm::PreTranslateMessage(MSG& Msg) {
  return FHandle && IsDialogMessageA(FHandle, &Msg);
}

void TLauncherForm::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

// Handles everything waiting, then returns; a WM_QUIT found on the way is put
// back for the main loop.
void TLauncherForm::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      FTerminated = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
