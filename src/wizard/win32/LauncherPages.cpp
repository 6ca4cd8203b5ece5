// TLauncherForm: moving between the pages, the checks made on leaving a page
// and the preparations made on entering one.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/ControlIds.h"
#include "wizard/Preconditions.h"
#include "wizard/UpdateFiles.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
constexpr UINT MB_YESNO_DEFAULT_NO = MB_YESNO | MB_DEFBUTTON2;  // 260
const char* const RebootFlagFile = "\\DantorKelvra\\Support\\patches\\admin\\oueRebootCheck.txt";
}  // namespace

int TLauncherForm::ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  if (FOptions.Unattended()) {
    // Nobody is there to answer: the text goes to the log, the command line answers.
    FBoxTexts.push_back(Text);
    if ((Flags & MB_TYPEMASK) == MB_YESNO) return FOptions.AcceptWarnings ? IDYES : IDNO;
    return IDOK;
  }
  return MessageBoxA(FHandle, Text.c_str(), Caption.c_str(), Flags);
}

void TLauncherForm::SetButtonState(int ButtonId, TWizardButtonState State) {
  HWND button = Control(ButtonId);
  // Enabled first: a button that becomes visible must not flash in its old state.
  EnableWindow(button, State != wbsDisabled);
  ShowWindow(button, State == wbsHidden ? SW_HIDE : SW_SHOWNA);
}

void TLauncherForm::SetWizardButtons(TWizardButtonState Prev, TWizardButtonState Next, TWizardButtonState Exit,
                                     const std::string& NextSuffix) {
  SetButtonState(ID_btPrev, Prev);
  SetButtonState(ID_btNext, Next);
  SetButtonState(ID_btExit, Exit);
  SetControlText(ID_btNext, NextSuffix);
}

int PageContainerId(TPage Page) {
  const int pages[pgCount] = {ID_TabSheet0, ID_TabSheet1, ID_TabSheet2, ID_TabSheet3,
                              ID_TabSheet5, ID_TabSheet6, ID_TabSheet7};
  return pages[Page];
}

void TLauncherForm::ShowPage(TPage Page) {
  FActivePage = Page;
  for (int i = 0; i < pgCount; ++i)
    if (i != Page) ShowWindow(Control(PageContainerId(static_cast<TPage>(i))), SW_HIDE);
  ShowWindow(Control(PageContainerId(Page)), SW_SHOW);
}

void TLauncherForm::btNextClick() {
  if (!CanLeaveCurrentPage()) return;
  ShowPage(NextPage(FActivePage, FTags));
  ShowCurrentPage();
}

void TLauncherForm::btPrevClick() {
  ShowPage(PrevPage(FActivePage, FTags));
  ShowCurrentPage();
}

bool TLauncherForm::CanLeaveCurrentPage() {
  switch (FActivePage) {
    case pgTabSheet0:
      return LeaveWelcomePage();
    case pgTabSheet1:
      return LeaveUpdateFolderPage();
    case pgTabSheet2:
      return LeaveUpdateListPage();
    case pgTabSheet5:
      return CheckStartPreconditions();
    default:
      return true;
  }
}

bool TLauncherForm::LeaveWelcomePage() {
  FInstallRoot = ReadEnvironmentVariable("KelvraHome");
  if (FInstallRoot.empty()) {
    ShowMessageBox(InstallRootMissingReport(SysErrorMessage(InstallRootMissingError)), GetLangText("str_Title_Error"),
                   0);
    return false;
  }
  if (FileExists(FInstallRoot + RebootFlagFile)) {
    // A fleet tool starts the wizard again itself; a second start at logon
    // would race it. A check changes nothing at all.
    if (FOptions.Mode != TRunMode::Check) RegisterRestartAfterReboot(!FOptions.Unattended());
    ShowMessageBox(GetLangText("str_Message_Please_Reboot_Before_Updating"), GetLangText("str_Title_Warning"), 0);
    Terminate();
  }
  return true;
}

bool TLauncherForm::LeaveUpdateFolderPage() {
  if (DriveTypeOfPath(ControlText(ID_edUpdateFilesPath)) == DRIVE_FIXED) return true;
  return ShowMessageBox(GetLangText("str_Message_Recommend_Updates_On_Local_Server_Query_Continue"),
                        GetLangText("str_Title_Warning"), MB_YESNO_DEFAULT_NO) == IDYES;
}

bool TLauncherForm::LeaveUpdateListPage() {
  if (!HasApplicableUpdates()) {
    ShowMessageBox(FormatText(GetLangText("str_Message_No_Applicable_Updates_Available"), {GetLocalUpdateLevel()}),
                   GetLangText("str_Title_Warning"), 0);
    return false;
  }
  if (FUpdatesMissing)
    return ShowMessageBox(GetLangText("str_Message_Missing_Update_Files_Continue"), GetLangText("str_Title_Warning"),
                          MB_YESNO_DEFAULT_NO) == IDYES;
  return true;
}

void TLauncherForm::ShowCurrentPage() {
  bool updatesFound = false;
  if (FActivePage == pgTabSheet2) updatesFound = FillUpdateList();
  const TPageButtons buttons = PageButtons(FActivePage, updatesFound);
  SetWizardButtons(buttons.Prev, buttons.Next, buttons.Exit, buttons.NextSuffix);

  switch (FActivePage) {
    case pgTabSheet1:
      SetFocus(Control(ID_edUpdateFilesPath));
      break;
    case pgTabSheet2:
      FTags[pgTabSheet3] = SnapshotPageTag(FNoSnapshot, FFoundUpdates);
      FRunner.State().FSectionCount =
          SectionCountWithSnapshot(FRunner.State().FSectionCount, FNoSnapshot, FFoundUpdates);
      SendMessageA(Control(ID_sbarProgress), PBM_SETRANGE32, 0, FRunner.State().FSectionCount * 100);
      SetFocus(Control(ID_grdUpdateFileList));
      break;
    case pgTabSheet3:
      cbSnapshotDriveChange();
      break;
    case pgTabSheet6:
      FRunner.ExpectStart();
      InstallToSupportBin("oue.exe");
      InstallToSupportBin(ProgramFileName());
      StartEngine();
      BringToFront();
      break;
    case pgTabSheet7:
      BringToFront();
      ShowRunResult();
      break;
    default:
      break;
  }
  FocusPageStart();
}

// Each page starts the keyboard at its first control; a page without one
// leaves it on the default button, or on Exit when that is all there is.
// Visibility is read from the controls' own flags: at creation the window
// itself is still hidden.
void TLauncherForm::FocusPageStart() {
  auto canTake = [](HWND h) {
    return h && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(h);
  };
  HWND target = Control(FirstFocusControl(PageContainerId(FActivePage)));
  if (!canTake(target)) target = Control(ID_btNext);
  if (!canTake(target)) target = Control(ID_btExit);
  if (!canTake(target)) target = Control(ID_PageControl1);
  FFocus = target;
  SetFocus(target);
}
