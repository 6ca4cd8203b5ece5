// The registry queries over an in-memory registry: which keys are read, on
// which machine, with which fallbacks, and that every connection is let go.
#include "FakeRegistry.h"

#include "utils/Errors.h"
#include "utils/NodeInfo.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const std::string Platform = "\\Software\\Dantor\\Kelvra";
const std::string Product = "\\Software\\Dantor\\Kelvra\\Products\\Orvane";
const std::string System31 = "\\Software\\Dantor\\Kelvra\\Rel31\\Default\\System";

class NodeQueries : public ::testing::Test {
 protected:
  // A node whose current release is Rel31.
  static void SeedRelease(TFakeMachine& Machine) { Machine.SetString(Platform, "CurrentRelease", "Rel31"); }
  void TearDown() override { EXPECT_EQ(Registry.OpenHives, 0) << "a registry connection was not released"; }

  TFakeRegistry Registry;
};

// ReadReleaseSetting(Registry, "System", Value, "dflt", Node) over a registry
// seeded with string values (key, name, text): one connection, to that node
// only, let go afterwards.
TEST_F(NodeQueries, ReadReleaseSetting) {
  using TSeed = std::vector<std::array<std::string, 3>>;
  const std::array<std::string, 3> Rel31 = {Platform, "CurrentRelease", "Rel31"};
  const struct {
    const char* Name;
    TSeed Local, OnSRV01;
    const char* Value;
    const char* Node;
    const char* Expected;
  } Rows[] = {
      {"follows CurrentRelease relative to the platform key",
       {Rel31, {System31, "PrimaryNodeName", "SRV01"}},
       {},
       "PrimaryNodeName",
       "",
       "SRV01"},
      {"value name in other letter case",
       {Rel31, {System31, "PrimaryNodeName", "SRV01"}},
       {},
       "primarynodename",
       "",
       "SRV01"},
      {"a leading backslash starts from the root",
       {{Platform, "CurrentRelease", "\\Software\\Elsewhere\\R9"},
        {"\\Software\\Elsewhere\\R9\\Default\\System", "Value", "from root"},
        {Platform + "\\Software\\Elsewhere\\R9\\Default\\System", "Value", "relative"}},
       {},
       "Value",
       "",
       "from root"},
      {"an empty value is empty", {Rel31, {System31, "Value", ""}}, {}, "Value", "", ""},
      {"an empty CurrentRelease uses the platform key's Default",
       {{Platform, "CurrentRelease", ""}, {Platform + "\\Default\\System", "Value", "v"}},
       {},
       "Value",
       "",
       "v"},
      {"another node, and only that node",
       {Rel31, {System31, "Value", "local"}},
       {{Platform, "CurrentRelease", "Rel30"}, {Platform + "\\Rel30\\Default\\System", "Value", "remote"}},
       "Value",
       "SRV01",
       "remote"},
      {"an unreachable node gives the default", {Rel31, {System31, "Value", "local"}}, {}, "Value", "GONE", "dflt"},
      // Any step missing gives the default.
      {"empty registry", {}, {}, "Value", "", "dflt"},
      {"no CurrentRelease", {{System31, "Value", "x"}}, {}, "Value", "", "dflt"},
      {"CurrentRelease names a missing key",
       {{Platform, "CurrentRelease", "Rel99"}, {System31, "Value", "x"}},
       {},
       "Value",
       "",
       "dflt"},
      {"no Default key", {Rel31, {Platform + "\\Rel31\\System", "Value", "x"}}, {}, "Value", "", "dflt"},
      {"no section key", {Rel31, {Platform + "\\Rel31\\Default\\Other", "Value", "x"}}, {}, "Value", "", "dflt"},
      {"no value", {Rel31, {System31, "Another", "x"}}, {}, "Value", "", "dflt"},
  };
  for (const auto& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TFakeRegistry Fresh;
    for (const auto& [Key, Name, Text] : Row.Local) Fresh.Local.SetString(Key, Name, Text);
    for (const auto& [Key, Name, Text] : Row.OnSRV01) Fresh.Node("SRV01").SetString(Key, Name, Text);
    EXPECT_EQ(ReadReleaseSetting(Fresh, "System", Row.Value, "dflt", Row.Node), Row.Expected);
    EXPECT_EQ(Fresh.Connections, (std::vector<std::string>{Row.Node}));
    EXPECT_EQ(Fresh.OpenHives, 0);
  }
}

TEST_F(NodeQueries, AValueThatIsNotTextRaisesARegistryErrorNamingIt) {
  SeedRelease(Registry.Local);
  Registry.Local.SetNumber(System31, "MaintenanceMode");
  try {
    GetMaintenanceMode(Registry);
    FAIL() << "no exception for a numeric value";
  } catch (const ERegistryException& Error) {
    EXPECT_STREQ(Error.what(), "Invalid data type for 'MaintenanceMode'");
  }
  Registry.Local.SetNumber(Product, "UpdateLevel");
  EXPECT_THROW(GetLocalUpdateLevel(Registry), ERegistryException);
  EXPECT_EQ(Registry.OpenHives, 0);
}

TEST_F(NodeQueries, LocalUpdateLevelFallsBackToThePlatformKeyOnlyWithoutAProductKey) {
  struct {
    const char* Name;
    void (*Seed)(TFakeMachine&);
    const char* Expected;
  } Cases[] = {
      {"product level",
       [](TFakeMachine& M) {
         M.SetString(Product, "UpdateLevel", "3.1.0.2");
         M.SetString(Platform, "UpdateLevel", "3.0.3.2");
       },
       "3.1.0.2"},
      {"product key without level",
       [](TFakeMachine& M) {
         M.AddKey(Product);
         M.SetString(Platform, "UpdateLevel", "3.0.3.2");
       },
       ""},
      {"product key below it only",
       [](TFakeMachine& M) {
         M.AddKey(Product + "\\Sub");
         M.SetString(Platform, "UpdateLevel", "3.0.3.2");
       },
       ""},
      {"no product key", [](TFakeMachine& M) { M.SetString(Platform, "UpdateLevel", "3.0.3.2"); }, "3.0.3.2"},
      {"nothing", [](TFakeMachine&) {}, ""},
      {"empty product level", [](TFakeMachine& M) { M.SetString(Product, "UpdateLevel", ""); }, ""},
  };
  for (const auto& Case : Cases) {
    TFakeRegistry Fresh;
    Case.Seed(Fresh.Local);
    EXPECT_EQ(GetLocalUpdateLevel(Fresh), Case.Expected) << Case.Name;
    EXPECT_EQ(Fresh.OpenHives, 0) << Case.Name;
  }
}

TEST_F(NodeQueries, PrimaryUpdateLevelHasNoFallback) {
  SeedRelease(Registry.Local);
  Registry.Local.SetString(System31, "PrimaryNodeName", "SRV01");
  TFakeMachine& Primary = Registry.Node("SRV01");
  Primary.SetString(Platform, "UpdateLevel", "3.0.3.2");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(Registry), "<UNAVAILABLE>");
  Primary.SetString(Product, "UpdateLevel", "3.1.0.1");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(Registry), "3.1.0.1");
}

TEST_F(NodeQueries, PrimaryUpdateLevelOfAnUnreachablePrimaryIsTheMarker) {
  SeedRelease(Registry.Local);
  Registry.Local.SetString(System31, "PrimaryNodeName", "GONE");
  Registry.Local.SetString(Product, "UpdateLevel", "3.1.0.1");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(Registry), "<UNAVAILABLE>");
}

TEST_F(NodeQueries, WithoutAPrimaryNameThePrimaryValuesAreReadLocally) {
  SeedRelease(Registry.Local);
  Registry.Local.SetString(Product, "UpdateLevel", "3.1.0.4");
  Registry.Local.SetString(System31, "MaintenanceMode", "on");
  Registry.Local.SetString(System31, "pid", "77");
  EXPECT_EQ(GetPrimaryNodeName(Registry), "");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(Registry), "3.1.0.4");
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::On);
  EXPECT_EQ(GetBackupPid(Registry), "77");
  EXPECT_TRUE(IsBackupRunning(Registry));
  for (const std::string& Node : Registry.Connections) EXPECT_EQ(Node, "") << "connected to " << Node;
}

TEST_F(NodeQueries, PrimaryValuesComeFromThePrimaryNode) {
  SeedRelease(Registry.Local);
  Registry.Local.SetString(System31, "PrimaryNodeName", "srv01");
  Registry.Local.SetString(System31, "MaintenanceMode", "off");
  TFakeMachine& Primary = Registry.Node("SRV01");
  SeedRelease(Primary);
  Primary.SetString(System31, "MaintenanceMode", "Enabled");
  Primary.SetString(System31, "DatabaseBackupPid", "4711");
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::On);
  EXPECT_EQ(GetBackupPid(Registry), "<UNAVAILABLE>");
  EXPECT_EQ(GetDatabaseBackupPid(Registry), "4711");
  EXPECT_TRUE(IsBackupRunning(Registry));
}

TEST_F(NodeQueries, AnUnreachablePrimaryGivesTheMarkerEverywhere) {
  SeedRelease(Registry.Local);
  Registry.Local.SetString(System31, "PrimaryNodeName", "OFFLINE");
  Registry.Local.SetString(System31, "MaintenanceMode", "ON");
  Registry.Local.SetString(System31, "pid", "1");
  EXPECT_EQ(GetBackupPid(Registry), "<UNAVAILABLE>");
  EXPECT_EQ(GetDatabaseBackupPid(Registry), "<UNAVAILABLE>");
  EXPECT_FALSE(IsBackupRunning(Registry));
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::Unknown);
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(Registry), "<UNAVAILABLE>");
}

TEST_F(NodeQueries, BackupRunningByPidValues) {
  struct {
    const char* Name;
    std::optional<std::string> Pid, DatabasePid;
    bool Expected;
  } Cases[] = {
      {"pid 0 counts", "0", std::nullopt, true},
      {"empty pid and no database pid", "", std::nullopt, false},
      {"neither value", std::nullopt, std::nullopt, false},
      {"the marker stored as pid", "<UNAVAILABLE>", "", false},
      {"database pid only", std::nullopt, "12", true},
      {"empty both", "", "", false},
  };
  for (const auto& Case : Cases) {
    TFakeRegistry Fresh;
    SeedRelease(Fresh.Local);
    if (Case.Pid) Fresh.Local.SetString(System31, "pid", *Case.Pid);
    if (Case.DatabasePid) Fresh.Local.SetString(System31, "DatabaseBackupPid", *Case.DatabasePid);
    EXPECT_EQ(IsBackupRunning(Fresh), Case.Expected) << Case.Name;
  }
}

TEST_F(NodeQueries, NodeRoleFromTheRegistry) {
  struct {
    const char* Name;
    std::optional<std::string> Primary, Original;
    NodeRole Expected;
  } Cases[] = {
      {"own name in lower case", "vm", std::nullopt, NodeRole::Primary},
      {"no primary name", std::nullopt, std::nullopt, NodeRole::Secondary},
      {"no primary name, original set", std::nullopt, "OLD", NodeRole::EpmSecondary},
      {"empty primary name", "", std::nullopt, NodeRole::Secondary},
      {"other primary", "SRV01", std::nullopt, NodeRole::Secondary},
      {"other primary, original set", "SRV01", "SRV00", NodeRole::EpmSecondary},
      {"other primary, original empty", "SRV01", "", NodeRole::Secondary},
  };
  for (const auto& Case : Cases) {
    TFakeRegistry Fresh;
    SeedRelease(Fresh.Local);
    if (Case.Primary) Fresh.Local.SetString(System31, "PrimaryNodeName", *Case.Primary);
    if (Case.Original) Fresh.Local.SetString(System31, "OriginalPrimaryNodeName", *Case.Original);
    NodeRole Got = GetNodeRole(Fresh, "VM");
    EXPECT_EQ(Got, Case.Expected) << Case.Name << ": got " << NodeRoleName(Got);
    EXPECT_EQ(Fresh.OpenHives, 0) << Case.Name;
  }
}

TEST_F(NodeQueries, MaintenanceModeOfThePrimary) {
  SeedRelease(Registry.Local);
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::Unknown) << "no value";
  Registry.Local.SetString(System31, "MaintenanceMode", "No");
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::Off);
  Registry.Local.SetString(System31, "MaintenanceMode", " ON");
  EXPECT_EQ(GetMaintenanceMode(Registry), MaintenanceModeState::Unknown);
}

}  // namespace
