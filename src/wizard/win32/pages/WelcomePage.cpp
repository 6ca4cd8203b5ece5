// TLauncherForm, welcome page (TabSheet0): leaving it needs the install root,
// and a server that waits for a reboot goes no further.
#include "text/LangRes.h"
#include "wizard/Preconditions.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
const char* const RebootFlagFile = "\\DantorKelvra\\Support\\patches\\admin\\oueRebootCheck.txt";
}  // namespace

bool TLauncherForm::LeaveWelcomePage() {
  FInstallRoot = ReadEnvironmentVariable("KelvraHome");
  if (FInstallRoot.empty()) {
    ShowMessageBox(InstallRootMissingReport(SysErrorMessage(InstallRootMissingError)), GetLangText("str_Title_Error"),
                   0);
    return false;
  }
  if (FileExists(FInstallRoot + RebootFlagFile)) {
    // A fleet tool starts the wizard again itself; a second start at logon
    // would race it. A check changes nothing at all. The deletion is also
    // registered for the boot itself, which needs no logon.
    if (FOptions.Mode != TRunMode::Check) {
      RegisterRestartAfterReboot(!FOptions.Unattended());
      RegisterDeletionAtBoot(FInstallRoot + RebootFlagFile);
    }
    ShowMessageBox(GetLangText("str_Message_Please_Reboot_Before_Updating"), GetLangText("str_Title_Warning"), 0);
    Terminate();
  }
  return true;
}
