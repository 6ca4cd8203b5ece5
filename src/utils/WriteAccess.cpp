#include "utils/WriteAccess.h"

#include <algorithm>

namespace {

bool IsTrusted(const std::string& Sid, const std::string& Self) {
  return Sid == WellKnownSid::Administrators || Sid == WellKnownSid::System || Sid == WellKnownSid::TrustedInstaller ||
         (!Self.empty() && Sid == Self);
}

bool HasOwnerRightsEntry(const TObjectSecurity& Object) {
  return std::any_of(Object.Entries.begin(), Object.Entries.end(), [](const TAccessEntry& Entry) {
    return Entry.Sid == WellKnownSid::OwnerRights && !(Entry.Flags & InheritOnlyAce);
  });
}

// The rights a logon of Trustee gets on the object through entries that
// name Trustee itself (what Everyone may do is told under Everyone). Its
// token is taken to hold only Trustee and Everyone: a deny entry for some
// other group it may or may not belong to does not count, so the answer
// errs towards "may write". Windows walks the entries in their order; a
// right is decided by the first entry that names it (a deny after an allow
// of the same right takes nothing away). The owner may always read and
// change the permissions unless an OWNER RIGHTS entry says what the owner
// may do instead.
std::uint32_t GrantedRights(const TObjectSecurity& Object, const std::string& Trustee) {
  if (Object.NullDacl) return AccessRight::FileAllAccess;
  const bool IsOwner = Trustee == Object.Owner;
  std::uint32_t Granted = 0, Denied = 0, Own = 0;
  if (IsOwner && !HasOwnerRightsEntry(Object)) Own = Granted = AccessRight::ReadControl | AccessRight::WriteDac;
  for (const TAccessEntry& Entry : Object.Entries) {
    // Inherit-only entries are for what the folder will hold, not for itself.
    if (Entry.Flags & InheritOnlyAce) continue;
    const bool Named = Entry.Sid == Trustee || (IsOwner && Entry.Sid == WellKnownSid::OwnerRights);
    if (!Named && Entry.Sid != WellKnownSid::Everyone) continue;
    const std::uint32_t Mask = MapGenericFileRights(Entry.Mask);
    if (Entry.Kind == TAceKind::Deny) {
      Denied |= Mask & ~Granted;
    } else {
      if (Named) Own |= Mask & ~Denied & ~Granted;
      Granted |= Mask & ~Denied;
    }
  }
  return Own;
}

void AddOnce(std::vector<std::string>& Sids, const std::string& Sid) {
  if (std::find(Sids.begin(), Sids.end(), Sid) == Sids.end()) Sids.push_back(Sid);
}

}  // namespace

std::uint32_t MapGenericFileRights(std::uint32_t Mask) {
  using namespace AccessRight;
  std::uint32_t Mapped = Mask & ~(GenericAll | GenericExecute | GenericWrite | GenericRead);
  if (Mask & GenericRead) Mapped |= FileGenericRead;
  if (Mask & GenericWrite) Mapped |= FileGenericWrite;
  if (Mask & GenericExecute) Mapped |= FileGenericExecute;
  if (Mask & GenericAll) Mapped |= FileAllAccess;
  return Mapped;
}

std::vector<std::string> OtherWriters(const TObjectSecurity& Object, const std::string& Self) {
  std::vector<std::string> Candidates;
  if (Object.NullDacl) Candidates.push_back(WellKnownSid::Everyone);
  for (const TAccessEntry& Entry : Object.Entries) {
    // CREATOR OWNER and OWNER RIGHTS stand for an owner, never for a logon.
    if (Entry.Kind != TAceKind::Allow || Entry.Sid == WellKnownSid::CreatorOwner ||
        Entry.Sid == WellKnownSid::OwnerRights)
      continue;
    AddOnce(Candidates, Entry.Sid);
  }
  if (!Object.Owner.empty()) AddOnce(Candidates, Object.Owner);

  std::vector<std::string> Writers;
  for (const std::string& Sid : Candidates)
    if (!IsTrusted(Sid, Self) && (GrantedRights(Object, Sid) & AccessRight::Changing)) Writers.push_back(Sid);
  return Writers;
}

std::string WritableItemsList(const std::vector<TWritableItem>& Items) {
  std::string List;
  for (const TWritableItem& Item : Items) {
    if (!List.empty()) List += ", ";
    List += Item.Path + " (";
    for (std::size_t I = 0; I < Item.Writers.size(); ++I) List += (I ? ", " : "") + Item.Writers[I];
    List += ")";
  }
  return List;
}
