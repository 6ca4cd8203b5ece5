// Only a lock file that an administrator made can mean "another wizard";
// any other obstacle is its own error. Under Wine every program runs as one
// administrator and files belong to that account, so the untrusted owners
// are shown here only.
#include "wizard/WizardLock.h"

#include <gtest/gtest.h>

namespace {

const std::string Own = "S-1-5-21-1-2-3-1001";

struct TOwnerCase {
  const char* Owner;
  bool Trusted;
};

const TOwnerCase OwnerCases[] = {
    {"S-1-5-32-544", true},
    {"S-1-5-18", true},
    {"S-1-5-21-1-2-3-1001", true},
    {"S-1-5-32-545", false},
    {"S-1-1-0", false},
    {"S-1-5-11", false},
    {"S-1-5-21-1-2-3-1002", false},
    {"S-1-5-80-956008885", false},
    {"", false},
};

struct TLockCase {
  const char* Name;
  TLockAttempt Attempt;
  TLockVerdict Verdict;
};

const TLockCase LockCases[] = {
    {"taken", {true, true, TLockOpen::Opened, false}, TLockVerdict::Owned},
    {"held by another wizard", {true, true, TLockOpen::HeldOpen, true}, TLockVerdict::OtherWizard},
    {"held by a file another account made", {true, true, TLockOpen::HeldOpen, false}, TLockVerdict::Unavailable},
    {"the file cannot be opened", {true, true, TLockOpen::Failed, false}, TLockVerdict::Unavailable},
    {"the folder cannot be made", {false, false, TLockOpen::Failed, false}, TLockVerdict::Unavailable},
    {"the folder belongs to another account", {true, false, TLockOpen::Opened, false}, TLockVerdict::Unavailable},
};

}  // namespace

TEST(WizardLock, OnlyAdministratorsSystemAndTheWizardsOwnAccountAreTrustedOwners) {
  for (const TOwnerCase& Case : OwnerCases) EXPECT_EQ(Case.Trusted, IsTrustedLockOwner(Case.Owner, Own)) << Case.Owner;
  EXPECT_FALSE(IsTrustedLockOwner("", ""));
}

TEST(WizardLock, AnythingButAnotherWizardsLockIsItsOwnError) {
  for (const TLockCase& Case : LockCases)
    EXPECT_EQ(static_cast<int>(Case.Verdict), static_cast<int>(DecideWizardLock(Case.Attempt))) << Case.Name;
}
