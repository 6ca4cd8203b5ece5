// One start check asks the primary node several things; through shared
// connections it reaches the node once, so an unreachable node costs one
// connection time-out instead of one per value. And the level shown on the
// result page can always be read, even when the registry holds a number.
#include "FakeRegistry.h"

#include "utils/NodeInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string Platform = "\\Software\\Dantor\\Kelvra";
const std::string Product = "\\Software\\Dantor\\Kelvra\\Products\\Orvane";
const std::string System31 = "\\Software\\Dantor\\Kelvra\\Rel31\\Default\\System";

struct TCheckCase {
  const char* Name;
  bool Reachable;
  const char* PrimaryLevel;  // on the primary, when reachable
  std::string ExpectedLevel;
  MaintenanceModeState ExpectedMaintenance;
  bool ExpectedBackup;
};

const TCheckCase CheckCases[] = {
    {"unreachable primary", false, "", UNAVAILABLE, MaintenanceModeState::Unknown, false},
    {"primary below 3.0.0.0", true, "2.3.1.0", "2.3.1.0", MaintenanceModeState::On, true},
    {"primary from 3.0.0.0 on", true, "3.1.0.2", "3.1.0.2", MaintenanceModeState::On, true},
};

TEST(SharedConnections, OneCheckConnectsToThePrimaryOnceWhateverItAsks) {
  for (const TCheckCase& Case : CheckCases) {
    SCOPED_TRACE(Case.Name);
    TFakeRegistry Registry;
    Registry.Local.SetString(Platform, "CurrentRelease", "Rel31");
    Registry.Local.SetString(System31, "PrimaryNodeName", "prim01");
    if (Case.Reachable) {
      TFakeMachine& Primary = Registry.Node("PRIM01");
      Primary.SetString(Platform, "CurrentRelease", "Rel31");
      Primary.SetString(Product, "UpdateLevel", Case.PrimaryLevel);
      Primary.SetString(System31, "MaintenanceMode", "on");
      Primary.SetString(System31, "DatabaseBackupPid", "77");
    }
    {
      TSharedConnections Shared(Registry);
      EXPECT_EQ(GetPrimaryNodeUpdateLevel(Shared), Case.ExpectedLevel);
      EXPECT_EQ(GetMaintenanceMode(Shared), Case.ExpectedMaintenance);
      EXPECT_EQ(IsBackupRunning(Shared), Case.ExpectedBackup);
      EXPECT_EQ(GetNodeRole(Shared, "SRV07"), NodeRole::Secondary);
    }
    EXPECT_EQ(std::count(Registry.Connections.begin(), Registry.Connections.end(), "prim01"), 1);
    EXPECT_EQ(std::count(Registry.Connections.begin(), Registry.Connections.end(), ""), 1);
    EXPECT_EQ(Registry.OpenHives, 0) << "a connection outlived the check";
  }
}

TEST(SharedConnections, NamesDifferingOnlyInLetterCaseShareOneConnection) {
  TFakeRegistry Registry;
  Registry.Node("PRIM01").SetString(Product, "UpdateLevel", "3.1.0.2");
  TSharedConnections Shared(Registry);
  auto First = Shared.Connect("prim01");
  auto Second = Shared.Connect("PRIM01");
  ASSERT_TRUE(First && Second);
  EXPECT_EQ(Second->ReadString(Product, "UpdateLevel").value_or("none"), "3.1.0.2");
  EXPECT_EQ(Shared.Connect("other"), nullptr);
  EXPECT_EQ(Shared.Connect("OTHER"), nullptr);
  EXPECT_EQ(Registry.Connections, (std::vector<std::string>{"prim01", "other"}));
}

TEST(SharedConnections, TheLevelForTheResultIsUnknownWhenItCannotBeReadAsText) {
  struct {
    const char* Name;
    void (*Seed)(TFakeMachine&);
    std::string Expected;
  } Cases[] = {
      {"a text", [](TFakeMachine& M) { M.SetString(Product, "UpdateLevel", "3.1.0.4"); }, "3.1.0.4"},
      {"a number", [](TFakeMachine& M) { M.SetNumber(Product, "UpdateLevel"); }, UnknownUpdateLevel},
      {"none at all", [](TFakeMachine&) {}, ""},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeRegistry Registry;
    Case.Seed(Registry.Local);
    EXPECT_EQ(GetShownLocalUpdateLevel(Registry), Case.Expected);
    EXPECT_EQ(Registry.OpenHives, 0);
  }
}

// The level line's role is read at the end of a run too: it must not throw.
TEST(SharedConnections, TheRoleForTheLevelLineIsUnknownWhenItCannotBeReadAsText) {
  struct {
    const char* Name;
    void (*Seed)(TFakeMachine&);
    std::string Expected;
  } Cases[] = {
      {"primary by name",
       [](TFakeMachine& M) {
         M.SetString(Platform, "CurrentRelease", "Rel31");
         M.SetString(System31, "PrimaryNodeName", "HERE");
       },
       "Primary"},
      {"CurrentRelease a number", [](TFakeMachine& M) { M.SetNumber(Platform, "CurrentRelease"); }, "<unknown>"},
      {"PrimaryNodeName a number",
       [](TFakeMachine& M) {
         M.SetString(Platform, "CurrentRelease", "Rel31");
         M.SetNumber(System31, "PrimaryNodeName");
       },
       "<unknown>"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeRegistry Registry;
    Case.Seed(Registry.Local);
    EXPECT_EQ(GetShownNodeRoleName(Registry, "here"), Case.Expected);
    EXPECT_EQ(Registry.OpenHives, 0);
  }
}

}  // namespace
