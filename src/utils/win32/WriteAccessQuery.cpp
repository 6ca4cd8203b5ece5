#include "utils/win32/WriteAccessQuery.h"

#include <aclapi.h>
#include <sddl.h>

#include "utils/win32/OSError.h"
#include "utils/WriteAccess.h"

namespace {

// Memory the security functions hand over: LocalFree.
struct TLocalMemTraits {
  using Type = void*;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Memory) { return Memory != nullptr; }
  static void Close(Type Memory) { LocalFree(Memory); }
};
using TLocalMem = TScopedHandle<TLocalMemTraits>;

std::string SidString(PSID Sid) {
  char* Text = nullptr;
  if (!Sid || !ConvertSidToStringSidA(Sid, &Text)) return std::string();
  TLocalMem Owned(Text);
  return Text;
}

// "BUILTIN\Users", "Everyone"; the SID itself for an account the system
// cannot name (a deleted user, a domain that does not answer).
std::string AccountName(const std::string& Sid) {
  PSID Binary = nullptr;
  if (!ConvertStringSidToSidA(Sid.c_str(), &Binary)) return Sid;
  TLocalMem Owned(Binary);
  char Name[256], Domain[256];
  DWORD NameSize = sizeof Name, DomainSize = sizeof Domain;
  SID_NAME_USE Use;
  if (!LookupAccountSidA(nullptr, Binary, Name, &NameSize, Domain, &DomainSize, &Use)) return Sid;
  return Domain[0] ? std::string(Domain) + "\\" + Name : std::string(Name);
}

std::string CurrentAccountSid() {
  TKernelHandle Token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, Token.Receive())) return std::string();
  union {
    TOKEN_USER User;
    char Room[512];
  } Info;
  DWORD Size = 0;
  if (!GetTokenInformation(Token.Get(), TokenUser, &Info, sizeof Info, &Size)) return std::string();
  return SidString(Info.User.User.Sid);
}

// Allowed and denied entries; audit and label entries decide no access. A
// conditional allow entry counts as an allow, a conditional deny as absent:
// both err towards "may write".
void AddEntries(PACL Dacl, TObjectSecurity& Object) {
  for (DWORD I = 0; I < Dacl->AceCount; ++I) {
    ACE_HEADER* Header = nullptr;
    if (!GetAce(Dacl, I, reinterpret_cast<void**>(&Header))) continue;
    TAccessEntry Entry;
    if (Header->AceType == ACCESS_ALLOWED_ACE_TYPE || Header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
      Entry.Kind = TAceKind::Allow;
    else if (Header->AceType == ACCESS_DENIED_ACE_TYPE)
      Entry.Kind = TAceKind::Deny;
    else
      continue;
    // The allowed, denied and callback entries share this layout.
    auto* Ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(Header);
    Entry.Sid = SidString(&Ace->SidStart);
    Entry.Mask = Ace->Mask;
    Entry.Flags = Header->AceFlags;
    Object.Entries.push_back(Entry);
  }
}

std::vector<std::string> WritersFrom(DWORD Error, PSID Owner, PACL Dacl, PSECURITY_DESCRIPTOR Descriptor) {
  TLocalMem Owned(Descriptor);
  if (Error != ERROR_SUCCESS) return {SysErrorMessage(Error)};
  TObjectSecurity Object;
  Object.Owner = SidString(Owner);
  Object.NullDacl = Dacl == nullptr;
  if (Dacl) AddEntries(Dacl, Object);
  std::vector<std::string> Names;
  for (const std::string& Sid : OtherWriters(Object, CurrentAccountSid())) Names.push_back(AccountName(Sid));
  return Names;
}

constexpr SECURITY_INFORMATION OwnerAndDacl = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

}  // namespace

std::vector<std::string> OtherWritersOf(const std::string& Path) {
  PSID Owner = nullptr;
  PACL Dacl = nullptr;
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  const DWORD Error =
      GetNamedSecurityInfoA(Path.c_str(), SE_FILE_OBJECT, OwnerAndDacl, &Owner, nullptr, &Dacl, nullptr, &Descriptor);
  return WritersFrom(Error, Owner, Dacl, Descriptor);
}

std::vector<std::string> OtherWritersOf(HANDLE File) {
  PSID Owner = nullptr;
  PACL Dacl = nullptr;
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  const DWORD Error = GetSecurityInfo(File, SE_FILE_OBJECT, OwnerAndDacl, &Owner, nullptr, &Dacl, nullptr, &Descriptor);
  return WritersFrom(Error, Owner, Dacl, Descriptor);
}

TKernelHandle HoldAgainstChanges(const std::string& Path) {
  // Without FILE_SHARE_WRITE and FILE_SHARE_DELETE no other handle may write
  // the file, and it can be neither renamed nor deleted nor replaced.
  return TKernelHandle(
      CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}
