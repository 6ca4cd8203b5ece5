// The installation queries against the real registry of the prefix, read on
// this machine and through the remote registry under this machine's name.
#include "RegistrySandbox.h"

#include "utils/Errors.h"
#include "utils/NodeInfo.h"
#include "utils/win32/SystemInfo.h"
#include "utils/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

const std::string Platform = "Software\\Dantor\\Kelvra";
const std::string Product = "Software\\Dantor\\Kelvra\\Products\\Orvane";
const std::string System = "Software\\Dantor\\Kelvra\\Rel31\\Default\\System";
const char* const Unreachable = "NOSUCHNODE";

std::string Lower(std::string Text) {
  for (char& C : Text)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Text;
}

class NodeRegistry : public ::testing::Test {
 protected:
  void SeedRelease() { WriteRegistryString(Platform, "CurrentRelease", "Rel31"); }
  TRegistrySandbox Sandbox;
};

TEST_F(NodeRegistry, ComputerNameIsThisMachines) {
  std::string Name = GetLocalComputerName();
  EXPECT_FALSE(Name.empty());
  EXPECT_LE(Name.size(), 15u);
  EXPECT_EQ(Name, ReadEnvironmentVariable("COMPUTERNAME"));
}

TEST_F(NodeRegistry, SeededValuesAreReadLocally) {
  SeedRelease();
  WriteRegistryString(System, "Greeting", "hello");
  WriteRegistryString(System, "OriginalPrimaryNodeName", "OLDPRIMARY");
  WriteRegistryString(System, "PrimaryNodeName", "SRV01");
  WriteRegistryString(Product, "UpdateLevel", "3.1.0.2");
  EXPECT_EQ(ReadReleaseSetting("System", "Greeting", "dflt", ""), "hello");
  EXPECT_EQ(ReadReleaseSetting("System", "Missing", "dflt", ""), "dflt");
  EXPECT_EQ(ReadReleaseSetting("Other", "Greeting", "dflt", ""), "dflt");
  EXPECT_EQ(GetPrimaryNodeName(), "SRV01");
  EXPECT_EQ(GetOriginalPrimaryNodeName(), "OLDPRIMARY");
  EXPECT_EQ(GetLocalUpdateLevel(), "3.1.0.2");
  EXPECT_EQ(GetNodeRole(), NodeRole::EpmSecondary);
  EXPECT_EQ(GetNodeRoleName(), "EPM Secondary");
}

TEST_F(NodeRegistry, SeededValuesAreReadThroughTheRemoteRegistry) {
  SeedRelease();
  WriteRegistryString(System, "Greeting", "hello");
  EXPECT_EQ(ReadReleaseSetting("System", "Greeting", "dflt", GetLocalComputerName()), "hello");

  // This machine named as the primary, in other letter case: every primary
  // value goes through a connection to it.
  WriteRegistryString(System, "PrimaryNodeName", Lower(GetLocalComputerName()));
  WriteRegistryString(System, "MaintenanceMode", "Enabled");
  WriteRegistryString(System, "pid", "0");
  WriteRegistryString(Product, "UpdateLevel", "3.1.0.2");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(), "3.1.0.2");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceModeState::On);
  EXPECT_EQ(GetBackupPid(), "0");
  EXPECT_EQ(GetDatabaseBackupPid(), "<UNAVAILABLE>");
  EXPECT_TRUE(IsBackupRunning());
  EXPECT_EQ(GetNodeRole(), NodeRole::Primary);
  EXPECT_EQ(GetNodeRoleName(), "Primary");
}

TEST_F(NodeRegistry, TheRemoteConnectionReadsTheSameKeys) {
  SeedRelease();
  WriteRegistryString(Product, "UpdateLevel", "3.1.0.7");
  TWin32Registry Registry;
  auto Remote = Registry.Connect(GetLocalComputerName());
  ASSERT_NE(Remote, nullptr) << "no remote registry under this machine's name";
  EXPECT_TRUE(Remote->KeyExists("\\" + Product));
  EXPECT_FALSE(Remote->KeyExists("\\" + Product + "\\Nothing"));
  EXPECT_EQ(Remote->ReadString("\\" + Product, "UpdateLevel").value_or("<none>"), "3.1.0.7");
  EXPECT_EQ(Registry.Connect(Unreachable), nullptr);
}

TEST_F(NodeRegistry, AnUnreachablePrimaryGivesTheMarker) {
  SeedRelease();
  // The local registry has every value: none of them may be taken instead.
  WriteRegistryString(System, "PrimaryNodeName", Unreachable);
  WriteRegistryString(System, "MaintenanceMode", "ON");
  WriteRegistryString(System, "pid", "1");
  WriteRegistryString(System, "DatabaseBackupPid", "2");
  WriteRegistryString(Product, "UpdateLevel", "3.1.0.2");
  EXPECT_EQ(ReadReleaseSetting("System", "pid", "dflt", Unreachable), "dflt");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(), "<UNAVAILABLE>");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceModeState::Unknown);
  EXPECT_EQ(GetBackupPid(), "<UNAVAILABLE>");
  EXPECT_EQ(GetDatabaseBackupPid(), "<UNAVAILABLE>");
  EXPECT_FALSE(IsBackupRunning());
  EXPECT_EQ(GetNodeRole(), NodeRole::Secondary);
  EXPECT_EQ(GetLocalUpdateLevel(), "3.1.0.2");
}

TEST_F(NodeRegistry, CurrentReleaseNamingAMissingKeyGivesDefaults) {
  WriteRegistryString(Platform, "CurrentRelease", "Rel99");
  WriteRegistryString(System, "PrimaryNodeName", "SRV01");
  WriteRegistryString(System, "MaintenanceMode", "ON");
  EXPECT_EQ(GetPrimaryNodeName(), "");
  EXPECT_EQ(GetOriginalPrimaryNodeName(), "");
  EXPECT_EQ(GetBackupPid(), "<UNAVAILABLE>");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceModeState::Unknown);
  EXPECT_EQ(ReadReleaseSetting("System", "MaintenanceMode", "dflt", ""), "dflt");
}

TEST_F(NodeRegistry, CurrentReleaseWithABackslashIsTakenFromTheRoot) {
  WriteRegistryString(Platform, "CurrentRelease", "\\Software\\Dantor\\Elsewhere\\R9");
  WriteRegistryString("Software\\Dantor\\Elsewhere\\R9\\Default\\System", "MaintenanceMode", "off");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceModeState::Off);
}

TEST_F(NodeRegistry, NothingInstalledGivesEmptyTextsAndTheMarker) {
  EXPECT_EQ(GetLocalUpdateLevel(), "");
  EXPECT_EQ(GetPrimaryNodeName(), "");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(), "<UNAVAILABLE>");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceModeState::Unknown);
  EXPECT_FALSE(IsBackupRunning());
  EXPECT_EQ(GetNodeRole(), NodeRole::Secondary);
}

TEST_F(NodeRegistry, LocalUpdateLevelFallsBackOnlyWithoutAProductKey) {
  WriteRegistryString(Platform, "UpdateLevel", "3.0.3.2");
  EXPECT_EQ(GetLocalUpdateLevel(), "3.0.3.2");
  CreateRegistryKey(Product);
  EXPECT_EQ(GetLocalUpdateLevel(), "");
  WriteRegistryString(Product, "UpdateLevel", "3.1.0.1");
  EXPECT_EQ(GetLocalUpdateLevel(), "3.1.0.1");
}

TEST_F(NodeRegistry, PrimaryUpdateLevelHasNoFallback) {
  WriteRegistryString(Platform, "UpdateLevel", "3.0.3.2");
  EXPECT_EQ(GetPrimaryNodeUpdateLevel(), "<UNAVAILABLE>");
}

TEST_F(NodeRegistry, AnExpandableValueIsReturnedUnexpanded) {
  SeedRelease();
  WriteRegistryString(Product, "UpdateLevel", "%SystemRoot%\\3.1", REG_EXPAND_SZ);
  WriteRegistryString(System, "PrimaryNodeName", "%COMPUTERNAME%", REG_EXPAND_SZ);
  EXPECT_EQ(GetLocalUpdateLevel(), "%SystemRoot%\\3.1");
  EXPECT_EQ(GetPrimaryNodeName(), "%COMPUTERNAME%");
}

TEST_F(NodeRegistry, AnEmptyValueIsEmptyNotTheDefault) {
  SeedRelease();
  WriteRegistryString(System, "pid", "");
  EXPECT_EQ(GetBackupPid(), "");
  EXPECT_FALSE(IsBackupRunning());
}

TEST_F(NodeRegistry, ANumericUpdateLevelRaisesTheRegistryReadError) {
  WriteRegistryDword(Product, "UpdateLevel", 3);
  try {
    GetLocalUpdateLevel();
    FAIL() << "no exception for a REG_DWORD UpdateLevel";
  } catch (const ERegistryException& Error) {
    EXPECT_STREQ(Error.what(), "Invalid data type for 'UpdateLevel'");
  }
  EXPECT_THROW(GetPrimaryNodeUpdateLevel(), ERegistryException);
}

TEST_F(NodeRegistry, ANumericSectionValueRaisesTheRegistryReadError) {
  SeedRelease();
  WriteRegistryString(System, "PrimaryNodeName", GetLocalComputerName());
  WriteRegistryDword(System, "MaintenanceMode", 1);
  try {
    GetMaintenanceMode();
    FAIL() << "no exception for a REG_DWORD MaintenanceMode read remotely";
  } catch (const ERegistryException& Error) {
    EXPECT_STREQ(Error.what(), "Invalid data type for 'MaintenanceMode'");
  }
}

TEST_F(NodeRegistry, EveryKeyAndConnectionIsReleased) {
  SeedRelease();
  WriteRegistryString(System, "PrimaryNodeName", GetLocalComputerName());
  WriteRegistryDword(Product, "UpdateLevel", 3);
  auto AllQueries = [] {
    GetPrimaryNodeName();
    GetMaintenanceMode();
    IsBackupRunning();
    GetNodeRole();
    ReadReleaseSetting("System", "pid", "", Unreachable);
    try {
      GetPrimaryNodeUpdateLevel();  // remote, then raises
    } catch (const ERegistryException&) {
    }
  };
  AllQueries();  // first use may load libraries and fill caches
  // Handles take the lowest free slots of the table: the highest of 64 new
  // handles rises by one for every handle the queries left open.
  auto HighestOf64New = [] {
    HANDLE Probes[64];
    for (HANDLE& Probe : Probes) Probe = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Highest = *std::max_element(std::begin(Probes), std::end(Probes));
    for (HANDLE Probe : Probes) CloseHandle(Probe);
    return Highest;
  };
  HANDLE Before = HighestOf64New();
  for (int I = 0; I < 5; ++I) AllQueries();
  EXPECT_EQ(HighestOf64New(), Before) << "a registry key or connection was left open";
}

}  // namespace
