// TLauncherForm: putting the catalogue's texts on the window, and switching
// the language.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/AccessibleNames.h"
#include "wizard/ControlIds.h"
#include "wizard/Preconditions.h"
#include "wizard/win32/LauncherForm.h"

// Id 0 stands for the window itself.
void TLauncherForm::SetControlText(int Id, const std::string& Suffix) {
  const char* Name = Id == 0 ? "LauncherForm" : ControlNameById(Id);
  std::string Text = GetControlText(Name ? Name : "", Suffix);
  if (Id == 0)
    SetWindowTextA(FHandle, Text.c_str());
  else
    SetText(Id, Text);
}

void TLauncherForm::ApplyLanguage() {
  SetControlText(0);
  FApplicationTitle = GetControlText("LauncherForm");
  SetControlText(ID_lbUpdateFilesPathTitle);
  SetControlText(ID_lbUpdateFilesPathInfo);
  SetControlText(ID_lbUpdateFilesPathEchoTitle);
  SetControlText(ID_lbSnapshotDriveTitle);
  SetControlText(ID_lbSnapshotDriveInfo);
  SetText(ID_lbProgressTitle, FormatText(GetControlText("lbProgressTitle"), {0}));
  SetControlText(ID_lbProgressInfo);
  SetControlText(ID_lbCurrentStepTitle);
  SetControlText(ID_lbProgressDetailsTitle);
  SetControlText(ID_txtCurrentStep, "_Initializing");
  SetControlText(ID_lbServerVersion);
  SetControlText(ID_lbUpdateSystemTitle);
  SetControlText(ID_lbUpdateSystemInfo);
  SetControlText(ID_btPrev);
  SetControlText(ID_btNext, "_Next");
  SetControlText(ID_btExit);
  SetControlText(ID_lbServerVersionTitle);
  SetControlText(ID_lbAboutToInstallInfo1);
  SetControlText(ID_lbAboutToInstallInfo2);
  SetControlText(ID_lbResponceCenter);
  SetControlText(ID_lbUpdateFileListTitle);
  FitSingleLineTexts();
}

void TLauncherForm::FillLanguageList() {
  HWND List = Control(ID_cbLocale);
  SendMessageA(List, CB_RESETCONTENT, 0, 0);
  for (const char* Name : LanguageNames) SendMessageA(List, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Name));
  SendMessageA(List, CB_SETCURSEL, 0, 0);
}

void TLauncherForm::cbLocaleChange() {
  // From the start of the run on, the page's entry must never run again (it
  // starts the engine): the list keeps the language the run began in.
  if (FActivePage >= pgProgress) {
    SendMessageA(Control(ID_cbLocale), CB_SETCURSEL, static_cast<WPARAM>(FLanguage), 0);
    return;
  }
  FLanguage = static_cast<int>(SendMessageA(Control(ID_cbLocale), CB_GETCURSEL, 0, 0));
  SelectLanguage(FLanguage);
  ApplyLanguage();
  UpdateServerLevelLabel();
  ShowCurrentPage();
}

// Read whenever a screen reader asks, so the name follows the language.
std::string TLauncherForm::AccessibleName(int Id) const {
  const TNameSource Source = AccessibleNameSource(Id);
  switch (Source.Kind) {
    case nkLabel: {
      const TControlDef* Label = FindControlDef(Source.NameLabel);
      return SpokenText(ControlText(Source.NameLabel), Label && (Label->Style & stAccel));
    }
    case nkFixed:
      return Source.FixedName;
    case nkFirstLine:
      return SpokenText(ControlText(Id), false, true);
    default:
      return ControlText(Id);
  }
}

// Refreshed during the run and at its end, where nothing may throw: a value
// turned into a number while the engine worked shows as "<unknown>".
void TLauncherForm::UpdateServerLevelLabel() {
  SetText(ID_lbServerVersion,
          ServerLevelLine(GetShownNodeRoleName(), GetLocalComputerName(), GetShownLocalUpdateLevel()));
}
