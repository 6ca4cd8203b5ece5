// TLauncherForm: the wizard's one window. It holds the wizard's state as its
// F... fields and its behaviour as the handlers named after control and event.
// Every decision is made by the portable model code; this class gathers the
// values from Windows and applies the results to its controls.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "utils/win32/Utils.h"
#include "wizard/EngineProtocol.h"
#include "wizard/LaunchOptions.h"
#include "wizard/Layout.h"
#include "wizard/PageFlow.h"
#include "wizard/Preconditions.h"
#include "wizard/SnapshotDrive.h"
#include "wizard/UnattendedOutcome.h"
#include "wizard/WizardLock.h"
#include "wizard/win32/EngineRunner.h"
#include "wizard/win32/WindowResources.h"

// The container of a page (ID_TabSheet0 ... ID_TabSheet7).
int PageContainerId(TPage Page);

// As IRunLoopHost it lends the run loop Terminated, ProcessMessages and Guard.
class TLauncherForm : private IRunView, private IRunLoopHost {
 public:
  TLauncherForm(HINSTANCE Instance, const TLaunchOptions& Options);
  ~TLauncherForm();
  TLauncherForm(const TLauncherForm&) = delete;
  TLauncherForm& operator=(const TLauncherForm&) = delete;

  static bool RegisterWindowClasses(HINSTANCE Instance);

  HWND Handle() const { return FHandle; }
  void Show(int CmdShow);
  // The application object's part: title, terminate, pending messages.
  const std::string& ApplicationTitle() const { return FApplicationTitle; }
  bool Terminated() const { return FTerminated; }
  void Terminate();
  void ProcessMessages();
  // Keyboard navigation and the default button, for every message loop.
  bool PreTranslateMessage(MSG& Msg);
  // Goes the way an operator goes, with the command line's answers, and
  // returns the exit code. Lock: what taking the one-wizard lock found;
  // LockProblem: what failed when it is Unavailable.
  int RunUnattended(TLockVerdict Lock, const std::string& LockProblem, int CmdShow);

 private:
  // ---- fields of the wizard ----
  std::string FProgramDir;
  std::string FInstallRoot;
  bool FNoSnapshot = false;
  std::string FFoundUpdates;
  bool FUpdatesMissing = false;
  TLaunchOptions FOptions;
  TStartFailure FStartFailure = TStartFailure::None;  // of the last start check
  // Unattended: every text a message box would have shown, in order.
  std::vector<std::string> FBoxTexts;
  int FLanguage = 0;                    // the index of the catalogue's language
  bool FResultShown = false;            // the result page has its text (and, interactively, the log is written)
  std::string FEndFault;                // what went wrong on the way to the result page
  bool FCloseRequested = false;         // /quiet: the hidden window was asked to close
  TEngineRunner FRunner{*this, *this};  // the engine, its pipes and the run's state (State())
  TKernelHandle FEngineFileHold;        // oue.exe, unchangeable from the check of who may change it to the start

  // ---- the window ----
  HINSTANCE FInstance;
  HWND FHandle = nullptr;
  int FDpi = 96;
  std::string FApplicationTitle;
  bool FTerminated = false;
  bool FCreating = true;
  TPage FActivePage = pgWelcome;
  int FTags[pgCount] = {};
  std::map<int, HWND> FControls;
  TWindowResources FRes;
  std::string FThousandsSeparator = ",";
  // The width the window had before it widened itself for a language's long
  // texts (0: it has not, or the operator has resized it since), and the
  // width it chose.
  int FBaseOuterWidth = 0;
  int FFittedOuterWidth = 0;
  bool FFittingWidth = false;
  HWND FFocus = nullptr;  // the control that gets the keyboard back when the window is activated

  // ---- window plumbing (LauncherWindow.cpp, LauncherControls.cpp) ----
  static constexpr UINT_PTR Timer1 = 1;
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ContainerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PanelProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK InputEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT HandleMessage(UINT Msg, WPARAM W, LPARAM L);
  void Guard(const std::function<void()>& Handler);  // the default error display
  void ShowError(const std::string& Message);
  void CreateControls();
  HWND CreateControl(const TControlDef& Def, HWND Parent);
  void SetUpControl(const TControlDef& Def, HWND Control);
  void SetItemHeight(const TControlDef& Def, HWND Control);
  HFONT DesignFont(const TControlDef& Def) const;
  HBITMAP Picture(TArt Art) const;
  HIMAGELIST Glyph(TArt Art) const;
  void LayoutControls();
  void LayoutChildren(int ParentId, HWND Parent);
  TRect PlaceControl(const TControlDef& Def, int ParentWidth, int ParentHeight) const;
  void OnSize(WPARAM Kind);
  bool OnActivate(WPARAM W);
  bool CanClose();
  void OnCloseRequest();
  // The event map (LauncherEvents.cpp): control and event to handler.
  void OnCommand(int Id, int Code, HWND Control);
  void OnKeyPress(int Id, char& Key);
  void OnContainerResize(int Id);
  LRESULT OnCtlColor(HDC Dc, HWND Control);
  void OnMeasureItem(MEASUREITEMSTRUCT& Item);
  void OnDrawItem(const DRAWITEMSTRUCT& Item);
  void OnDrawDriveItem(const DRAWITEMSTRUCT& Item);
  HWND Control(int Id) const;
  std::string ControlText(int Id) const;
  std::string AccessibleName(int Id) const;  // what a screen reader calls the control
  void SetText(int Id, const std::string& Text);
  void FitLabel(int Id);
  void FitButtonGlyph(int Id);
  void FitSingleLineTexts();
  void RepaintNow(int Id);
  void FitMemoScrollBar(int Id);
  void OnDpiChanged(int Dpi, const RECT& Suggested);
  void BringToFront();  // the application, with any box it is waiting on

  // ---- start and end (LauncherForm.cpp) ----
  RECT CentredFrame(const RECT& Work, DWORD Style, DWORD ExStyle) const;
  void FormCreate();
  void FormDestroy();
  bool FormCloseQuery();
  void btExitClick();
  void FormClick() {}

  // ---- texts (LauncherText.cpp) ----
  void SetControlText(int Id, const std::string& Suffix = "");
  void ApplyLanguage();
  void FillLanguageList();
  void cbLocaleChange();
  void UpdateServerLevelLabel();

  // ---- page flow (LauncherPages.cpp): each page's entry and leave check
  // live with the page in pages/, and the flow reaches them only through
  // PageUnits. An entry sets the buttons (ShowPageButtons) and makes the
  // page's own preparations; a leave check may warn, ask or refuse. ----
  struct TPageUnit {
    void (TLauncherForm::*Enter)();
    bool (TLauncherForm::*CanLeave)();
  };
  static const TPageUnit PageUnits[pgCount];
  static constexpr UINT MB_YESNO_DEFAULT_NO = MB_YESNO | MB_DEFBUTTON2;  // 260
  void btNextClick();
  void btPrevClick();
  bool CanLeaveCurrentPage();
  void ShowCurrentPage();
  void ShowPage(TPage Page);
  void ShowPageButtons(bool UpdatesFound);
  void EnterPlainPage();
  bool LeaveFreely() { return true; }
  void FocusPageStart();
  void SetButtonState(int ButtonId, TWizardButtonState State);
  void SetWizardButtons(TWizardButtonState Prev, TWizardButtonState Next, TWizardButtonState Exit,
                        const std::string& NextSuffix);
  int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

  // ---- welcome (pages/WelcomePage.cpp) ----
  bool LeaveWelcomePage();

  // ---- update-files folder (pages/UpdateFolderPage.cpp) ----
  void EnterUpdateFolderPage();
  bool LeaveUpdateFolderPage();
  void edUpdateFilesPathChange();
  void btUpdateFilesPathBrowseClick();

  // ---- update list (pages/UpdateListPage.cpp) ----
  void EnterUpdateListPage();
  bool LeaveUpdateListPage();
  bool FillUpdateList();
  void TabSheet2Resize();

  // ---- snapshot drive (pages/SnapshotPage.cpp) ----
  void EnterSnapshotPage();
  void SetDefaultLocations();
  std::vector<TDriveCandidate> FillDriveList();
  void SelectSnapshotDrive(char Letter);
  char SnapshotDrive() const;
  void cbSnapshotDriveChange();

  // ---- about to install: the start checks (pages/StartPage.cpp) ----
  bool CheckStartPreconditions();
  // Nobody but the administrators may change the folder, OUpdate.exe or
  // oue.exe; holds oue.exe (FEngineFileHold) when the wizard goes on.
  bool CheckProgramFilesGuarded();

  // ---- progress and result (pages/RunPages.cpp) ----
  void EnterProgressPage();
  void EnterResultPage();

  // ---- unattended runs (LauncherUnattended.cpp) ----
  std::optional<std::string> FRunUpdateLevel;  // an unattended run's one reading of the node's level
  std::string LocalUpdateLevel();
  int UnattendedExit(TUnattendedOutcome Outcome, const std::string& DecidingText, bool EngineRan);
  bool WalkPages(TUnattendedOutcome& Outcome, std::string& DecidingText);
  bool WalkToRun(TUnattendedOutcome& Outcome, std::string& DecidingText);
  bool StoppedOnPage(TPage Page, std::size_t Boxes, TUnattendedOutcome& Outcome, std::string& DecidingText);
  void WaitForResult();
  bool ClosedOutcome(TUnattendedOutcome& Outcome, std::string& DecidingText);
  void PassivePause(DWORD Ms);
  std::string ReadyForUpdateText();

  // ---- engine run (LauncherRun.cpp) ----
  void InstallToSupportBin(const std::string& FileName);
  void StartEngine();
  void Timer1Timer();
  void edOUEInputKeyPress(char& Key);
  void ShowRunResult();
  bool RunSucceeded() const;
  std::string RunEndNotices() const;

  // IRunView
  void OnRunEnded() override;
  void ShowSectionTitle(const std::string& Text) override;
  void ShowCurrentStep(const std::string& Text) override;
  void ShowDetail(const std::string& Text) override;
  void ShowProgress(int BarPosition, int BarMax, const std::string& Title) override;
  void RefreshServerLevel() override;
};
