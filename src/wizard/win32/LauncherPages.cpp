// TLauncherForm: moving between the pages, the wizard's buttons and its
// message boxes.
#include "wizard/ControlIds.h"
#include "wizard/win32/LauncherForm.h"

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
  HWND Button = Control(ButtonId);
  // Enabled first: a button that becomes visible must not flash in its old state.
  EnableWindow(Button, State != wbsDisabled);
  ShowWindow(Button, State == wbsHidden ? SW_HIDE : SW_SHOWNA);
}

void TLauncherForm::SetWizardButtons(TWizardButtonState Prev, TWizardButtonState Next, TWizardButtonState Exit,
                                     const std::string& NextSuffix) {
  SetButtonState(ID_btPrev, Prev);
  SetButtonState(ID_btNext, Next);
  SetButtonState(ID_btExit, Exit);
  SetControlText(ID_btNext, NextSuffix);
}

int PageContainerId(TPage Page) {
  const int Pages[pgCount] = {ID_TabSheet0, ID_TabSheet1, ID_TabSheet2, ID_TabSheet3,
                              ID_TabSheet5, ID_TabSheet6, ID_TabSheet7};
  return Pages[Page];
}

void TLauncherForm::ShowPage(TPage Page) {
  FActivePage = Page;
  for (int I = 0; I < pgCount; ++I)
    if (I != Page) ShowWindow(Control(PageContainerId(static_cast<TPage>(I))), SW_HIDE);
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

// Each page's entry and leave check live with the page (pages/); the flow
// reaches them only through this table.
const TLauncherForm::TPageUnit TLauncherForm::PageUnits[pgCount] = {
    {&TLauncherForm::EnterPlainPage, &TLauncherForm::LeaveWelcomePage},              // pgWelcome
    {&TLauncherForm::EnterUpdateFolderPage, &TLauncherForm::LeaveUpdateFolderPage},  // pgUpdateFolder
    {&TLauncherForm::EnterUpdateListPage, &TLauncherForm::LeaveUpdateListPage},      // pgUpdateList
    {&TLauncherForm::EnterSnapshotPage, &TLauncherForm::LeaveFreely},                // pgSnapshotDrive
    {&TLauncherForm::EnterPlainPage, &TLauncherForm::CheckStartPreconditions},       // pgAboutToInstall
    {&TLauncherForm::EnterProgressPage, &TLauncherForm::LeaveFreely},                // pgProgress
    {&TLauncherForm::EnterResultPage, &TLauncherForm::LeaveFreely},                  // pgResult
};

bool TLauncherForm::CanLeaveCurrentPage() { return (this->*PageUnits[FActivePage].CanLeave)(); }

void TLauncherForm::ShowCurrentPage() {
  (this->*PageUnits[FActivePage].Enter)();
  FocusPageStart();
}

void TLauncherForm::ShowPageButtons(bool UpdatesFound) {
  const TPageButtons Buttons = PageButtons(FActivePage, UpdatesFound);
  SetWizardButtons(Buttons.Prev, Buttons.Next, Buttons.Exit, Buttons.NextSuffix);
}

void TLauncherForm::EnterPlainPage() { ShowPageButtons(false); }

// Each page starts the keyboard at its first control; a page without one
// leaves it on the default button, or on Exit when that is all there is.
// Visibility is read from the controls' own flags: at creation the window
// itself is still hidden.
void TLauncherForm::FocusPageStart() {
  auto CanTake = [](HWND H) { return H && (GetWindowLongA(H, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(H); };
  HWND Target = Control(FirstFocusControl(PageContainerId(FActivePage)));
  if (!CanTake(Target)) Target = Control(ID_btNext);
  if (!CanTake(Target)) Target = Control(ID_btExit);
  if (!CanTake(Target)) Target = Control(ID_PageControl1);
  FFocus = Target;
  SetFocus(Target);
}
