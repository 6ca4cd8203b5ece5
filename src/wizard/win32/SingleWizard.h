// One wizard at a time on a server: two wizards must never race to start
// engines, whether an operator or a fleet tool started them.
#pragma once
#include <windows.h>

#include "utils/win32/Handles.h"

// The system-wide mutex every wizard holds while it runs. Ownership ends
// with the process, however it ends.
class TWizardMutex {
 public:
  TWizardMutex();
  ~TWizardMutex();
  TWizardMutex(const TWizardMutex&) = delete;
  TWizardMutex& operator=(const TWizardMutex&) = delete;
  // False when another wizard holds it.
  bool Owned() const { return FOwned; }

 private:
  TKernelHandle FMutex;
  bool FOwned = false;
};

// Brings the window of the other wizard to the front, restored if it was
// minimized. False when no other wizard shows a window (an unattended run).
bool BringOtherWizardToFront();
