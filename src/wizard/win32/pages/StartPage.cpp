// TLauncherForm, about-to-install page (TabSheet5): Start leaves it only when
// every check of the server passes.
#include "text/LangRes.h"
#include "wizard/Preconditions.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/WaitCursor.h"

bool TLauncherForm::CheckStartPreconditions() {
  // The system error of the folder check, kept for the E3 report.
  DWORD LastError = 0;
  TStartFacts Facts;
  Facts.EngineRunning = [] { return FindProcessByName("oue.exe") != 0; };
  Facts.InstallRoot = [] { return ReadEnvironmentVariable("KelvraHome"); };
  Facts.FolderExists = [&LastError](const std::string& Folder) {
    SetLastError(0);
    bool Exists = DirectoryExists(Folder);
    LastError = Exists ? 0 : GetLastError();
    if (!Exists && LastError == 0) LastError = ERROR_DIRECTORY;  // a file of that name
    return Exists;
  };
  Facts.EngineBesideWizard = [this] { return FileExists(FProgramDir + "oue.exe"); };
  // One connection per machine for the whole check: a primary node that
  // cannot be reached holds the window for one connection time-out, not for
  // one per value asked of it.
  TWin32Registry Registry;
  TSharedConnections Shared(Registry);
  Facts.PrimaryLevel = [&Shared] { return GetPrimaryNodeUpdateLevel(Shared); };
  Facts.Maintenance = [&Shared] { return GetMaintenanceMode(Shared); };
  Facts.Role = [&Shared] { return GetNodeRole(Shared, GetLocalComputerName()); };
  Facts.BackupRunning = [&Shared] { return IsBackupRunning(Shared); };

  TStartVerdict Verdict;
  std::string PrimaryNodeName;
  {
    TWaitCursor Wait;
    Verdict = CheckStartFacts(Facts);
    if (Verdict.Failure == TStartFailure::E5 || Verdict.Failure == TStartFailure::E7)
      PrimaryNodeName = GetPrimaryNodeName(Shared);
  }
  FStartFailure = Verdict.Failure;
  if (Verdict.Failure != TStartFailure::E1) FInstallRoot = Verdict.InstallRoot;
  // The copies and the start come right after this page.
  if (Verdict.Failure == TStartFailure::None) return CheckProgramFilesGuarded();

  TStartMessageArgs Args;
  Args.ErrorCode = LastError;
  Args.SystemMessage = SysErrorMessage(Verdict.Failure == TStartFailure::E2 ? InstallRootMissingError : LastError);
  Args.InstallRoot = FInstallRoot;
  Args.ProgramDir = FProgramDir;
  Args.PrimaryNodeName = PrimaryNodeName;
  ShowMessageBox(StartFailureText(Verdict.Failure, Args), GetLangText("str_Title_Error"), 0);
  return false;
}
