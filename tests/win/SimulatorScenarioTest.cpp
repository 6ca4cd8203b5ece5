// Scenarios play every engine behaviour the wizard must survive.
#include <gtest/gtest.h>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

const char kArguments[] = "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"";

class SimulatorScenario : public ::testing::Test {
 protected:
  SimLaunch Launch(const std::string& scenario) {
    SimLaunch launch;
    launch.arguments = kArguments;
    launch.environment = {{"OUE_SIM_SCENARIO", WriteScenario(folder_, scenario)}};
    return launch;
  }
  SimResult Run(const std::string& scenario, const std::string& input = std::string()) {
    return RunSimulator(Launch(scenario), input);
  }
  TTempFolder folder_;
};

std::string Visible(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c == '\r') text += "\\r";
    else if (c == '\n') text += "\\n";
    else if (c < 32 || c > 126) text += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
    else text += static_cast<char>(c);
  }
  return text;
}

TEST_F(SimulatorScenario, WritesExactlyTheScriptedBytes) {
  const struct {
    const char* scenario;
    std::string bytes;
  } cases[] = {
      {"line [STATUS]: 12,Copying files,50 \r\n", "[STATUS]: 12,Copying files,50 \r\n"},
      {"line\nline  two blanks\n", "\r\n two blanks\r\n"},
      {"raw partial line", "partial line"},
      {"raw CR only\\rnext\\r", "CR only\rnext\r"},
      {"raw a\\0b\\n", std::string("a\0b\n", 4)},
      {"raw \\x41\\xe7\\xFF\\t\\\\", "A\xe7\xff\t\\"},
      {"raw one\nraw  two \nline three", "one two three\r\n"},
      {"# comment\n\n   \n  line indented\n\t# another\n", "indented\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Visible(c.scenario));
    const SimResult run = Run(c.scenario);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(Visible(c.bytes), Visible(run.output));
  }
}

TEST_F(SimulatorScenario, FloodDeliversEveryLine) {
  for (unsigned count : {0u, 1u, 20000u}) {
    SCOPED_TRACE(count);
    const SimResult run = Run("flood " + std::to_string(count) + " Flood line\n");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
    const auto lines = SplitLines(run.output);
    ASSERT_EQ(count, lines.size());
    for (unsigned i = 0; i < count; ++i)
      if (lines[i] != "Flood line " + std::to_string(i + 1)) {
        ADD_FAILURE() << "line " << i + 1 << " is \"" << lines[i] << "\"";
        break;
      }
  }
}

TEST_F(SimulatorScenario, ReadLineEchoesWhileInputStaysOpen) {
  TSimProcess sim(Launch("line ready\nreadline\nline done\n"));
  ASSERT_TRUE(sim.Started());
  ASSERT_TRUE(sim.WaitForOutput("ready\r\n")) << sim.Output();
  sim.WriteInput("hello operator\r\n");
  ASSERT_TRUE(sim.WaitForOutput("ECHO: hello operator\r\n")) << Visible(sim.Output());
  ASSERT_TRUE(sim.WaitForOutput("done\r\n")) << sim.Output();
  EXPECT_EQ(0u, sim.WaitForExit().value_or(99));
  EXPECT_EQ("ready\r\nECHO: hello operator\r\ndone\r\n", sim.Output());
}

TEST_F(SimulatorScenario, EchoStdinUntilQuitOrEnd) {
  const struct {
    const char* input;
    const char* output;
  } cases[] = {
      {"a\r\nb\r\nquit\r\nc\r\n", "ECHO: a\r\nECHO: b\r\nafter\r\n"},
      {"x\r\nlast without terminator", "ECHO: x\r\nECHO: last without terminator\r\nafter\r\n"},
      {"", "after\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Visible(c.input));
    const SimResult run = Run("echo-stdin\nline after\n", c.input);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(Visible(c.output), Visible(run.output));
  }
}

TEST_F(SimulatorScenario, ExitCodeIsHonouredAndEndsThePlay) {
  for (unsigned long code : {0ul, 1ul, 7ul, 255ul, 4294967295ul}) {
    SCOPED_TRACE(code);
    const SimResult run = Run("line before\nexit " + std::to_string(code) + "\nline after\n");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(code, run.exitCode);
    EXPECT_EQ("before\r\n", run.output);
  }
}

TEST_F(SimulatorScenario, CrashEndsAbnormally) {
  const SimResult run = Run("line before\ncrash\nline after\n");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0xC0000005u, run.exitCode) << std::hex << run.exitCode << " " << run.output;
  EXPECT_EQ("before\r\n", run.output);
}

// Nobody reads until the process has gone: "exit-unread" leaves its chunk in
// the pipe, whole, and "exit" waits for the reader.
TEST_F(SimulatorScenario, ExitUnreadLeavesOutputInThePipe) {
  SimLaunch launch = Launch("exit-unread [STATUS]: 999,Done,100\\r\\n[Result]: OK\\r\\n\nline never\n");
  launch.readLater = true;
  TSimProcess sim(launch);
  ASSERT_TRUE(sim.Started());
  const auto code = sim.WaitForExit(10000);
  ASSERT_TRUE(code.has_value()) << "still running with its output unread";
  EXPECT_EQ(0u, *code);
  sim.StartReading();
  sim.WaitForOutput("never", 2000);
  EXPECT_EQ("[STATUS]: 999,Done,100\r\n[Result]: OK\r\n", sim.Output());
}

TEST_F(SimulatorScenario, ExitWaitsForTheReader) {
  SimLaunch launch = Launch("line unread\nexit 5\n");
  launch.readLater = true;
  TSimProcess sim(launch);
  ASSERT_TRUE(sim.Started());
  EXPECT_FALSE(sim.WaitForExit(1000).has_value()) << "exited before its output was read";
  sim.StartReading();
  EXPECT_EQ(5u, sim.WaitForExit().value_or(99));
  EXPECT_EQ("unread\r\n", sim.Output());
}

TEST_F(SimulatorScenario, LevelAndStandardRun) {
  TUpdateLevelGuard guard;
  TTempFolder updates;
  updates.Write("Orvane-3.1.0.4.oue");
  SimLaunch launch;
  launch.arguments = "-ouegui -product orvane -nosnapshot -dir \"" + updates.Path() + "\"";
  launch.environment = {
      {"OUE_SIM_SCENARIO", WriteScenario(folder_, "level 3.1.0.9\nline before\nstandard\nline after\nexit 6\n")}};
  TSimProcess sim(launch);
  ASSERT_TRUE(sim.WaitForOutput("before\r\n")) << sim.Output();
  EXPECT_EQ("3.1.0.9", ReadUpdateLevel().value_or("<none>"));
  EXPECT_EQ(6u, sim.WaitForExit().value_or(99));
  const auto lines = SplitLines(sim.Output());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ("before", lines.front());
  EXPECT_NE(std::string::npos, sim.Output().find("\r\n[SECTION]: Update Orvane-3.1.0.4\r\n")) << sim.Output();
  EXPECT_EQ(0u, lines[lines.size() - 2].rfind("[Result]: SUCCESS", 0)) << sim.Output();
  EXPECT_EQ("after", lines.back());
  EXPECT_EQ("3.1.0.4", ReadUpdateLevel().value_or("<none>"));
}

TEST_F(SimulatorScenario, StandardRunFailureEndsThePlay) {
  TTempFolder empty;
  SimLaunch launch;
  launch.arguments = "-ouegui -product orvane -nosnapshot -dir \"" + empty.Path() + "\"";
  launch.environment = {{"OUE_SIM_SCENARIO", WriteScenario(folder_, "standard\nline after\n")}};
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(1u, run.exitCode);
  EXPECT_EQ("[Error]: No update files found in " + empty.Path() + "\r\n", run.output);
}

// A bad scenario is refused whole: nothing of it is played.
TEST_F(SimulatorScenario, RefusesBadScenarios) {
  const struct {
    const char* scenario;
    const char* error;
  } cases[] = {
      {"line early\nbogus\n", "scenario line 2: unknown command \"bogus\""},
      {"Line capital\n", "scenario line 1: unknown command \"Line\""},
      {"# note\n\nsleep soon\n", "scenario line 3: sleep needs milliseconds (0 to 3600000), got \"soon\""},
      {"sleep\n", "scenario line 1: sleep needs milliseconds (0 to 3600000), got \"\""},
      {"raw bad \\q escape\n", "scenario line 1: raw: unknown escape \\q"},
      {"raw \\x4\n", "scenario line 1: raw: \\x needs two hexadecimal digits"},
      {"raw ends with \\\n", "scenario line 1: raw: a backslash ends the text (write \\\\ for a backslash)"},
      {"exit-unread \\z\n", "scenario line 1: exit-unread: unknown escape \\z"},
      {"flood many lines\n", "scenario line 1: flood needs a line count (0 to 100000000) and a text, got \"many lines\""},
      {"exit -1\n", "scenario line 1: exit needs a code (0 to 4294967295), got \"-1\""},
      {"exit 4294967296\n", "scenario line 1: exit needs a code (0 to 4294967295), got \"4294967296\""},
      {"level\n", "scenario line 1: level needs an update level such as 3.1.0.2, got \"\""},
      {"crash now\n", "scenario line 1: crash takes no argument, got \"now\""},
      {"standard please\n", "scenario line 1: standard takes no argument, got \"please\""},
      {"grandchild\n", "scenario line 1: grandchild needs the text it writes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Visible(c.scenario));
    const SimResult run = Run(c.scenario);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(3u, run.exitCode);
    EXPECT_EQ(std::string("[Error]: ") + c.error + "\r\n", run.output);
  }
}

TEST_F(SimulatorScenario, MissingScenarioFile) {
  SimLaunch launch;
  launch.arguments = kArguments;
  launch.environment = {{"OUE_SIM_SCENARIO", folder_.File("absent.txt")}};
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(3u, run.exitCode);
  EXPECT_EQ("[Error]: cannot read scenario file " + folder_.File("absent.txt") + "\r\n", run.output);
}

// The command line is checked before any scenario is played.
TEST_F(SimulatorScenario, CommandLineComesFirst) {
  SimLaunch launch = Launch("line played\n");
  launch.arguments = "-ouegui -product orvane -dir \"C:\\Upd\"";
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(2u, run.exitCode);
  EXPECT_EQ(std::string::npos, run.output.find("played")) << run.output;
}

}  // namespace
}  // namespace simtest
