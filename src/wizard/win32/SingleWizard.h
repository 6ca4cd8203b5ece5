// One wizard at a time on a server: two wizards must never race to start
// engines, whether an operator or a fleet tool started them.
#pragma once
#include <windows.h>

#include <string>

#include "utils/win32/Handles.h"
#include "wizard/WizardLock.h"

// The lock every wizard holds while it runs (WizardLock.h): the file
// "<common application data>\Orvane Update Utility\Wizard.lock", open without
// sharing. It is let go with the process, however that ends; the file, and
// the folder when this wizard made it, go with it, so that a preflight leaves
// the node as it found it.
class TWizardLock {
 public:
  TWizardLock();
  ~TWizardLock();
  TWizardLock(const TWizardLock&) = delete;
  TWizardLock& operator=(const TWizardLock&) = delete;
  TLockVerdict Verdict() const { return FVerdict; }
  // For Unavailable: what failed, for the operator and the log.
  const std::string& Problem() const { return FProblem; }

 private:
  bool TakeFolder(const std::string& Folder, PSECURITY_DESCRIPTOR Descriptor);
  TKernelHandle FFile;
  std::string FMadeFolder;  // the folder this wizard made, else empty
  TLockVerdict FVerdict = TLockVerdict::Unavailable;
  std::string FProblem;
};

// Brings the window of the other wizard to the front, restored if it was
// minimized. False when no other wizard shows a window (an unattended run).
bool BringOtherWizardToFront();
