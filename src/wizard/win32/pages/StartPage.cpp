// TLauncherForm, about-to-install page (TabSheet5): Start leaves it only when
// every check of the server passes.
#include "text/LangRes.h"
#include "wizard/Preconditions.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/WaitCursor.h"

bool TLauncherForm::CheckStartPreconditions() {
  // The system error of the folder check, kept for the E3 report.
  DWORD lastError = 0;
  TStartFacts facts;
  facts.EngineRunning = [] { return FindProcessByName("oue.exe") != 0; };
  facts.InstallRoot = [] { return ReadEnvironmentVariable("KelvraHome"); };
  facts.FolderExists = [&lastError](const std::string& Folder) {
    SetLastError(0);
    bool exists = DirectoryExists(Folder);
    lastError = exists ? 0 : GetLastError();
    if (!exists && lastError == 0) lastError = ERROR_DIRECTORY;  // a file of that name
    return exists;
  };
  facts.EngineBesideWizard = [this] { return FileExists(FProgramDir + "oue.exe"); };
  // One connection per machine for the whole check: a primary node that
  // cannot be reached holds the window for one connection time-out, not for
  // one per value asked of it.
  TWin32Registry registry;
  TSharedConnections shared(registry);
  facts.PrimaryLevel = [&shared] { return GetPrimaryNodeUpdateLevel(shared); };
  facts.Maintenance = [&shared] { return GetMaintenanceMode(shared); };
  facts.Role = [&shared] { return GetNodeRole(shared, GetLocalComputerName()); };
  facts.BackupRunning = [&shared] { return IsBackupRunning(shared); };

  TStartVerdict verdict;
  std::string primaryNodeName;
  {
    TWaitCursor wait;
    verdict = CheckStartFacts(facts);
    if (verdict.Failure == TStartFailure::E5 || verdict.Failure == TStartFailure::E7)
      primaryNodeName = GetPrimaryNodeName(shared);
  }
  FStartFailure = verdict.Failure;
  if (verdict.Failure != TStartFailure::E1) FInstallRoot = verdict.InstallRoot;
  if (verdict.Failure == TStartFailure::None) return true;

  TStartMessageArgs args;
  args.ErrorCode = lastError;
  args.SystemMessage =
      SysErrorMessage(verdict.Failure == TStartFailure::E2 ? InstallRootMissingError : lastError);
  args.InstallRoot = FInstallRoot;
  args.ProgramDir = FProgramDir;
  args.PrimaryNodeName = primaryNodeName;
  ShowMessageBox(StartFailureText(verdict.Failure, args), GetLangText("str_Title_Error"), 0);
  return false;
}
