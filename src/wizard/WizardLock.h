// The one-wizard lock: a file held open without sharing in a folder that
// only administrators can write. A named kernel object in the global
// namespace can be made first by any program (held, or as another kind of
// object), and private namespaces, which only administrators could make,
// are missing on the test bed's Wine; a folder's owner and access list can
// be checked and set by the wizard itself.
#pragma once

#include <string>

// Owners that may have made the lock's folder and file: Administrators,
// SYSTEM, and the account the wizard runs as (an elevated administrator).
bool IsTrustedLockOwner(const std::string& OwnerSid, const std::string& OwnSid);

enum class TLockOpen { Opened, HeldOpen, Failed };

// What taking the lock found, step by step.
struct TLockAttempt {
  bool FolderReady = false;    // the folder exists, made now or before
  bool FolderTrusted = false;  // its owner is trusted and our access list is on it
  TLockOpen Open = TLockOpen::Failed;
  bool HolderTrusted = false;  // for HeldOpen: the file's owner is trusted
};

enum class TLockVerdict {
  Owned,        // this wizard is the only one
  OtherWizard,  // another wizard holds it
  Unavailable   // it cannot be taken for another reason: never "another wizard"
};

TLockVerdict DecideWizardLock(const TLockAttempt& Attempt);
