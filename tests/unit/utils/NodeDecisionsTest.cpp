// The decisions on values already read: role, role word, maintenance words,
// backup pids, upper-casing and key paths.
#include "utils/AsciiCase.h"
#include "utils/NodeInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AsciiUpperCase, FoldsOnlyTheLettersAToZ) {
  struct {
    std::string In, Out;
  } Cases[] = {
      {"", ""},
      {"abcxyz", "ABCXYZ"},
      {"MiXeD-Case_09", "MIXED-CASE_09"},
      {"`a{z@", "`A{Z@"},                // the neighbours of a and z stay
      {"\xE9\xE4\xF1", "\xE9\xE4\xF1"},  // accented letters of code page 1252 stay
      {std::string("a\0b", 3), std::string("A\0B", 3)},
  };
  for (const auto& Case : Cases) EXPECT_EQ(AsciiUpperCase(Case.In), Case.Out) << "for \"" << Case.In << "\"";
}

TEST(NodeRole, HasTheRecordedNumbers) {
  EXPECT_EQ(static_cast<int>(NodeRole::Unknown), 0);
  EXPECT_EQ(static_cast<int>(NodeRole::Primary), 1);
  EXPECT_EQ(static_cast<int>(NodeRole::Secondary), 2);
  EXPECT_EQ(static_cast<int>(NodeRole::EpmSecondary), 3);
  EXPECT_EQ(static_cast<int>(MaintenanceModeState::Unknown), 0);
  EXPECT_EQ(static_cast<int>(MaintenanceModeState::Off), 1);
  EXPECT_EQ(static_cast<int>(MaintenanceModeState::On), 2);
  EXPECT_STREQ(UNAVAILABLE, "<UNAVAILABLE>");
}

const char* RoleText(NodeRole Role) {
  switch (Role) {
    case NodeRole::Primary:
      return "Primary";
    case NodeRole::Secondary:
      return "Secondary";
    case NodeRole::EpmSecondary:
      return "EpmSecondary";
    default:
      return "Unknown";
  }
}

TEST(DecideNodeRole, ComparesNamesInAnyAsciiCase) {
  struct {
    const char *Primary, *Computer, *Original;
    NodeRole Expected;
  } Cases[] = {
      {"VM", "VM", "", NodeRole::Primary},
      {"vm", "VM", "", NodeRole::Primary},
      {"Srv07", "SRV07", "OLDPRIMARY", NodeRole::Primary},  // own primary wins over the old name
      {"", "VM", "", NodeRole::Secondary},
      {"", "VM", "OLDPRIMARY", NodeRole::EpmSecondary},
      {"", "", "", NodeRole::Secondary},  // no primary named: never primary
      {"SRV01", "VM", "", NodeRole::Secondary},
      {"SRV01", "VM", "SRV00", NodeRole::EpmSecondary},
      {"VM ", "VM", "", NodeRole::Secondary},           // a blank is a different name
      {"SRV\xC9", "srv\xE9", "", NodeRole::Secondary},  // only a-z are folded
  };
  for (const auto& Case : Cases) {
    NodeRole Got = DecideNodeRole(Case.Primary, Case.Computer, Case.Original);
    EXPECT_EQ(Got, Case.Expected) << "primary \"" << Case.Primary << "\", computer \"" << Case.Computer
                                  << "\", original \"" << Case.Original << "\": got " << RoleText(Got);
  }
}

TEST(NodeRoleName, GivesTheDisplayWord) {
  EXPECT_EQ(NodeRoleName(NodeRole::Primary), "Primary");
  EXPECT_EQ(NodeRoleName(NodeRole::Secondary), "Secondary");
  EXPECT_EQ(NodeRoleName(NodeRole::EpmSecondary), "EPM Secondary");
  EXPECT_EQ(NodeRoleName(NodeRole::Unknown), "<unknown>");
  EXPECT_EQ(NodeRoleName(static_cast<NodeRole>(9)), "<unknown>");
}

const char* StateText(MaintenanceModeState State) {
  switch (State) {
    case MaintenanceModeState::On:
      return "On";
    case MaintenanceModeState::Off:
      return "Off";
    default:
      return "Unknown";
  }
}

TEST(MaintenanceModeFromText, KnowsTheWholeWordsInAnyCase) {
  struct {
    std::string Value;
    MaintenanceModeState Expected;
  } Cases[] = {
      {"ON", MaintenanceModeState::On},        {"on", MaintenanceModeState::On},
      {"yes", MaintenanceModeState::On},       {"Yes", MaintenanceModeState::On},
      {"TRUE", MaintenanceModeState::On},      {"true", MaintenanceModeState::On},
      {"Enabled", MaintenanceModeState::On},   {"enabled", MaintenanceModeState::On},
      {"1", MaintenanceModeState::On},         {"off", MaintenanceModeState::Off},
      {"OFF", MaintenanceModeState::Off},      {"NO", MaintenanceModeState::Off},
      {"No", MaintenanceModeState::Off},       {"false", MaintenanceModeState::Off},
      {"DISABLED", MaintenanceModeState::Off}, {"Disabled", MaintenanceModeState::Off},
      {"0", MaintenanceModeState::Off},        {"2", MaintenanceModeState::Unknown},
      {"", MaintenanceModeState::Unknown},     {" ON", MaintenanceModeState::Unknown},
      {"ON ", MaintenanceModeState::Unknown},  {"<UNAVAILABLE>", MaintenanceModeState::Unknown},
      {"01", MaintenanceModeState::Unknown},   {"enable", MaintenanceModeState::Unknown},
      {"Y", MaintenanceModeState::Unknown},    {std::string("ON\0", 3), MaintenanceModeState::Unknown},
  };
  for (const auto& Case : Cases) {
    MaintenanceModeState Got = MaintenanceModeFromText(Case.Value);
    EXPECT_EQ(Got, Case.Expected) << "\"" << Case.Value << "\" gave " << StateText(Got);
  }
}

TEST(PidMeansBackupRunning, AnyTextButEmptyAndTheMarker) {
  struct {
    std::string Pid;
    bool Expected;
  } Cases[] = {
      {"0", true}, {"1234", true}, {" ", true}, {"<unavailable>", true}, {"", false}, {"<UNAVAILABLE>", false},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(PidMeansBackupRunning(Case.Pid), Case.Expected) << "pid \"" << Case.Pid << "\"";
}

TEST(JoinKeyPath, RelativeAbsoluteAndEmpty) {
  struct {
    std::string Base, Relative, Expected;
  } Cases[] = {
      {"\\A\\B", "C", "\\A\\B\\C"},
      {"\\A\\B", "C\\D", "\\A\\B\\C\\D"},
      {"\\A\\B", "\\X\\Y", "\\X\\Y"},
      {"\\A\\B", "", "\\A\\B"},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(JoinKeyPath(Case.Base, Case.Relative), Case.Expected)
        << "\"" << Case.Base << "\" + \"" << Case.Relative << "\"";
}

TEST(SectionKeyPath, FollowsTheCurrentRelease) {
  EXPECT_EQ(SectionKeyPath("Rel31", "System"), "\\Software\\Dantor\\Kelvra\\Rel31\\Default\\System");
  EXPECT_EQ(SectionKeyPath("\\Software\\Other\\R3", "System"), "\\Software\\Other\\R3\\Default\\System");
  EXPECT_EQ(SectionKeyPath("", "System"), "\\Software\\Dantor\\Kelvra\\Default\\System");
}

}  // namespace
