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
  char Sep[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, Sep, sizeof(Sep)) > 0) return Sep;
  return ",";
}

std::string ProgramFolder() {
  char Path[MAX_PATH * 4];
  DWORD N = GetModuleFileNameA(nullptr, Path, sizeof(Path));
  std::string P(Path, N);
  size_t Slash = P.find_last_of("\\/");
  return Slash == std::string::npos ? std::string() : P.substr(0, Slash + 1);
}
// A box the main window owns and the operator can still answer.
struct TOpenBoxSearch {
  HWND Owner;
  HWND Found;
};

BOOL CALLBACK FindOpenBox(HWND Window, LPARAM Param) {
  auto* Search = reinterpret_cast<TOpenBoxSearch*>(Param);
  if (GetWindow(Window, GW_OWNER) != Search->Owner || !IsWindowVisible(Window) || !IsWindowEnabled(Window)) return TRUE;
  Search->Found = Window;
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
  TOpenBoxSearch Search{Main, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOpenBox, reinterpret_cast<LPARAM>(&Search));
  HWND Top = Search.Found ? Search.Found : Main;
  SetForegroundWindow(Top);
  if (Top != Main) SetWindowPos(Top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

TLauncherForm::TLauncherForm(HINSTANCE Instance, const TLaunchOptions& Options)
    : FOptions(Options), FInstance(Instance) {
  FThousandsSeparator = LocaleThousandsSeparator();
  FApplicationTitle = GetLangText("str_LauncherForm_Caption");

  // Client area of 472 x 352 at design size, centred on the desktop, at the
  // scale of the monitor it opens on.
  const DWORD Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD ExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  RECT Work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0);
  FDpi = MonitorDpiAt(POINT{(Work.left + Work.right) / 2, (Work.top + Work.bottom) / 2});
  FRes.Load(Instance, FDpi);
  RECT Rc = CentredFrame(Work, Style, ExStyle);
  CreateWindowExA(ExStyle, OUPDATE_WINDOW_CLASS, FApplicationTitle.c_str(), Style, Rc.left, Rc.top, Rc.right - Rc.left,
                  Rc.bottom - Rc.top, nullptr, nullptr, Instance, this);
  if (!FHandle) return;
  // The system has the last word on where the window landed.
  const int LandedDpi = WindowDpi(FHandle);
  if (LandedDpi > 0 && LandedDpi != FDpi) {
    FDpi = LandedDpi;
    FRes.Load(Instance, FDpi);
    Rc = CentredFrame(Work, Style, ExStyle);
    SetWindowPos(FHandle, nullptr, Rc.left, Rc.top, Rc.right - Rc.left, Rc.bottom - Rc.top,
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
  RECT Rc = {0, 0, ScaleToDpi(DesignClientWidth, FDpi), ScaleToDpi(DesignClientHeight, FDpi)};
  AdjustWindowRectEx(&Rc, Style, FALSE, ExStyle);
  const int W = Rc.right - Rc.left, H = Rc.bottom - Rc.top;
  const int X = Work.left + ((Work.right - Work.left) - W) / 2;
  const int Y = Work.top + ((Work.bottom - Work.top) - H) / 2;
  return RECT{X, Y, X + W, Y + H};
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

void TLauncherForm::FormDestroy() { FRunner.ClosePipes(); }

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

bool TLauncherForm::PreTranslateMessage(MSG& Msg) { return FHandle && IsDialogMessageA(FHandle, &Msg); }

void TLauncherForm::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

// Handles everything waiting, then returns; a WM_QUIT found on the way is put
// back for the main loop.
void TLauncherForm::ProcessMessages() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      FTerminated = true;
      PostQuitMessage(static_cast<int>(Msg.wParam));
      return;
    }
    if (PreTranslateMessage(Msg)) continue;
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
}
