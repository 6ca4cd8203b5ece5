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
  // Its folders made before the run: the running file lies beside the final log.
  if (!FOptions.LogFile.empty()) FRunner.SetLogTarget(ChosenLogTarget(FOptions.LogFile));
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
  if (!WalkToRun(Outcome, DecidingText)) return false;
  WaitForResult();
  if (ClosedOutcome(Outcome, DecidingText)) return true;
  Outcome = RunOutcome(FActivePage == pgResult && RunSucceeded(), FRunner.State().FNeedReboot);
  DecidingText = ControlText(ID_txtCompletionStatusInfo);
  // What Exit would show: the reboot notice.
  Guard([this] { FormCloseQuery(); });
  return true;
}

// Each page is left at most once: a walk that has not reached the run after
// as many steps as there are pages never will, and stops.
bool TLauncherForm::WalkToRun(TUnattendedOutcome& Outcome, std::string& DecidingText) {
  for (int Step = 0; Step < pgCount; ++Step) {
    if (FActivePage == pgProgress || FActivePage == pgResult) return true;
    const TPage Page = FActivePage;
    PassivePause(PassivePageMs);
    const size_t Boxes = FBoxTexts.size();
    FStartFailure = TStartFailure::None;
    bool Left = false;
    if (IsWindowEnabled(Control(ID_btNext)) && Page == pgAboutToInstall && FOptions.Mode == TRunMode::Check) {
      // The start checks are the last step before the copies: a check stops there.
      Guard([this, &Left] { Left = CheckStartPreconditions(); });
      if (Left) {
        Outcome = TUnattendedOutcome::Succeeded;
        Guard([this, &DecidingText] { DecidingText = ReadyForUpdateText(); });
        return false;
      }
    } else if (IsWindowEnabled(Control(ID_btNext))) {
      Guard([this] { btNextClick(); });
      Left = !FTerminated && FActivePage != Page;
    }
    if (!Left) return StoppedOnPage(Page, Boxes, Outcome, DecidingText);
  }
  if (FActivePage == pgProgress || FActivePage == pgResult) return true;
  Outcome = TUnattendedOutcome::Refused;
  DecidingText = FormatText(GetLangText("str_Message_Unexpected_Error"), {"the pages did not lead to the run"});
  return false;
}

// Why the walk could not leave Page, from the page's last box (if it showed
// more than the first Boxes) or, where it shows none, a disabled Next.
bool TLauncherForm::StoppedOnPage(TPage Page, std::size_t Boxes, TUnattendedOutcome& Outcome,
                                  std::string& DecidingText) {
  // Closed during the Start click: the engine may have run, and its output
  // so far belongs in the log.
  if (ClosedOutcome(Outcome, DecidingText)) return FActivePage >= pgProgress;
  // A level that cannot be read as text was told by the page's own box.
  std::string Level = UnknownUpdateLevel;
  try {
    Level = LocalUpdateLevel();
  } catch (const std::exception&) {
  }
  if (FBoxTexts.size() == Boxes && !IsWindowEnabled(Control(ID_btNext))) {
    Outcome = TUnattendedOutcome::Refused;
    if (Page == pgSnapshotDrive)
      DecidingText = FormatText(GetLangText("str_Message_Snapshot_Drive_Not_Suitable"),
                                {std::string(1, SnapshotDrive()) + ":", ControlText(ID_lbSnapshotDriveSizeInfo)});
    else
      DecidingText = FormatText(GetLangText("str_Message_No_Applicable_Updates_Available"), {Level});
    return false;
  }
  const bool UpToDate = Page == pgUpdateList && IsAlreadyUpToDate(Level, FFoundUpdates);
  Outcome = RefusalOutcome(Page, FTerminated, UpToDate, FStartFailure == TStartFailure::E1);
  if (FBoxTexts.size() > Boxes) {
    DecidingText = FBoxTexts.back();
    FBoxTexts.pop_back();
  }
  return false;
}

// The run ends on the engine's end, told by the timer; a failed copy leaves
// the progress page to the timer as well. Once the end has been told, the
// result page is there: should it not be, the wait ends all the same.
void TLauncherForm::WaitForResult() {
  while (FActivePage != pgResult && !FTerminated && !FRunner.EndTold()) {
    Sleep(50);
    ProcessMessages();
  }
  if (FActivePage != pgResult && !FTerminated) OnRunEnded();
}

// A close request to the hidden /quiet window: what had happened so far.
bool TLauncherForm::ClosedOutcome(TUnattendedOutcome& Outcome, std::string& DecidingText) {
  if (!FCloseRequested) return false;
  Outcome = FActivePage >= pgProgress ? TUnattendedOutcome::Failed : TUnattendedOutcome::Refused;
  DecidingText = GetLangText("str_Message_Closed_Before_End");
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

// Writes the log, which begins with the outcome's line and the text that
// decided it, and tells the outcome as the exit code: the code the log's
// first line names, unless the log itself could not be written.
int TLauncherForm::UnattendedExit(TUnattendedOutcome Outcome, const std::string& DecidingText, bool EngineRan) {
  std::vector<std::string> Texts{DecidingText};
  Texts.insert(Texts.end(), FBoxTexts.begin(), FBoxTexts.end());
  const int Code = FinalExitCode(Outcome, !(EngineRan && FRunner.RunningLog().Lost()));
  const std::string Head = UnattendedLogHead(Code, FOptions.Mode == TRunMode::Check, Texts);
  TLogWrite Log;
  try {
    SetText(ID_memOUEOutput, EngineRan ? TranscriptRecord(Head, FRunner.State().FTranscript) : Head + "\r\n");
    // The banner and the engine's output follow only when the engine ran.
    Log = EngineRan ? FRunner.SaveLog(Head) : WriteLogText(ChosenLogTarget(FOptions.LogFile), Head + "\r\n");
  } catch (const std::exception&) {
    Log.Written = false;
  }
  return FinalExitCode(Code, Log.Written);
}
