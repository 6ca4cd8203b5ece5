#include "Driver.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "Cp1252.h"
#include "DriverError.h"
#include "Files.h"
#include "FontReader.h"
#include "ListViewReader.h"
#include "Screenshot.h"
#include "VisibleText.h"
#include "WindowMessages.h"
#include "wizard/ControlIds.h"

namespace {

constexpr const char* MessageBoxClass = "#32770";
constexpr int MessageBoxTextId = 0xFFFF;
// The page containers, in wizard order.
const char* const PageNames[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                                 "TabSheet5", "TabSheet6", "TabSheet7"};
// Every button a message box can offer: IDOK ... IDCONTINUE.
constexpr int BoxButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY,    IDIGNORE,  IDYES,
                                IDNO, IDCLOSE,  IDHELP,  IDTRYAGAIN, IDCONTINUE};

struct TTopLevelSearch {
  DWORD Pid;
  const char* Class;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectTopLevel(HWND Window, LPARAM Param) {
  auto* Search = reinterpret_cast<TTopLevelSearch*>(Param);
  if (WindowProcessId(Window) == Search->Pid && (Search->Class == nullptr || WindowClass(Window) == Search->Class))
    Search->Found.push_back(Window);
  return TRUE;
}

// Top-level windows of class Class (any class: nullptr) owned by process Pid,
// topmost first.
std::vector<HWND> TopLevelWindows(DWORD Pid, const char* Class) {
  TTopLevelSearch Search{Pid, Class, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&Search));
  return Search.Found;
}

struct TChildSearch {
  int Id;
  HWND Found;
};

BOOL CALLBACK FindChildById(HWND Window, LPARAM Param) {
  auto* Search = reinterpret_cast<TChildSearch*>(Param);
  if (GetDlgCtrlID(Window) != Search->Id) return TRUE;
  Search->Found = Window;
  return FALSE;
}

TMessageBox ReadMessageBox(HWND Box) {
  TMessageBox Result;
  Result.Handle = Box;
  Result.Title = WindowText(Box);
  if (HWND Static = GetDlgItem(Box, MessageBoxTextId)) Result.Text = WindowText(Static);
  for (int Id : BoxButtonIds) {
    HWND Button = GetDlgItem(Box, Id);
    if (Button != nullptr && IsWindowVisible(Button)) Result.Buttons.push_back(Id);
  }
  return Result;
}

// A text in a failure message, control bytes and bytes outside ASCII
// escaped, so a Windows-1252 text reads the same on any terminal.
std::string Quoted(const std::string& Text) { return "\"" + Visible(Text) + "\""; }

}  // namespace

std::ostream& operator<<(std::ostream& Out, const TControlRect& Rect) {
  return Out << "{left " << Rect.Left << ", top " << Rect.Top << ", " << Rect.Width << " x " << Rect.Height << "}";
}

std::ostream& operator<<(std::ostream& Out, const TWindowSize& Size) {
  return Out << Size.Width << " x " << Size.Height;
}

bool TMessageBox::HasButton(int Id) const { return std::find(Buttons.begin(), Buttons.end(), Id) != Buttons.end(); }

bool TMessageBox::ShowsIcon() const {
  const int IconStaticId = 0x440;  // the icon of a message box
  HWND Icon = GetDlgItem(Handle, IconStaticId);
  return Icon && IsWindowVisible(Icon) && SendToWindow(Icon, STM_GETICON, 0, 0, "STM_GETICON") != 0;
}

std::ostream& operator<<(std::ostream& Out, const TMessageBox& Box) {
  Out << "message box " << Quoted(Box.Title) << ": " << Quoted(Box.Text) << " buttons {";
  for (size_t I = 0; I < Box.Buttons.size(); ++I) Out << (I ? ", " : "") << Box.Buttons[I];
  return Out << "}";
}

TWizardDriver::~TWizardDriver() { FProcess.Kill(); }

// ---- the process ----

void TWizardDriver::Launch(const std::string& Exe, const std::string& Args, const TEnvironment& Env,
                           const std::string& WorkDir) {
  FWindow = nullptr;
  FProcess.Launch(Exe, Args, Env, WorkDir);
}

// ---- the window ----

HWND TWizardDriver::Window() const {
  if (FWindow != nullptr && IsWindow(FWindow)) return FWindow;
  FWindow = nullptr;
  if (!FProcess.Started()) return nullptr;
  std::vector<HWND> Found = TopLevelWindows(FProcess.Id(), OUPDATE_WINDOW_CLASS);
  if (!Found.empty()) FWindow = Found.front();
  return FWindow;
}

bool TWizardDriver::ShowsAnyWindow() const {
  if (!FProcess.Started()) return false;
  for (HWND Shown : TopLevelWindows(FProcess.Id(), nullptr))
    if (IsWindowVisible(Shown)) return true;
  return false;
}

HWND TWizardDriver::RequireWindow() const {
  if (!FProcess.Started()) throw TDriverError("no wizard has been launched");
  HWND Main = Window();
  if (Main == nullptr) {
    std::optional<DWORD> Code = FProcess.ExitCode();
    throw TDriverError(Code ? "the wizard has ended (exit code " + std::to_string(*Code) + ")"
                            : std::string("the wizard has no window of class " OUPDATE_WINDOW_CLASS));
  }
  return Main;
}

DWORD TWizardDriver::ThreadId() const { return GetWindowThreadProcessId(RequireWindow(), nullptr); }

bool TWizardDriver::WaitWindow(DWORD TimeoutMs, std::string* Why) {
  auto Fail = [Why](const std::string& Reason) {
    if (Why != nullptr) *Why = Reason;
    return false;
  };
  if (!FProcess.Started()) return Fail("no wizard has been launched");
  bool Shown = WaitUntil(
      [this] {
        HWND Main = Window();
        return (Main != nullptr && IsWindowVisible(Main)) || !FProcess.Running();
      },
      TimeoutMs);
  if (!FProcess.Running()) {
    std::optional<DWORD> Code = FProcess.ExitCode();
    return Fail("the wizard ended before its window showed, exit code " + (Code ? std::to_string(*Code) : "?"));
  }
  if (!Shown)
    return Fail(Window() == nullptr
                    ? "no window of class " OUPDATE_WINDOW_CLASS " within " + std::to_string(TimeoutMs) + " ms"
                    : "the window stayed hidden for " + std::to_string(TimeoutMs) + " ms");
  // The window is up; make sure its thread is past creation and pumping.
  try {
    SendToWindow(Window(), WM_NULL, 0, 0, "WM_NULL");
  } catch (const TDriverError& Error) {
    return Fail(Error.what());
  }
  return true;
}

std::string TWizardDriver::Caption() const { return WindowText(RequireWindow()); }

TWindowSize TWizardDriver::OuterSize() const {
  RECT Box = {};
  GetWindowRect(RequireWindow(), &Box);
  return {Box.right - Box.left, Box.bottom - Box.top};
}

TWindowSize TWizardDriver::ClientSize() const {
  RECT Box = {};
  GetClientRect(RequireWindow(), &Box);
  return {Box.right - Box.left, Box.bottom - Box.top};
}

TWindowSize TWizardDriver::Resize(int OuterWidth, int OuterHeight) {
  // Another process's window is moved by its own thread; SetWindowPos waits
  // for it, so the layout is done when this returns.
  if (!SetWindowPos(RequireWindow(), nullptr, 0, 0, OuterWidth, OuterHeight,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
    throw TDriverError("cannot resize the wizard's window (error " + std::to_string(GetLastError()) + ")");
  return OuterSize();
}

void TWizardDriver::Close() { PostMessageA(RequireWindow(), WM_CLOSE, 0, 0); }

// ---- controls ----

HWND TWizardDriver::Control(const std::string& Name) const {
  if (Name == "LauncherForm") return RequireWindow();
  int Id = ControlIdByName(Name.c_str());
  if (Id == 0) throw TDriverError("unknown control name \"" + Name + "\"");
  TChildSearch Search{Id, nullptr};
  EnumChildWindows(RequireWindow(), FindChildById, reinterpret_cast<LPARAM>(&Search));
  if (Search.Found == nullptr)
    throw TDriverError("control " + Name + " (ID " + std::to_string(Id) + ") is not in the wizard's window");
  return Search.Found;
}

std::string TWizardDriver::Text(const std::string& Name) const { return WindowText(Control(Name)); }

bool TWizardDriver::IsVisible(const std::string& Name) const { return IsWindowVisible(Control(Name)) != 0; }

bool TWizardDriver::IsEnabled(const std::string& Name) const { return IsWindowEnabled(Control(Name)) != 0; }

TControlRect TWizardDriver::Rect(const std::string& Name) const {
  HWND Target = Control(Name);
  RECT Box = {};
  GetWindowRect(Target, &Box);
  MapWindowPoints(HWND_DESKTOP, RequireWindow(), reinterpret_cast<POINT*>(&Box), 2);
  return {Box.left, Box.top, Box.right - Box.left, Box.bottom - Box.top};
}

std::string TWizardDriver::ActivePage() const {
  std::string Shown;
  for (const char* Page : PageNames)
    if (IsVisible(Page)) Shown += (Shown.empty() ? "" : "+") + std::string(Page);
  return Shown;
}

void TWizardDriver::Click(const std::string& Name) {
  HWND Button = Control(Name);
  if (!IsWindowVisible(Button)) throw TDriverError("cannot click " + Name + ": it is hidden");
  if (!IsWindowEnabled(Button)) throw TDriverError("cannot click " + Name + ": it is disabled");
  PostMessageA(Button, BM_CLICK, 0, 0);
}

void TWizardDriver::SetText(const std::string& Name, const std::string& Text) { SetWindowTextTo(Control(Name), Text); }

std::vector<std::string> TWizardDriver::ComboItems(const std::string& Name) const {
  HWND Combo = Control(Name);
  LRESULT Count = SendToWindow(Combo, CB_GETCOUNT, 0, 0, "CB_GETCOUNT");
  std::vector<std::string> Items;
  for (LRESULT Index = 0; Index < Count; ++Index) {
    LRESULT Length = SendToWindow(Combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(Index), 0, "CB_GETLBTEXTLEN");
    if (Length < 0) throw TDriverError(Name + " has no text for item " + std::to_string(Index));
    std::wstring Text(static_cast<size_t>(Length) + 1, L'\0');
    LRESULT Copied = SendToWindow(Combo, CB_GETLBTEXT, static_cast<WPARAM>(Index),
                                  reinterpret_cast<LPARAM>(Text.data()), "CB_GETLBTEXT");
    Text.resize(Copied < 0 ? 0 : static_cast<size_t>(Copied));
    Items.push_back(ToCp1252(Text));
  }
  return Items;
}

int TWizardDriver::ComboSelection(const std::string& Name) const {
  return static_cast<int>(SendToWindow(Control(Name), CB_GETCURSEL, 0, 0, "CB_GETCURSEL"));
}

bool TWizardDriver::SelectCombo(const std::string& Name, int Index) {
  HWND Combo = Control(Name);
  LRESULT Count = SendToWindow(Combo, CB_GETCOUNT, 0, 0, "CB_GETCOUNT");
  if (Index < 0 || Index >= Count)
    throw TDriverError("cannot select item " + std::to_string(Index) + " of " + Name + ": it has " +
                       std::to_string(Count) + " items");
  if (!IsWindowVisible(Combo) || !IsWindowEnabled(Combo))
    throw TDriverError("cannot select in " + Name + ": it is hidden or disabled");
  SendToWindow(Combo, CB_SETCURSEL, static_cast<WPARAM>(Index), 0, "CB_SETCURSEL");
  // A pick with the mouse reports the change to the parent; do the same.
  DWORD_PTR Ignored = 0;
  return SendMessageTimeoutA(GetParent(Combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo), CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(Combo), SMTO_NORMAL, 3000, &Ignored) != 0;
}

std::vector<std::string> TWizardDriver::GridRows(const std::string& Name) const {
  HWND List = Control(Name);
  if (WindowClass(List) != WC_LISTVIEWA) throw TDriverError(Name + " is a " + WindowClass(List) + ", not a list view");
  return ReadListViewColumn(List, FProcess.Handle());
}

int TWizardDriver::ProgressPosition(const std::string& Name) const {
  return static_cast<int>(SendToWindow(Control(Name), PBM_GETPOS, 0, 0, "PBM_GETPOS"));
}

int TWizardDriver::ProgressMax(const std::string& Name) const {
  return static_cast<int>(SendToWindow(Control(Name), PBM_GETRANGE, FALSE, 0, "PBM_GETRANGE"));
}

bool TWizardDriver::IsBold(const std::string& Name) const {
  return ControlFontWeight(Control(Name), FProcess.Handle()) >= FW_BOLD;
}

void TWizardDriver::PressKey(WORD VirtualKey, bool Alt) {
  GUITHREADINFO Info = {};
  Info.cbSize = sizeof Info;
  HWND Target = RequireWindow();
  if (GetGUIThreadInfo(ThreadId(), &Info)) {
    if (Info.hwndFocus != nullptr)
      Target = Info.hwndFocus;
    else if (Info.hwndActive != nullptr)
      Target = Info.hwndActive;
  }
  PostKey(Target, VirtualKey, Alt);
}

void TWizardDriver::PressKeyOn(const std::string& Name, WORD VirtualKey) { PostKey(Control(Name), VirtualKey, false); }

void TWizardDriver::PostKey(HWND Target, WORD VirtualKey, bool Alt) {
  // Posted like keyboard input, so the wizard's own loop translates it and
  // sees Enter, Escape and Alt+F4 as it would from the keyboard.
  const LPARAM Scan = static_cast<LPARAM>(MapVirtualKeyA(VirtualKey, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM AltDown = Alt ? (LPARAM(1) << 29) : 0;
  const LPARAM Release = (LPARAM(1) << 30) | (LPARAM(1) << 31);
  PostMessageA(Target, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, VirtualKey, 1 | Scan | AltDown);
  PostMessageA(Target, Alt ? WM_SYSKEYUP : WM_KEYUP, VirtualKey, 1 | Scan | AltDown | Release);
}

// ---- waits ----

std::string TWizardDriver::WaitText(const std::string& Name, const std::string& Expected, DWORD TimeoutMs) const {
  std::string Seen;
  WaitUntil([&] { return (Seen = Text(Name)) == Expected; }, TimeoutMs);
  return Seen;
}

std::string TWizardDriver::WaitPage(const std::string& Page, DWORD TimeoutMs) const {
  std::string Seen;
  WaitUntil([&] { return (Seen = ActivePage()) == Page; }, TimeoutMs);
  return Seen;
}

bool TWizardDriver::WaitEnabled(const std::string& Name, bool Enabled, DWORD TimeoutMs) const {
  return WaitUntil([&] { return IsEnabled(Name) == Enabled; }, TimeoutMs);
}

// ---- message boxes ----

std::vector<TMessageBox> TWizardDriver::MessageBoxes() const {
  std::vector<TMessageBox> Boxes;
  if (!FProcess.Started()) return Boxes;
  for (HWND Box : TopLevelWindows(FProcess.Id(), MessageBoxClass)) {
    if (!IsWindowVisible(Box)) continue;
    try {
      Boxes.push_back(ReadMessageBox(Box));
    } catch (const TDriverError&) {
      // Closed while being read: it is no longer there to answer.
    }
  }
  return Boxes;
}

std::optional<TMessageBox> TWizardDriver::WaitMessageBox(DWORD TimeoutMs) const {
  std::vector<TMessageBox> Boxes;
  WaitUntil([&] { return !(Boxes = MessageBoxes()).empty(); }, TimeoutMs);
  if (Boxes.empty()) return std::nullopt;
  return Boxes.front();
}

bool TWizardDriver::Answer(const TMessageBox& Box, int ButtonId, DWORD TimeoutMs) {
  HWND Button = IsWindow(Box.Handle) ? GetDlgItem(Box.Handle, ButtonId) : nullptr;
  if (Button == nullptr || !IsWindowVisible(Button)) {
    std::ostringstream Message;
    Message << "cannot press button " << ButtonId << " of " << Box;
    throw TDriverError(Message.str());
  }
  PostMessageA(Button, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !IsWindow(Box.Handle) || !IsWindowVisible(Box.Handle); }, TimeoutMs);
}

bool TWizardDriver::NoMessageBoxFor(DWORD Ms) const {
  return !WaitUntil([&] { return !MessageBoxes().empty(); }, Ms);
}

// ---- pictures ----

std::string TWizardDriver::Screenshot(const std::string& FileName) const {
  std::vector<HWND> Windows{RequireWindow()};
  for (const TMessageBox& Box : MessageBoxes()) Windows.push_back(Box.Handle);
  std::string Path = WithBackslash(ArtifactsFolder()) + FileName;
  SaveScreenArea(Windows, Path);
  return Path;
}
