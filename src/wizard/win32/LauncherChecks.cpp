// TLauncherForm: the checks made before Start and the server level line.
#include "text/LangRes.h"
#include "wizard/ControlIds.h"
#include "wizard/Preconditions.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

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
  facts.PrimaryLevel = [] { return GetPrimaryNodeUpdateLevel(); };
  facts.Maintenance = [] { return GetMaintenanceMode(); };
  facts.Role = [] { return GetNodeRole(); };
  facts.BackupRunning = [] { return IsBackupRunning(); };

  const TStartVerdict verdict = CheckStartFacts(facts);
  if (verdict.Failure != TStartFailure::E1) FInstallRoot = verdict.InstallRoot;
  if (verdict.Failure == TStartFailure::None) return true;

  TStartMessageArgs args;
  args.ErrorCode = lastError;
  args.SystemMessage =
      SysErrorMessage(verdict.Failure == TStartFailure::E2 ? InstallRootMissingError : lastError);
  args.InstallRoot = FInstallRoot;
  args.ProgramDir = FProgramDir;
  if (verdict.Failure == TStartFailure::E5 || verdict.Failure == TStartFailure::E7)
    args.PrimaryNodeName = GetPrimaryNodeName();
  ShowMessageBox(StartFailureText(verdict.Failure, args), GetLangText("str_Title_Error"), 0);
  return false;
}

bool TLauncherForm::HasApplicableUpdates() { return ::HasApplicableUpdates(GetLocalUpdateLevel(), FFoundUpdates); }

void TLauncherForm::UpdateServerLevelLabel() {
  SetText(ID_lbServerVersion, ServerLevelLine(GetNodeRoleName(), GetLocalComputerName(), GetLocalUpdateLevel()));
}
