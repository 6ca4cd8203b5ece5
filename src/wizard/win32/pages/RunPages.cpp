// TLauncherForm, progress page (TabSheet6) and result page (TabSheet7): the
// run starts on entering the one and is reported on entering the other.
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/UnattendedSafety.h"

// Returns only when the run has ended and the wizard has moved on to the
// result page.
void TLauncherForm::EnterProgressPage() {
  ShowPageButtons(false);
  FRunner.ExpectStart();
  NoteUpdateAttempted();
  // oue.exe stays unchangeable until the engine has started from it; a
  // failed copy releases it on the way out.
  TKernelHandle EngineHold = std::move(FEngineFileHold);
  InstallToSupportBin("oue.exe");
  InstallToSupportBin(ProgramFileName());
  FRunner.HoldUntilStarted(std::move(EngineHold));
  StartEngine();
  BringToFront();
}

void TLauncherForm::EnterResultPage() {
  ShowPageButtons(false);
  BringToFront();
  ShowRunResult();
}
