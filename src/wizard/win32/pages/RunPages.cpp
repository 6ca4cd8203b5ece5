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
  InstallToSupportBin("oue.exe");
  InstallToSupportBin(ProgramFileName());
  StartEngine();
  BringToFront();
}

void TLauncherForm::EnterResultPage() {
  ShowPageButtons(false);
  BringToFront();
  ShowRunResult();
}
