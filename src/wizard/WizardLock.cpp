#include "wizard/WizardLock.h"

namespace {
const char* const AdministratorsSid = "S-1-5-32-544";
const char* const SystemSid = "S-1-5-18";
}  // namespace

bool IsTrustedLockOwner(const std::string& OwnerSid, const std::string& OwnSid) {
  return !OwnerSid.empty() && (OwnerSid == AdministratorsSid || OwnerSid == SystemSid || OwnerSid == OwnSid);
}

TLockVerdict DecideWizardLock(const TLockAttempt& Attempt) {
  if (!Attempt.FolderReady || !Attempt.FolderTrusted) return TLockVerdict::Unavailable;
  switch (Attempt.Open) {
    case TLockOpen::Opened:
      return TLockVerdict::Owned;
    case TLockOpen::HeldOpen:
      // Only a file that an administrator made can speak for another wizard.
      return Attempt.HolderTrusted ? TLockVerdict::OtherWizard : TLockVerdict::Unavailable;
    case TLockOpen::Failed:
      break;
  }
  return TLockVerdict::Unavailable;
}
