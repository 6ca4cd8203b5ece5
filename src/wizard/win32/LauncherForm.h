// TLauncherForm: the wizard's one window. It holds the wizard's state as its
// F... fields and its behaviour as the handlers named after control and event.
// Every decision is made by the portable model code; this class gathers the
// values from Windows and applies the results to its controls.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
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
#include "wizard/win32/RunLogFile.h"
#include "wizard/win32/WindowResources.h"

// The container of a page (ID_TabSheet0 ... ID_TabSheet7).
int PageContainerId(TPage Page);

class TLauncherForm : private IProgressView {
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
  // returns the exit code. OnlyWizard: no other wizard holds the mutex.
  int RunUnattended(bool OnlyWizard, int CmdShow);

 private:
  // ---- fields of the wizard ----
  std::string FProgramDir;
  std::string FInstallRoot;
  bool FNoSnapshot = false;
  std::string FFoundUpdates;
  bool FUpdatesMissing = false;
  DWORD FEngineProcessId = 0;
  TKernelHandle FEngineProcess;  // the engine we started: its end is judged by this handle
  bool FEngineRunning = false;
  bool FEngineStartPending = false;
  std::unique_ptr<TPipeStream> FEngineOutput;
  std::unique_ptr<TPipeStream> FEngineInput;
  std::string FEngineInputQueue;  // typed for the engine, not yet taken by the pipe
  TLaunchOptions FOptions;
  TStartFailure FStartFailure = TStartFailure::None;  // of the last start check
  // Unattended: every text a message box would have shown, in order.
  std::vector<std::string> FBoxTexts;
  TEngineProtocol FRun;  // FSection, FErrorText, FResultText, FStepCode, FCurrentStep, FDetail,
                         // FTranscript, FNeedReboot, FSectionIndex, FSectionPercent, FSectionCount
  TRunningLog FRunningLog;  // every line interpreted, on disk as the run goes
  bool FOutputBacklog = false;  // the last pass ended on its budget with output still waiting

  // ---- the window ----
  HINSTANCE FInstance;
  HWND FHandle = nullptr;
  int FDpi = 96;
  std::string FApplicationTitle;
  bool FTerminated = false;
  bool FCreating = true;
  TPage FActivePage = pgTabSheet0;
  int FTags[pgCount] = {};
  std::map<int, HWND> FControls;
  TWindowResources FRes;
  std::string FThousandsSeparator = ",";
  bool FSnapshotLabelBold = true;
  // What the progress page shows, applied to the controls once per pass of
  // the run loop so that a flood of engine lines does not redraw per line.
  struct TPendingProgress {
    enum : unsigned { dSection = 1, dStep = 2, dDetail = 4, dProgress = 8, dLevel = 16 };
    unsigned Dirty = 0;
    std::string SectionTitle, CurrentStep, Detail, Title;
    int BarPosition = 0, BarMax = 0;
  } FProgress;
  bool FInTimer = false;
  // The width the window had before it widened itself for a language's long
  // texts (0: it has not, or the operator has resized it since), and the
  // width it chose.
  int FBaseOuterWidth = 0;
  int FFittedOuterWidth = 0;
  bool FFittingWidth = false;
  HWND FFocus = nullptr;  // the control that gets the keyboard back when the window is activated

  // ---- window plumbing (LauncherWindow.cpp) ----
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ContainerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PanelProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK InputEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT HandleMessage(UINT Msg, WPARAM W, LPARAM L);
  void Guard(const std::function<void()>& Handler);  // the default error display
  void ShowError(const std::string& Message);
  void CreateControls();
  HWND CreateControl(const TControlDef& Def, HWND Parent);
  void LayoutControls();
  void LayoutChildren(int ParentId, HWND Parent);
  void OnCommand(int Id, int Code, HWND Control);
  LRESULT OnCtlColor(HDC Dc, HWND Control);
  void OnDrawDriveItem(const DRAWITEMSTRUCT& Item);
  HWND Control(int Id) const;
  std::string ControlText(int Id) const;
  std::string AccessibleName(int Id) const;  // what a screen reader calls the control
  void SetText(int Id, const std::string& Text);
  void FitLabel(int Id);
  int TextWidth(int Id, bool AccessKeys) const;
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

  // ---- page flow (LauncherPages.cpp) ----
  void btNextClick();
  void btPrevClick();
  bool CanLeaveCurrentPage();
  void ShowCurrentPage();
  void ShowPage(TPage Page);
  void FocusPageStart();
  void SetButtonState(int ButtonId, TWizardButtonState State);
  void SetWizardButtons(TWizardButtonState Prev, TWizardButtonState Next, TWizardButtonState Exit,
                        const std::string& NextSuffix);
  int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
  bool LeaveWelcomePage();
  bool LeaveUpdateFolderPage();
  bool LeaveUpdateListPage();

  // ---- start checks and server level (LauncherChecks.cpp) ----
  bool CheckStartPreconditions();
  bool HasApplicableUpdates();
  void UpdateServerLevelLabel();

  // ---- update files (LauncherUpdateFiles.cpp) ----
  void edUpdateFilesPathChange();
  void btUpdateFilesPathBrowseClick();
  bool FillUpdateList();
  void TabSheet2Resize();

  // ---- snapshot drive (LauncherSnapshot.cpp) ----
  void SetDefaultLocations();
  std::vector<TDriveCandidate> FillDriveList();
  void SelectSnapshotDrive(char Letter);
  char SnapshotDrive() const;
  void cbSnapshotDriveChange();

  // ---- unattended runs (LauncherUnattended.cpp) ----
  int UnattendedExit(TUnattendedOutcome Outcome, const std::string& DecidingText, bool EngineRan);
  bool WalkPages(TUnattendedOutcome& Outcome, std::string& DecidingText);
  void PassivePause(DWORD Ms);
  std::string ReadyForUpdateText();

  // ---- engine run (LauncherRun.cpp) ----
  void InstallToSupportBin(const std::string& FileName);
  void StartEngine();
  static void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD);
  void RunPass();
  void FeedEngineInput();
  void PollEngineOutput();
  void DrainEngineOutput();
  void InterpretEngineLine(const std::string& Line);
  void Timer1Timer();
  void edOUEInputKeyPress(char& Key);
  // The final log, to FileName or (empty) the first free dated name beside
  // the wizard; on success the running file is removed.
  // Writes the final log (ResultText, the banner, the whole output) under
  // FileName, or the first free dated name when empty.
  TLogWrite SaveTranscriptLog(std::string FileName, const std::string& ResultText);
  void ShowRunResult();
  void FlushProgress();

  // IProgressView
  void ShowSectionTitle(const std::string& Text) override;
  void ShowCurrentStep(const std::string& Text) override;
  void ShowDetail(const std::string& Text) override;
  void ShowProgress(int BarPosition, int BarMax, const std::string& Title) override;
  void RefreshServerLevel() override;
};
