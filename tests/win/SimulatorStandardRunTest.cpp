// The standard run: one section per update (after a snapshot when asked), the
// new level recorded, a final 100 and a result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

std::string Quoted(const std::string& Text) { return "\"" + Text + "\""; }

std::string SnapshotArguments(const std::string& Dir) {
  return "-ouegui -product orvane -snapshotlocation \"D:\" -dir " + Quoted(Dir);
}
std::string NoSnapshotArguments(const std::string& Dir) {
  return "-ouegui -product orvane -nosnapshot -dir " + Quoted(Dir);
}

std::vector<std::string> Sections(const std::vector<std::string>& Lines) {
  std::vector<std::string> Sections;
  for (const std::string& Line : Lines)
    if (Line.rfind("[SECTION]: ", 0) == 0) Sections.push_back(Line.substr(11));
  return Sections;
}

std::string Joined(const std::vector<std::string>& Items) {
  std::string Text;
  for (const std::string& Item : Items) Text += "<" + Item + ">";
  return Text;
}

// The percentage of a "[STATUS]: code,text,percent" line.
int PercentOf(const std::string& Status) { return std::atoi(Status.substr(Status.rfind(',') + 1).c_str()); }

class SimulatorStandardRun : public ::testing::Test {
 protected:
  SimulatorStandardRun() { SetUpdateLevel("3.0.3.2"); }
  void AddUpdates(std::initializer_list<const char*> Names) {
    for (const char* Name : Names) updates_.Write(Name);
  }
  TUpdateLevelGuard guard_;
  TTempFolder updates_;
};

// Whole runs over a folder of update files: the sections, within each the
// percentages rising to 100 in status lines of exactly three fields (no
// status text has a comma of its own), the final 100 and result, and the
// level recorded. Every folder also holds a hidden update file and a folder
// named like one: neither counts.
TEST_F(SimulatorStandardRun, RunsOverAFolderOfUpdates) {
  const struct {
    const char* name;
    std::vector<const char*> files;
    bool snapshot;
    bool asTheWizard;  // a new hidden console and an output pipe of one byte: every write waits for the reader
    const char* sections;
    const char* level;
  } Rows[] = {
      {"snapshot and three updates",
       {"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"},
       true,
       false,
       "<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>",
       "3.1.0.2"},
      {"runs as the wizard starts it",
       {"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue"},
       true,
       true,
       "<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1>",
       "3.1.0.1"},
      {"no snapshot section when told not to",
       {"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"},
       false,
       false,
       "<Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>",
       "3.1.0.2"},
      // Only update files count, by number (12 after 5), each number once.
      {"picks update files like the wizard",
       {"orvane-3.1.0.12b.OUE", "Orvane-3.1.0.5[fix].oue", "Orvane-3.1.0.5.1.oue", "Orvane-3.1.0.3.oue.oue",
        "Orvane-3.0.3.2.oue", "Orvane-3.1.0.x.oue", "Orvane-3.1.0.1ab.oue", "Orvane-3.1.0.7.oue.txt", "readme.txt"},
       false,
       false,
       "<Update Orvane-3.1.0.5><Update Orvane-3.1.0.12>",
       "3.1.0.12"},
  };
  for (const auto& Row : Rows) {
    SCOPED_TRACE(Row.name);
    SetUpdateLevel("3.0.3.2");
    TTempFolder Updates;
    for (const char* Name : Row.files) Updates.Write(Name);
    Updates.Write("Orvane-3.1.0.8.oue");
    ASSERT_TRUE(SetFileAttributesA(Updates.File("Orvane-3.1.0.8.oue").c_str(), FILE_ATTRIBUTE_HIDDEN));
    Updates.MakeFolder("Orvane-3.1.0.9.oue");
    SimLaunch Launch;
    Launch.arguments = Row.snapshot ? SnapshotArguments(Updates.Path()) : NoSnapshotArguments(Updates.Path());
    Launch.newConsole = Row.asTheWizard;
    Launch.outputPipeSize = Row.asTheWizard ? 1 : 0;
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(0u, Run.exitCode) << Run.output;

    const auto Lines = SplitLines(Run.output);
    EXPECT_EQ(Row.sections, Joined(Sections(Lines)));
    int InSection = 0, Last = -1;
    for (const std::string& Line : Lines) {
      if (Line.rfind("[SECTION]: ", 0) == 0) {
        if (InSection > 0) {
          EXPECT_EQ(100, Last) << "section " << InSection << " ended below 100";
        }
        ++InSection;
        Last = -1;
      } else if (Line.rfind("[STATUS]: ", 0) == 0) {
        EXPECT_EQ(2, std::count(Line.begin(), Line.end(), ',')) << Line;
        EXPECT_GE(PercentOf(Line), Last) << Line;
        Last = PercentOf(Line);
      }
    }
    EXPECT_EQ(100, Last);
    ASSERT_GE(Lines.size(), 2u);
    EXPECT_EQ("[STATUS]: 999,Update complete,100", Lines[Lines.size() - 2]);
    EXPECT_EQ(0u, Lines.back().rfind("[Result]: SUCCESS", 0)) << Lines.back();
    EXPECT_TRUE(Run.output.size() >= 2 && Run.output.compare(Run.output.size() - 2, 2, "\r\n") == 0);
    EXPECT_EQ(Row.level, ReadUpdateLevel().value_or("<none>"));
    EXPECT_EQ(std::string::npos, Run.output.find("NEED_REBOOT"));
  }
}

TEST_F(SimulatorStandardRun, AsksForRebootWhenTold) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  const struct {
    const char* value;
    bool asked;
  } Cases[] = {{"1", true}, {"0", false}, {"", false}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.value);
    SimLaunch Launch;
    Launch.arguments = NoSnapshotArguments(updates_.Path());
    Launch.environment = {{"OUE_SIM_NEED_REBOOT", C.value}};
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(0u, Run.exitCode) << Run.output;
    const auto Lines = SplitLines(Run.output);
    EXPECT_EQ(C.asked, std::find(Lines.begin(), Lines.end(), "[PARAM]: NEED_REBOOT") != Lines.end()) << Run.output;
  }
}

// The wizard rereads the level at 90% and more: the level is there before the
// final 100 is written. The pause after each line makes a late write visible.
TEST_F(SimulatorStandardRun, LevelIsWrittenBeforeTheFinalHundred) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  SimLaunch Launch;
  Launch.arguments = NoSnapshotArguments(updates_.Path());
  Launch.environment = {{"OUE_SIM_DELAY_MS", "150"}};
  TSimProcess Sim(Launch);
  ASSERT_TRUE(Sim.Started());
  ASSERT_TRUE(Sim.WaitForOutput("[STATUS]: 207,Update Orvane-3.1.0.1 installed,100\r\n")) << Sim.Output();
  EXPECT_EQ(std::string::npos, Sim.Output().find("[Result]:")) << "the run went on without the pause";
  EXPECT_EQ("3.1.0.1", ReadUpdateLevel().value_or("<none>"));
  EXPECT_EQ(0u, Sim.WaitForExit().value_or(99));
}

TEST_F(SimulatorStandardRun, PacesItsLines) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  SimLaunch Launch;
  Launch.arguments = NoSnapshotArguments(updates_.Path());
  Launch.environment = {{"OUE_SIM_DELAY_MS", "40"}};
  const DWORD Start = GetTickCount();
  const SimResult Run = RunSimulator(Launch);
  const DWORD Elapsed = GetTickCount() - Start;
  ASSERT_TRUE(Run.finished);
  const std::size_t Lines = SplitLines(Run.output).size();
  EXPECT_GE(Elapsed, (Lines - 1) * 40 * 8 / 10) << Lines << " lines in " << Elapsed << " ms";
}

TEST_F(SimulatorStandardRun, FailsWithoutUpdateFiles) {
  updates_.Write("readme.txt");
  const struct {
    const char* name;
    std::string dir;
    std::string error;
  } Cases[] = {
      {"empty folder", updates_.Path(), "[Error]: No update files found in " + updates_.Path()},
      {"missing folder", updates_.File("gone"), "[Error]: Update folder " + updates_.File("gone") + " not found"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.name);
    SimLaunch Launch;
    Launch.arguments = SnapshotArguments(C.dir);
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(1u, Run.exitCode) << Run.output;
    EXPECT_NE(std::string::npos, Run.output.find(C.error + "\r\n")) << Run.output;
    EXPECT_EQ(std::string::npos, Run.output.find("[Result]:")) << Run.output;
    EXPECT_EQ(std::string::npos, Run.output.find("[SECTION]:")) << Run.output;
    EXPECT_EQ("3.0.3.2", ReadUpdateLevel().value_or("<none>"));
  }
}

TEST_F(SimulatorStandardRun, RefusesBadSettings) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  const struct {
    const char* name;
    const char* value;
    const char* error;
  } Cases[] = {
      {"OUE_SIM_DELAY_MS", "fast", "[Error]: OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"fast\""},
      {"OUE_SIM_DELAY_MS", "-5", "[Error]: OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"-5\""},
      {"OUE_SIM_NEED_REBOOT", "yes", "[Error]: OUE_SIM_NEED_REBOOT must be 1 or 0, got \"yes\""},
      {"OUE_SIM_MAX_SLEEP_MS", "3600001",
       "[Error]: OUE_SIM_MAX_SLEEP_MS must be milliseconds from 0 to 3600000, got \"3600001\""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(std::string(C.name) + "=" + C.value);
    SimLaunch Launch;
    Launch.arguments = NoSnapshotArguments(updates_.Path());
    Launch.environment = {{C.name, C.value}};
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(3u, Run.exitCode) << Run.output;
    EXPECT_EQ(std::string(C.error) + "\r\n", Run.output);
  }
}

}  // namespace
}  // namespace simtest
