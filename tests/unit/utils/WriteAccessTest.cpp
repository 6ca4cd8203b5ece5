#include "utils/WriteAccess.h"

#include <gtest/gtest.h>

namespace {

// Well-known accounts of the table, and two plain ones.
const std::string Admins = "S-1-5-32-544", System = "S-1-5-18", Users = "S-1-5-32-545", AuthUsers = "S-1-5-11",
                  Everyone = "S-1-1-0", Interactive = "S-1-5-4", CreatorOwner = "S-1-3-0", OwnerRights = "S-1-3-4",
                  TrustedInstaller = WellKnownSid::TrustedInstaller, Plain = "S-1-5-21-11-22-33-1001",
                  Self = "S-1-5-21-11-22-33-500";
constexpr auto Allow = TAceKind::Allow;
constexpr auto Deny = TAceKind::Deny;
// Rights as icacls names them: F, M (modify), RX, and single rights.
constexpr std::uint32_t F = 0x1F01FF, M = 0x1301BF, RX = 0x1200A9, GW = 0x40000000, GA = 0x10000000,
                        GRX = 0x80000000 | 0x20000000;
constexpr std::uint8_t OICI = 0x03, OICIIO = 0x0B;

const std::vector<TAccessEntry> Guarded = {
    {Admins, Allow, F, OICI}, {System, Allow, F, OICI}, {TrustedInstaller, Allow, F, 0}, {Users, Allow, RX, OICI}};

std::vector<TAccessEntry> GuardedPlus(std::vector<TAccessEntry> More, bool Before = false) {
  std::vector<TAccessEntry> Entries = Before ? More : Guarded;
  Entries.insert(Entries.end(), (Before ? Guarded : More).begin(), (Before ? Guarded : More).end());
  return Entries;
}

TEST(WriteAccess, OtherWritersFromOwnerAndEntries) {
  const struct {
    const char* Case;
    std::string Owner;
    std::vector<TAccessEntry> Entries;
    std::vector<std::string> Writers;
    bool NullDacl = false;
  } Cases[] = {
      {"as the playbook sets it", Admins, Guarded, {}},
      {"Users may write data", Admins, GuardedPlus({{Users, Allow, 0x2, 0}}), {Users}},
      {"Authenticated Users may modify", Admins, GuardedPlus({{AuthUsers, Allow, M, OICI}}), {AuthUsers}},
      {"Everyone, GENERIC_WRITE", Admins, GuardedPlus({{Everyone, Allow, GW, 0}}), {Everyone}},
      {"INTERACTIVE may append", Admins, GuardedPlus({{Interactive, Allow, 0x4, 0}}), {Interactive}},
      {"a plain user, GENERIC_ALL", Admins, GuardedPlus({{Plain, Allow, GA, 0}}), {Plain}},
      {"Users may delete", Admins, GuardedPlus({{Users, Allow, 0x10000, 0}}), {Users}},
      {"Users may delete what the folder holds", Admins, GuardedPlus({{Users, Allow, 0x40, 0}}), {Users}},
      {"Users may change the permissions", Admins, GuardedPlus({{Users, Allow, 0x40000, 0}}), {Users}},
      {"Users may take ownership", Admins, GuardedPlus({{Users, Allow, 0x80000, 0}}), {Users}},
      {"attributes and extended attributes only", Admins, GuardedPlus({{Users, Allow, 0x100 | 0x10, 0}}), {}},
      {"generic read and execute", Admins, GuardedPlus({{Everyone, Allow, GRX, 0}}), {}},
      {"CREATOR OWNER, inherit-only", Admins, GuardedPlus({{CreatorOwner, Allow, GA, OICIIO}}), {}},
      {"Users full, inherit-only", Admins, GuardedPlus({{Users, Allow, F, OICIIO}}), {}},
      {"deny before allow, same trustee", Admins, GuardedPlus({{Users, Deny, M, 0}, {Users, Allow, M, 0}}), {}},
      {"deny after allow takes nothing", Admins, GuardedPlus({{Users, Allow, M, 0}, {Users, Deny, M, 0}}), {Users}},
      {"Everyone denied before Users allowed", Admins, GuardedPlus({{Everyone, Deny, M, 0}, {Users, Allow, M, 0}}), {}},
      {"Users denied before Everyone allowed",
       Admins,
       GuardedPlus({{Users, Deny, M, 0}, {Everyone, Allow, M, 0}}),
       {Everyone}},
      {"a deny alone grants nothing", Admins, GuardedPlus({{Users, Deny, 0x6, 0}}, true), {}},
      {"deny of writing before modify leaves delete",
       Admins,
       GuardedPlus({{Plain, Deny, 0x6, 0}, {Plain, Allow, M, 0}}),
       {Plain}},
      {"owner a plain user", Plain, Guarded, {Plain}},
      {"owner a plain user, denied WRITE_DAC", Plain, GuardedPlus({{Plain, Deny, F, 0}}, true), {Plain}},
      {"owner a plain user, OWNER RIGHTS read only", Plain, GuardedPlus({{OwnerRights, Allow, RX, 0}}), {}},
      {"owner Users", Users, Guarded, {Users}},
      {"owner the wizard's own account", Self, GuardedPlus({{Self, Allow, F, 0}}), {}},
      {"owner SYSTEM, TrustedInstaller full", System, Guarded, {}},
      {"no access list at all", Admins, {}, {Everyone}, true},
      {"an empty access list", Admins, {}, {}},
      // What Wine makes of mode bits 755, and of 757 (others may write).
      {"Wine, mode 755", Self, {{System, Allow, F, OICI}, {Self, Allow, F, OICI}, {Everyone, Allow, RX, OICI}}, {}},
      {"Wine, mode 757",
       Self,
       {{System, Allow, F, 0}, {Self, Allow, F, 0}, {Everyone, Allow, 0x1301FF, 0}},
       {Everyone}},
  };
  for (const auto& Case : Cases) {
    TObjectSecurity Object{Case.Owner, Case.NullDacl, Case.Entries};
    EXPECT_EQ(Case.Writers, OtherWriters(Object, Self)) << Case.Case;
  }
}

TEST(WriteAccess, GenericRightsMapToFileRights) {
  EXPECT_EQ(0x120116u, MapGenericFileRights(0x40000000));
  EXPECT_EQ(0x1F01FFu, MapGenericFileRights(0x10000000));
  EXPECT_EQ(0x1200A9u, MapGenericFileRights(0x80000000 | 0x20000000));
  EXPECT_EQ(0x10002u, MapGenericFileRights(0x10002));
}

TEST(WriteAccess, ItemsListNamesWhatAndWhom) {
  EXPECT_EQ("C:\\T\\ (Everyone, BUILTIN\\Users), C:\\T\\oue.exe (Everyone)",
            WritableItemsList({{"C:\\T\\", {"Everyone", "BUILTIN\\Users"}}, {"C:\\T\\oue.exe", {"Everyone"}}}));
}

}  // namespace
