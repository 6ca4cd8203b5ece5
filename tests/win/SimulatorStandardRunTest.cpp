// The standard run: one section per update (after a snapshot when asked), the
// new level recorded, a final 100 and a result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SnapshotArguments(const std::string& dir) {
  return "-ouegui -product orvane -snapshotlocation \"D:\" -dir " + Quoted(dir);
}
std::string NoSnapshotArguments(const std::string& dir) {
  return "-ouegui -product orvane -nosnapshot -dir " + Quoted(dir);
}

std::vector<std::string> Sections(const std::vector<std::string>& lines) {
  std::vector<std::string> sections;
  for (const std::string& line : lines)
    if (line.rfind("[SECTION]: ", 0) == 0) sections.push_back(line.substr(11));
  return sections;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += "<" + item + ">";
  return text;
}

// The percentage of a "[STATUS]: code,text,percent" line.
int PercentOf(const std::string& status) { return std::atoi(status.substr(status.rfind(',') + 1).c_str()); }

class SimulatorStandardRun : public ::testing::Test {
 protected:
  SimulatorStandardRun() { SetUpdateLevel("3.0.3.2"); }
  void AddUpdates(std::initializer_list<const char*> names) {
    for (const char* name : names) updates_.Write(name);
  }
  TUpdateLevelGuard guard_;
  TTempFolder updates_;
};

TEST_F(SimulatorStandardRun, SnapshotAndThreeUpdates) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"});
  SimLaunch launch;
  launch.arguments = SnapshotArguments(updates_.Path());
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0u, run.exitCode) << run.output;

  const auto lines = SplitLines(run.output);
  EXPECT_EQ("<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>", Joined(Sections(lines)));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ("[STATUS]: 999,Update complete,100", lines[lines.size() - 2]);
  EXPECT_EQ(0u, lines.back().rfind("[Result]: SUCCESS", 0)) << lines.back();
  EXPECT_TRUE(run.output.size() >= 2 && run.output.compare(run.output.size() - 2, 2, "\r\n") == 0);
  EXPECT_EQ("3.1.0.2", ReadUpdateLevel().value_or("<none>"));
  EXPECT_EQ(std::string::npos, run.output.find("NEED_REBOOT"));
}

// As the wizard starts the engine: a new hidden console and an output pipe of
// one byte, so every write waits for the reader.
TEST_F(SimulatorStandardRun, RunsAsTheWizardStartsIt) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue"});
  SimLaunch launch;
  launch.arguments = SnapshotArguments(updates_.Path());
  launch.newConsole = true;
  launch.outputPipeSize = 1;
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0u, run.exitCode) << run.output;
  const auto lines = SplitLines(run.output);
  EXPECT_EQ("<Snapshot><Update Orvane-3.1.0.0><Update Orvane-3.1.0.1>", Joined(Sections(lines)));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(0u, lines.back().rfind("[Result]: SUCCESS", 0)) << lines.back();
  EXPECT_EQ("3.1.0.1", ReadUpdateLevel().value_or("<none>"));
}

// Within each section the percentages rise and end at 100; no status text has
// a comma of its own (the status line has exactly three fields).
TEST_F(SimulatorStandardRun, StatusesRiseToHundredInEverySection) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue"});
  SimLaunch launch;
  launch.arguments = SnapshotArguments(updates_.Path());
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  int sections = 0, last = -1;
  for (const std::string& line : SplitLines(run.output)) {
    if (line.rfind("[SECTION]: ", 0) == 0) {
      if (sections > 0) {
        EXPECT_EQ(100, last) << "section " << sections << " ended below 100";
      }
      ++sections;
      last = -1;
    } else if (line.rfind("[STATUS]: ", 0) == 0) {
      EXPECT_EQ(2, std::count(line.begin(), line.end(), ',')) << line;
      EXPECT_GE(PercentOf(line), last) << line;
      last = PercentOf(line);
    }
  }
  EXPECT_EQ(3, sections);
  EXPECT_EQ(100, last);
}

TEST_F(SimulatorStandardRun, NoSnapshotSectionWhenToldNotTo) {
  AddUpdates({"Orvane-3.1.0.0.oue", "Orvane-3.1.0.1.oue", "Orvane-3.1.0.2.oue"});
  SimLaunch launch;
  launch.arguments = NoSnapshotArguments(updates_.Path());
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ("<Update Orvane-3.1.0.0><Update Orvane-3.1.0.1><Update Orvane-3.1.0.2>",
            Joined(Sections(SplitLines(run.output))));
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
  SimLaunch launch;
  launch.arguments = NoSnapshotArguments(updates_.Path());
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ("<Update Orvane-3.1.0.5><Update Orvane-3.1.0.12>", Joined(Sections(SplitLines(run.output))));
  EXPECT_EQ("3.1.0.12", ReadUpdateLevel().value_or("<none>"));
}

TEST_F(SimulatorStandardRun, AsksForRebootWhenTold) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  const struct {
    const char* value;
    bool asked;
  } cases[] = {{"1", true}, {"0", false}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    SimLaunch launch;
    launch.arguments = NoSnapshotArguments(updates_.Path());
    launch.environment = {{"OUE_SIM_NEED_REBOOT", c.value}};
    const SimResult run = RunSimulator(launch);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    const auto lines = SplitLines(run.output);
    EXPECT_EQ(c.asked, std::find(lines.begin(), lines.end(), "[PARAM]: NEED_REBOOT") != lines.end()) << run.output;
  }
}

// The wizard rereads the level at 90% and more: the level is there before the
// final 100 is written. The pause after each line makes a late write visible.
TEST_F(SimulatorStandardRun, LevelIsWrittenBeforeTheFinalHundred) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  SimLaunch launch;
  launch.arguments = NoSnapshotArguments(updates_.Path());
  launch.environment = {{"OUE_SIM_DELAY_MS", "150"}};
  TSimProcess sim(launch);
  ASSERT_TRUE(sim.Started());
  ASSERT_TRUE(sim.WaitForOutput("[STATUS]: 207,Update Orvane-3.1.0.1 installed,100\r\n")) << sim.Output();
  EXPECT_EQ(std::string::npos, sim.Output().find("[Result]:")) << "the run went on without the pause";
  EXPECT_EQ("3.1.0.1", ReadUpdateLevel().value_or("<none>"));
  EXPECT_EQ(0u, sim.WaitForExit().value_or(99));
}

TEST_F(SimulatorStandardRun, PacesItsLines) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  SimLaunch launch;
  launch.arguments = NoSnapshotArguments(updates_.Path());
  launch.environment = {{"OUE_SIM_DELAY_MS", "40"}};
  const DWORD start = GetTickCount();
  const SimResult run = RunSimulator(launch);
  const DWORD elapsed = GetTickCount() - start;
  ASSERT_TRUE(run.finished);
  const std::size_t lines = SplitLines(run.output).size();
  EXPECT_GE(elapsed, (lines - 1) * 40 * 8 / 10) << lines << " lines in " << elapsed << " ms";
}

TEST_F(SimulatorStandardRun, FailsWithoutUpdateFiles) {
  updates_.Write("readme.txt");
  const struct {
    const char* name;
    std::string dir;
    std::string error;
  } cases[] = {
      {"empty folder", updates_.Path(), "[Error]: No update files found in " + updates_.Path()},
      {"missing folder", updates_.File("gone"), "[Error]: Update folder " + updates_.File("gone") + " not found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimLaunch launch;
    launch.arguments = SnapshotArguments(c.dir);
    const SimResult run = RunSimulator(launch);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(1u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(c.error + "\r\n")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("[Result]:")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("[SECTION]:")) << run.output;
    EXPECT_EQ("3.0.3.2", ReadUpdateLevel().value_or("<none>"));
  }
}

TEST_F(SimulatorStandardRun, RefusesBadSettings) {
  AddUpdates({"Orvane-3.1.0.1.oue"});
  const struct {
    const char* name;
    const char* value;
    const char* error;
  } cases[] = {
      {"OUE_SIM_DELAY_MS", "fast", "[Error]: OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"fast\""},
      {"OUE_SIM_DELAY_MS", "-5", "[Error]: OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"-5\""},
      {"OUE_SIM_NEED_REBOOT", "yes", "[Error]: OUE_SIM_NEED_REBOOT must be 1 or 0, got \"yes\""},
      {"OUE_SIM_MAX_SLEEP_MS", "3600001",
       "[Error]: OUE_SIM_MAX_SLEEP_MS must be milliseconds from 0 to 3600000, got \"3600001\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    SimLaunch launch;
    launch.arguments = NoSnapshotArguments(updates_.Path());
    launch.environment = {{c.name, c.value}};
    const SimResult run = RunSimulator(launch);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(3u, run.exitCode) << run.output;
    EXPECT_EQ(std::string(c.error) + "\r\n", run.output);
  }
}

}  // namespace
}  // namespace simtest
