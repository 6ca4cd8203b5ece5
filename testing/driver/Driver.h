// TWizardDriver: the wizard as an operator sees it. It starts OUpdate.exe,
// finds its window, and reads and works the controls by the names the team
// uses (src/wizard/ControlIds.h). Clicks and key presses are posted, because
// the handler behind them may open a modal box; everything that can be
// awaited is awaited with a time limit, never slept for.
//
// The harness and the wizard must be built for the same word size: list-view
// structures are filled inside the wizard's process, and fonts are read there
// by the probe DLL (WizardProbe.h), which must stand beside the test program.
#pragma once
#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Wait.h"

// A control's place in the client area of the wizard's window.
struct TControlRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool operator==(const TControlRect& Other) const {
    return Left == Other.Left && Top == Other.Top && Width == Other.Width && Height == Other.Height;
  }
};
std::ostream& operator<<(std::ostream& Out, const TControlRect& Rect);

struct TWindowSize {
  int Width = 0, Height = 0;
  bool operator==(const TWindowSize& Other) const { return Width == Other.Width && Height == Other.Height; }
};
std::ostream& operator<<(std::ostream& Out, const TWindowSize& Size);

// A modal box of the wizard's process (class "#32770").
struct TMessageBox {
  HWND Handle = nullptr;
  std::string Title;
  std::string Text;          // the box's message (its static with ID 0xFFFF)
  std::vector<int> Buttons;  // IDs of the buttons it offers: 1 OK, 2 Cancel, 6 Yes, 7 No, ...
  bool HasButton(int Id) const;
  bool ShowsIcon() const;  // the wizard's boxes show none
};
std::ostream& operator<<(std::ostream& Out, const TMessageBox& Box);

class TWizardDriver {
 public:
  TWizardDriver() = default;
  ~TWizardDriver();  // kills a wizard that is still running
  TWizardDriver(const TWizardDriver&) = delete;
  TWizardDriver& operator=(const TWizardDriver&) = delete;

  // ---- the process ----
  void Launch(const std::string& Exe, const std::string& Args = "", const TEnvironment& Env = {},
              const std::string& WorkDir = "");
  bool Running() const { return FProcess.Running(); }
  bool WaitExit(DWORD TimeoutMs = DefaultTimeoutMs) const { return FProcess.WaitExit(TimeoutMs); }
  std::optional<DWORD> ExitCode() const { return FProcess.ExitCode(); }
  void Kill() { FProcess.Kill(); }
  const TChildProcess& Process() const { return FProcess; }

  // ---- the window ----
  // Waits until the wizard's top-level window (class "TLauncherForm" of the
  // launched process) is visible and answers messages. On failure, Why says
  // what was seen (no window, process ended with its exit code, ...).
  bool WaitWindow(DWORD TimeoutMs = DefaultTimeoutMs, std::string* Why = nullptr);
  HWND Window() const;  // nullptr when the wizard has no window (any more)
  // Whether the wizard's process shows any top-level window: its own or a box.
  bool ShowsAnyWindow() const;
  std::string Caption() const;
  TWindowSize OuterSize() const;
  TWindowSize ClientSize() const;
  // Asks for an outer size and returns the size the window actually took,
  // after its own minimum and maximum (WM_GETMINMAXINFO).
  TWindowSize Resize(int OuterWidth, int OuterHeight);
  // The close box: posts WM_CLOSE.
  void Close();

  // ---- controls, by name ("LauncherForm" is the window itself) ----
  // Throws TDriverError for a name the team does not use, or when the control
  // is not in the window.
  HWND Control(const std::string& Name) const;
  std::string Text(const std::string& Name) const;
  bool IsVisible(const std::string& Name) const;  // shown, together with all its parents
  bool IsEnabled(const std::string& Name) const;
  TControlRect Rect(const std::string& Name) const;
  // "TabSheet0" ... "TabSheet7": the page container that is shown. Several
  // shown pages are joined with "+", none gives "".
  std::string ActivePage() const;
  // Posts a click to a button; throws TDriverError when the operator could
  // not click it (hidden or disabled).
  void Click(const std::string& Name);
  // Sets an edit's text as typing would (the edit reports the change). Works
  // on hidden edits too, such as the engine's input line, which the layout
  // never shows.
  void SetText(const std::string& Name, const std::string& Text);
  std::vector<std::string> ComboItems(const std::string& Name) const;
  int ComboSelection(const std::string& Name) const;  // -1: nothing selected
  // Selects item Index and tells the combo's parent, as a pick with the mouse
  // does. Returns false when the wizard was still busy with it after a few
  // seconds (a modal box opened by the handler, for example).
  bool SelectCombo(const std::string& Name, int Index);
  // A one-column list view in report view: its title, then its items.
  std::vector<std::string> GridRows(const std::string& Name) const;
  int ProgressPosition(const std::string& Name) const;
  int ProgressMax(const std::string& Name) const;
  bool IsBold(const std::string& Name) const;
  // A key press to the window that has the wizard's keyboard focus. With Alt
  // it is sent as a system key (Alt+F4).
  void PressKey(WORD VirtualKey, bool Alt = false);
  // A key press to one control, wherever the focus is.
  void PressKeyOn(const std::string& Name, WORD VirtualKey);

  // ---- waits that return what they saw last, so a failure prints it ----
  std::string WaitText(const std::string& Name, const std::string& Expected, DWORD TimeoutMs = DefaultTimeoutMs) const;
  std::string WaitPage(const std::string& Page, DWORD TimeoutMs = DefaultTimeoutMs) const;
  bool WaitEnabled(const std::string& Name, bool Enabled, DWORD TimeoutMs = DefaultTimeoutMs) const;

  // ---- message boxes ----
  std::vector<TMessageBox> MessageBoxes() const;  // the visible ones, topmost first
  std::optional<TMessageBox> WaitMessageBox(DWORD TimeoutMs = DefaultTimeoutMs) const;
  // Presses a button of the box and waits until the box has gone; false when
  // it stays. Throws TDriverError when the box has no such button.
  bool Answer(const TMessageBox& Box, int ButtonId, DWORD TimeoutMs = DefaultTimeoutMs);
  // True when no message box shows up for Ms milliseconds.
  bool NoMessageBoxFor(DWORD Ms) const;

  // ---- pictures ----
  // Saves the wizard's window, with any open message box, as FileName (.bmp)
  // in the artifacts folder (ArtifactsFolder()). Returns the path written.
  std::string Screenshot(const std::string& FileName) const;

 private:
  TChildProcess FProcess;
  mutable HWND FWindow = nullptr;

  HWND RequireWindow() const;
  DWORD ThreadId() const;
  static void PostKey(HWND Target, WORD VirtualKey, bool Alt);
};
