#include "wizard/win32/SingleWizard.h"

#include "wizard/ControlIds.h"

namespace {
// In the global namespace, so that wizards in other sessions (a remote
// desktop, a service account of a fleet tool) see it too.
const char* const WizardMutexName = "Global\\OrvaneUpdateUtility.Wizard";

BOOL CALLBACK FindOtherWizard(HWND Window, LPARAM Found) {
  char Class[64] = {};
  DWORD Process = 0;
  GetWindowThreadProcessId(Window, &Process);
  if (Process == GetCurrentProcessId() || !IsWindowVisible(Window)) return TRUE;
  if (!GetClassNameA(Window, Class, sizeof(Class)) || lstrcmpA(Class, OUPDATE_WINDOW_CLASS) != 0) return TRUE;
  *reinterpret_cast<HWND*>(Found) = Window;
  return FALSE;
}
}  // namespace

TWizardMutex::TWizardMutex() {
  // Not inheritable: the engine we start must not keep it alive after us.
  FMutex.Reset(CreateMutexA(nullptr, FALSE, WizardMutexName));
  if (!FMutex) {
    // A mutex made by a wizard of another account may refuse to be opened;
    // it is held all the same. Any other failure must not lock the server out.
    FOwned = GetLastError() != ERROR_ACCESS_DENIED;
    return;
  }
  // Taken without waiting; one left behind by a wizard that was killed is ours.
  const DWORD Wait = WaitForSingleObject(FMutex.Get(), 0);
  FOwned = Wait == WAIT_OBJECT_0 || Wait == WAIT_ABANDONED;
}

TWizardMutex::~TWizardMutex() {
  if (FMutex && FOwned) ReleaseMutex(FMutex.Get());
}

bool BringOtherWizardToFront() {
  HWND Other = nullptr;
  EnumWindows(FindOtherWizard, reinterpret_cast<LPARAM>(&Other));
  if (!Other) return false;
  if (IsIconic(Other)) ShowWindow(Other, SW_RESTORE);
  // Its own message box, if it waits on one, stays above it as the owner's popup.
  SetForegroundWindow(GetLastActivePopup(Other));
  return true;
}
