// Who other than the administrators may change a file or folder the wizard
// runs with administrator rights: decided from the object's access list and
// owner as Windows' access check would grant them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Access rights as Windows writes them in an access list (winnt.h values).
namespace AccessRight {
constexpr std::uint32_t WriteData = 0x0002;    // FILE_WRITE_DATA, of a folder FILE_ADD_FILE
constexpr std::uint32_t AppendData = 0x0004;   // FILE_APPEND_DATA, of a folder FILE_ADD_SUBDIRECTORY
constexpr std::uint32_t DeleteChild = 0x0040;  // FILE_DELETE_CHILD
constexpr std::uint32_t Delete = 0x00010000;
constexpr std::uint32_t ReadControl = 0x00020000;
constexpr std::uint32_t WriteDac = 0x00040000;
constexpr std::uint32_t WriteOwner = 0x00080000;
constexpr std::uint32_t GenericAll = 0x10000000;
constexpr std::uint32_t GenericExecute = 0x20000000;
constexpr std::uint32_t GenericWrite = 0x40000000;
constexpr std::uint32_t GenericRead = 0x80000000;
// FILE_GENERIC_* and FILE_ALL_ACCESS: what the generic rights mean for files.
constexpr std::uint32_t FileGenericRead = 0x00120089;
constexpr std::uint32_t FileGenericWrite = 0x00120116;
constexpr std::uint32_t FileGenericExecute = 0x001200A0;
constexpr std::uint32_t FileAllAccess = 0x001F01FF;
// Whoever holds one of these can put another program in the object's place.
constexpr std::uint32_t Changing = WriteData | AppendData | DeleteChild | Delete | WriteDac | WriteOwner;
}  // namespace AccessRight

// Flags of an entry (winnt.h's ACE flags).
constexpr std::uint8_t InheritOnlyAce = 0x08;

// Well-known accounts, as SID strings.
namespace WellKnownSid {
constexpr const char* Administrators = "S-1-5-32-544";
constexpr const char* System = "S-1-5-18";
constexpr const char* TrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr const char* Everyone = "S-1-1-0";
constexpr const char* CreatorOwner = "S-1-3-0";
constexpr const char* OwnerRights = "S-1-3-4";
}  // namespace WellKnownSid

enum class TAceKind { Allow, Deny };

// One entry of an access list.
struct TAccessEntry {
  std::string Sid;
  TAceKind Kind = TAceKind::Allow;
  std::uint32_t Mask = 0;
  std::uint8_t Flags = 0;
};

// An object's owner and access list. NullDacl: the object has no access list
// at all, which lets everyone do everything.
struct TObjectSecurity {
  std::string Owner;
  bool NullDacl = false;
  std::vector<TAccessEntry> Entries;
};

// Generic rights in Mask replaced by the file rights they stand for.
std::uint32_t MapGenericFileRights(std::uint32_t Mask);

// The accounts (SIDs, in the order the access list first names them, the
// owner last) other than Administrators, SYSTEM, TrustedInstaller and Self
// that may write, append, delete, change the permissions or take ownership.
std::vector<std::string> OtherWriters(const TObjectSecurity& Object, const std::string& Self);

// Something the wizard runs as an administrator, and who else may change it.
struct TWritableItem {
  std::string Path;
  std::vector<std::string> Writers;  // account names
};

// The items as one line: "C:\Tools\ (Everyone, BUILTIN\Users), C:\Tools\oue.exe (Everyone)".
std::string WritableItemsList(const std::vector<TWritableItem>& Items);
