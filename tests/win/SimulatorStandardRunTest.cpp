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

TEST_F(SimulatorStandardRun, SnapshotAndThreeUpdates) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"});
  SimLaunch Launch;
  Launch.arguments = SnapshotArguments(updates_.Path());
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  EXPECT_EQ(0u, Run.exitCode) << Run.output;

  const auto Lines = SplitLines(Run.output);
  EXPECT_EQ("<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>", Joined(Sections(Lines)));
  ASSERT_GE(Lines.size(), 2u);
  EXPECT_EQ("[STATUS]: 999,Update complete,100", Lines[Lines.size() - 2]);
  EXPECT_EQ(0u, Lines.back().rfind("[Result]: SUCCESS", 0)) << Lines.back();
  EXPECT_TRUE(Run.output.size() >= 2 && Run.output.compare(Run.output.size() - 2, 2, "\r\n") == 0);
  EXPECT_EQ("3.1.0.2", ReadUpdateLevel().value_or("<none>"));
  EXPECT_EQ(std::string::npos, Run.output.find("NEED_REBOOT"));
}

// As the wizard starts the engine: a new hidden console and an output pipe of
// one byte, so every write waits for the reader.
TEST_F(SimulatorStandardRun, RunsAsTheWizardStartsIt) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue"});
  SimLaunch Launch;
  Launch.arguments = SnapshotArguments(updates_.Path());
  Launch.newConsole = true;
  Launch.outputPipeSize = 1;
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  EXPECT_EQ(0u, Run.exitCode) << Run.output;
  const auto Lines = SplitLines(Run.output);
  EXPECT_EQ("<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1>", Joined(Sections(Lines)));
  ASSERT_FALSE(Lines.empty());
  EXPECT_EQ(0u, Lines.back().rfind("[Result]: SUCCESS", 0)) << Lines.back();
  EXPECT_EQ("3.1.0.1", ReadUpdateLevel().value_or("<none>"));
}

// Within each section the percentages rise and end at 100; no status text has
// a comma of its own (the status line has exactly three fields).
TEST_F(SimulatorStandardRun, StatusesRiseToHundredInEverySection) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue"});
  SimLaunch Launch;
  Launch.arguments = SnapshotArguments(updates_.Path());
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  int Sections = 0, Last = -1;
  for (const std::string& Line : SplitLines(Run.output)) {
    if (Line.rfind("[SECTION]: ", 0) == 0) {
      if (Sections > 0) {
        EXPECT_EQ(100, Last) << "section " << Sections << " ended below 100";
      }
      ++Sections;
      Last = -1;
    } else if (Line.rfind("[STATUS]: ", 0) == 0) {
      EXPECT_EQ(2, std::count(Line.begin(), Line.end(), ',')) << Line;
      EXPECT_GE(PercentOf(Line), Last) << Line;
      Last = PercentOf(Line);
    }
  }
  EXPECT_EQ(3, Sections);
  EXPECT_EQ(100, Last);
}

TEST_F(SimulatorStandardRun, NoSnapshotSectionWhenToldNotTo) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"});
  SimLaunch Launch;
  Launch.arguments = NoSnapshotArguments(updates_.Path());
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  EXPECT_EQ(0u, Run.exitCode) << Run.output;
  EXPECT_EQ("<Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>",
            Joined(Sections(SplitLines(Run.output))));
  EXPECT_EQ("3.1.0.2", ReadUpdateLevel().value_or("<none>"));
}

// Only update files count, by number (12 after 5), each number once.
TEST_F(SimulatorStandardRun, PicksUpdateFilesLikeTheWizard) {
  AddUpdates({"orvane-3.1.0.12b.OUE", "Orvane-3.1.0.5[fix].oue", "Orvane-3.1.0.5.1.oue", "Orvane-3.1.0.3.oue.oue",
              "Orvane-3.0.3.2.oue", "Orvane-3.1.0.x.oue", "Orvane-3.1.0.1ab.oue", "Orvane-3.1.0.7.oue.txt",
              "readme.txt"});
  updates_.Write("Orvane-3.1.0.8.oue");
  ASSERT_TRUE(SetFileAttributesA(updates_.File("Orvane-3.1.0.8.oue").c_str(), FILE_ATTRIBUTE_HIDDEN));
  updates_.MakeFolder("Orvane-3.1.0.9.oue");
  SimLaunch Launch;
  Launch.arguments = NoSnapshotArguments(updates_.Path());
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  EXPECT_EQ(0u, Run.exitCode) << Run.output;
  EXPECT_EQ("<Update Orvane-3.1.0.5><Update Orvane-3.1.0.12>", Joined(Sections(SplitLines(Run.output))));
  EXPECT_EQ("3.1.0.12", ReadUpdateLevel().value_or("<none>"));
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
