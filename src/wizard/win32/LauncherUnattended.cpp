// TLauncherForm: an update without anyone at the screen. The wizard goes
// the operator's way through its own pages, with every check and text of the
// interactive path; the command line gives the answers, the message boxes
// only speak to the log, and the outcome becomes the exit code.

#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/ControlIds.h"
#include "wizard/EngineRun.h"
#include "wizard/Preflight.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"

namespace {
// Long enough for someone watching a passive run to follow the pages.
constexpr DWORD PassivePageMs = 400;
constexpr DWORD PassiveResultMs = 2000;

// The folder of a log named on the command line, with any missing parents.
void CreateLogFolder(const std::string& LogFile) {
  const std::string Full = ExpandFileName(LogFile);
  const size_t Slash = Full.find_last_of("\\/");
  if (Slash == std::string::npos || Slash < 3) return;  // a drive's root exists or the write fails
  ForceDirectories(Full.substr(0, Slash));
}
}  // namespace

int TLauncherForm::RunUnattended(TLockVerdict Lock, const std::string& LockProblem, int CmdShow) {
  if (FOptions.Mode == TRunMode::Passive) Show(CmdShow);
  if (FOptions.Language != 0) {
    SendMessageA(Control(ID_cbLocale), CB_SETCURSEL, static_cast<WPARAM>(FOptions.Language), 0);
    Guard([this] { cbLocaleChange(); });
  }
  const std::string Invalid = GetLangText("str_Message_Command_Line_Invalid");
  if (!FOptions.Error.empty())
    return UnattendedExit(TUnattendedOutcome::BadCommandLine, FormatText(Invalid, {FOptions.Error, UnattendedUsage}),
                          false);
  if (Lock == TLockVerdict::Unavailable)
    return UnattendedExit(TUnattendedOutcome::LockUnavailable,
                          FormatText(GetLangText("str_Message_Wizard_Lock_Unavailable"), {LockProblem}), false);
  if (Lock != TLockVerdict::Owned)
    return UnattendedExit(TUnattendedOutcome::AlreadyRunning, GetLangText("str_Message_Update_Utility_Already_Running"),
                          false);
  if (!DirectoryExists(FOptions.UpdateFolder))
    return UnattendedExit(
        TUnattendedOutcome::BadCommandLine,
        FormatText(Invalid, {"the update folder " + FOptions.UpdateFolder + " does not exist", UnattendedUsage}),
        false);
  if (FOptions.SnapshotDrive) {
    SelectSnapshotDrive(FOptions.SnapshotDrive);
    if (SnapshotDrive() != FOptions.SnapshotDrive)
      return UnattendedExit(
          TUnattendedOutcome::BadCommandLine,
          FormatText(Invalid, {std::string("there is no drive ") + FOptions.SnapshotDrive + ": for the snapshot",
                               UnattendedUsage}),
          false);
  }
  // Typed into the folder box as an operator would, so its change handler runs.
  SetText(ID_edUpdateFilesPath, FOptions.UpdateFolder);

  TUnattendedOutcome Outcome = TUnattendedOutcome::Refused;
  std::string DecidingText;
  const bool EngineRan = WalkPages(Outcome, DecidingText);
  if (FOptions.Mode == TRunMode::Passive && !FTerminated) PassivePause(PassiveResultMs);
  return UnattendedExit(Outcome, DecidingText, EngineRan);
}

// Presses Next page by page until the run has ended or a page cannot be
// left. True when the progress page was reached.
bool TLauncherForm::WalkPages(TUnattendedOutcome& Outcome, std::string& DecidingText) {
  while (FActivePage != pgProgress && FActivePage != pgResult) {
    const TPage Page = FActivePage;
    PassivePause(PassivePageMs);
    if (!IsWindowEnabled(Control(ID_btNext))) {
      // No box on these pages: what stops the operator is a disabled Next.
      Outcome = TUnattendedOutcome::Refused;
      if (Page == pgSnapshotDrive)
        DecidingText = FormatText(GetLangText("str_Message_Snapshot_Drive_Not_Suitable"),
                                  {std::string(1, SnapshotDrive()) + ":", ControlText(ID_lbSnapshotDriveSizeInfo)});
      else
        DecidingText = FormatText(GetLangText("str_Message_No_Applicable_Updates_Available"), {LocalUpdateLevel()});
      return false;
    }
    const size_t Boxes = FBoxTexts.size();
    FStartFailure = TStartFailure::None;
    bool Left = false;
    if (Page == pgAboutToInstall && FOptions.Mode == TRunMode::Check) {
      // The start checks are the last step before the copies: a check stops there.
      Guard([this, &Left] { Left = CheckStartPreconditions(); });
      if (Left) {
        Outcome = TUnattendedOutcome::Succeeded;
        Guard([this, &DecidingText] { DecidingText = ReadyForUpdateText(); });
        return false;
      }
    } else {
      Guard([this] { btNextClick(); });
      Left = !FTerminated && FActivePage != Page;
    }
    if (!Left) {
      const bool UpToDate = Page == pgUpdateList && IsAlreadyUpToDate(LocalUpdateLevel(), FFoundUpdates);
      Outcome = RefusalOutcome(Page, FTerminated, UpToDate, FStartFailure == TStartFailure::E1);
      if (FBoxTexts.size() > Boxes) {
        DecidingText = FBoxTexts.back();
        FBoxTexts.pop_back();
      }
      return false;
    }
  }
  // A failed copy leaves the progress page to the timer, which ends the run.
  while (FActivePage != pgResult && !FTerminated) {
    Sleep(50);
    ProcessMessages();
  }
  Outcome = RunOutcome(FActivePage == pgResult && FRunner.State().Succeeded(), FRunner.State().FNeedReboot);
  DecidingText = ControlText(ID_txtCompletionStatusInfo);
  // What Exit would show: the reboot notice.
  FormCloseQuery();
  return true;
}

// The node's update level for the checks of the pages. An unattended run
// reads it once, so that its refusal, its up-to-date verdict and its ready
// text speak of one level: nothing changes it before the engine starts. An
// operator can go back and forth while the level is being set right, so the
// window reads it anew for each check.
std::string TLauncherForm::LocalUpdateLevel() {
  if (!FOptions.Unattended()) return GetLocalUpdateLevel();
  if (!FRunUpdateLevel) FRunUpdateLevel = GetLocalUpdateLevel();
  return *FRunUpdateLevel;
}

// What a check tells about a server that would start the update now.
std::string TLauncherForm::ReadyForUpdateText() {
  const bool Snapshot = !FNoSnapshot && FTags[pgSnapshotDrive] == 0;
  return PreflightReadyText(LocalUpdateLevel(), FFoundUpdates, Snapshot, std::string(1, SnapshotDrive()) + ":",
                            ControlText(ID_lbSnapshotDriveSizeInfo));
}

void TLauncherForm::PassivePause(DWORD Ms) {
  if (FOptions.Mode != TRunMode::Passive) return;
  const DWORD Start = GetTickCount();
  while (!FTerminated && GetTickCount() - Start < Ms) {
    ProcessMessages();
    Sleep(20);
  }
}

// Writes the log, which begins with the text that decided the outcome, and
// tells the outcome as the exit code.
int TLauncherForm::UnattendedExit(TUnattendedOutcome Outcome, const std::string& DecidingText, bool EngineRan) {
  std::vector<std::string> Texts{DecidingText};
  Texts.insert(Texts.end(), FBoxTexts.begin(), FBoxTexts.end());
  const std::string Head = UnattendedLogHead(Texts);
  SetText(ID_memOUEOutput, EngineRan ? TranscriptRecord(Head, FRunner.State().FTranscript) : Head + "\r\n");
  if (!FOptions.LogFile.empty()) CreateLogFolder(FOptions.LogFile);
  TLogWrite Log;
  try {
    const std::string Name = FOptions.LogFile.empty() ? FreeDatedLogName(ProgramFilePath()) : FOptions.LogFile;
    // The banner and the engine's output follow only when the engine ran.
    Log = EngineRan ? FRunner.SaveLog(Name, Head) : WriteLogText(Name, Head + "\r\n");
  } catch (const std::exception&) {
    Log.Written = false;
  }
  return FinalExitCode(Outcome, Log.Written);
}
