// TLauncherForm: which handler answers which control's event. The window's
// plumbing knows no control by name; it looks the handler up here.
#include "wizard/ControlIds.h"
#include "wizard/win32/LauncherForm.h"

void TLauncherForm::OnCommand(int Id, int Code, HWND) {
  static const struct {
    int Id;
    int Code;
    void (TLauncherForm::*Handler)();
  } Routes[] = {
      {ID_btNext, BN_CLICKED, &TLauncherForm::btNextClick},
      {ID_btUpdateSystem, BN_CLICKED, &TLauncherForm::btNextClick},
      {ID_btPrev, BN_CLICKED, &TLauncherForm::btPrevClick},
      {ID_btExit, BN_CLICKED, &TLauncherForm::btExitClick},
      {ID_btUpdateFilesPathBrowse, BN_CLICKED, &TLauncherForm::btUpdateFilesPathBrowseClick},
      {ID_edUpdateFilesPath, EN_CHANGE, &TLauncherForm::edUpdateFilesPathChange},
      {ID_cbLocale, CBN_SELCHANGE, &TLauncherForm::cbLocaleChange},
      {ID_cbSnapshotDrive, CBN_SELCHANGE, &TLauncherForm::cbSnapshotDriveChange},
  };
  // While /passive walks by itself, the operator watches: a click or a
  // choice would start the walk's next step a second time.
  if (FOptions.Mode == TRunMode::Passive && (Code == BN_CLICKED || Code == CBN_SELCHANGE)) return;
  for (const auto& Route : Routes)
    if (Route.Id == Id && Route.Code == Code) Guard([this, &Route] { (this->*Route.Handler)(); });
}

void TLauncherForm::OnKeyPress(int Id, char& Key) {
  if (Id == ID_edOUEInput && !FOptions.Unattended()) Guard([this, &Key] { edOUEInputKeyPress(Key); });
}

void TLauncherForm::OnContainerResize(int Id) {
  if (Id == ID_TabSheet2) Guard([this] { TabSheet2Resize(); });
}
