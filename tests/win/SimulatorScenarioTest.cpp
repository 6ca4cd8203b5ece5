// Scenarios play every engine behaviour the wizard must survive.
#include <gtest/gtest.h>

#include "SimulatorHarness.h"
#include "VisibleText.h"

namespace simtest {
namespace {

const char kArguments[] = "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"";

class SimulatorScenario : public ::testing::Test {
 protected:
  SimLaunch Launch(const std::string& Scenario) {
    SimLaunch Request;
    Request.arguments = kArguments;
    Request.environment = {{"OUE_SIM_SCENARIO", WriteScenario(folder_, Scenario)}};
    return Request;
  }
  SimResult Run(const std::string& Scenario, const std::string& Input = std::string()) {
    return RunSimulator(Launch(Scenario), Input);
  }
  // Runs Request to its end: it ends with Code, having written exactly Output.
  void ExpectEnd(const SimLaunch& Request, DWORD Code, const std::string& Output) {
    const SimResult Result = RunSimulator(Request);
    ASSERT_TRUE(Result.finished);
    EXPECT_EQ(Code, Result.exitCode) << std::hex << Result.exitCode;
    EXPECT_EQ(Visible(Output), Visible(Result.output));
  }
  TTempFolder folder_;
};

TEST_F(SimulatorScenario, WritesExactlyTheScriptedBytes) {
  const struct {
    const char* scenario;
    std::string bytes;
  } Cases[] = {
      {"line [STATUS]: 12,Copying files,50 \r\n", "[STATUS]: 12,Copying files,50 \r\n"},
      {"line\nline  two blanks\n", "\r\n two blanks\r\n"},
      {"raw partial line", "partial line"},
      {"raw CR only\\rnext\\r", "CR only\rnext\r"},
      {"raw a\\0b\\n", std::string("a\0b\n", 4)},
      {"raw \\x41\\xe7\\xFF\\t\\\\", "A\xe7\xff\t\\"},
      {"raw one\nraw  two \nline three", "one two three\r\n"},
      {"# comment\n\n   \n  line indented\n\t# another\n", "indented\r\n"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(Visible(C.scenario));
    ExpectEnd(Launch(C.scenario), 0, C.bytes);
  }
}

TEST_F(SimulatorScenario, FloodDeliversEveryLine) {
  for (unsigned Count : {0u, 1u, 20000u}) {
    SCOPED_TRACE(Count);
    const SimResult Result = Run("flood " + std::to_string(Count) + " Flood line\n");
    ASSERT_TRUE(Result.finished);
    EXPECT_EQ(0u, Result.exitCode);
    const auto Lines = SplitLines(Result.output);
    ASSERT_EQ(Count, Lines.size());
    for (unsigned I = 0; I < Count; ++I)
      if (Lines[I] != "Flood line " + std::to_string(I + 1)) {
        ADD_FAILURE() << "line " << I + 1 << " is \"" << Lines[I] << "\"";
        break;
      }
  }
}

TEST_F(SimulatorScenario, ReadLineEchoesWhileInputStaysOpen) {
  TSimProcess Sim(Launch("line ready\nreadline\nline done\n"));
  ASSERT_TRUE(Sim.Started());
  ASSERT_TRUE(Sim.WaitForOutput("ready\r\n")) << Sim.Output();
  Sim.WriteInput("hello operator\r\n");
  ASSERT_TRUE(Sim.WaitForOutput("ECHO: hello operator\r\n")) << Visible(Sim.Output());
  ASSERT_TRUE(Sim.WaitForOutput("done\r\n")) << Sim.Output();
  EXPECT_EQ(0u, Sim.WaitForExit().value_or(99));
  EXPECT_EQ("ready\r\nECHO: hello operator\r\ndone\r\n", Sim.Output());
}

TEST_F(SimulatorScenario, EchoStdinUntilQuitOrEnd) {
  const struct {
    const char* input;
    const char* output;
  } Cases[] = {
      {"a\r\nb\r\nquit\r\nc\r\n", "ECHO: a\r\nECHO: b\r\nafter\r\n"},
      {"x\r\nlast without terminator", "ECHO: x\r\nECHO: last without terminator\r\nafter\r\n"},
      {"", "after\r\n"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(Visible(C.input));
    const SimResult Result = Run("echo-stdin\nline after\n", C.input);
    ASSERT_TRUE(Result.finished);
    EXPECT_EQ(Visible(C.output), Visible(Result.output));
  }
}

TEST_F(SimulatorScenario, ExitCodeIsHonouredAndEndsThePlay) {
  for (unsigned long Code : {0ul, 1ul, 7ul, 255ul, 4294967295ul}) {
    SCOPED_TRACE(Code);
    ExpectEnd(Launch("line before\nexit " + std::to_string(Code) + "\nline after\n"), Code, "before\r\n");
  }
}

TEST_F(SimulatorScenario, CrashEndsAbnormally) {
  ExpectEnd(Launch("line before\ncrash\nline after\n"), 0xC0000005u, "before\r\n");
}

// Nobody reads until the process has gone: "exit-unread" leaves its chunk in
// the pipe, whole, and "exit" waits for the reader.
TEST_F(SimulatorScenario, ExitUnreadLeavesOutputInThePipe) {
  SimLaunch Request = Launch("exit-unread [STATUS]: 999,Done,100\\r\\n[Result]: OK\\r\\n\nline never\n");
  Request.readLater = true;
  TSimProcess Sim(Request);
  ASSERT_TRUE(Sim.Started());
  const auto Code = Sim.WaitForExit(10000);
  ASSERT_TRUE(Code.has_value()) << "still running with its output unread";
  EXPECT_EQ(0u, *Code);
  Sim.StartReading();
  Sim.WaitForOutput("never", 2000);
  EXPECT_EQ("[STATUS]: 999,Done,100\r\n[Result]: OK\r\n", Sim.Output());
}

TEST_F(SimulatorScenario, ExitWaitsForTheReader) {
  SimLaunch Request = Launch("line unread\nexit 5\n");
  Request.readLater = true;
  TSimProcess Sim(Request);
  ASSERT_TRUE(Sim.Started());
  EXPECT_FALSE(Sim.WaitForExit(1000).has_value()) << "exited before its output was read";
  Sim.StartReading();
  EXPECT_EQ(5u, Sim.WaitForExit().value_or(99));
  EXPECT_EQ("unread\r\n", Sim.Output());
}

TEST_F(SimulatorScenario, LevelAndStandardRun) {
  TUpdateLevelGuard Guard;
  TTempFolder Updates;
  Updates.Write("Orvane-3.1.0.4.oue");
  SimLaunch Request;
  Request.arguments = "-ouegui -product orvane -nosnapshot -dir \"" + Updates.Path() + "\"";
  Request.environment = {
      {"OUE_SIM_SCENARIO",
       WriteScenario(folder_, "level 3.1.0.9\nline before\nreadline\nstandard\nline after\nexit 6\n")}};
  TSimProcess Sim(Request);
  ASSERT_TRUE(Sim.WaitForOutput("before\r\n")) << Sim.Output();
  // The play waits for a line here, so the standard run cannot have set its
  // own level yet.
  EXPECT_EQ("3.1.0.9", ReadUpdateLevel().value_or("<none>"));
  Sim.WriteInput("go on\r\n");
  EXPECT_EQ(6u, Sim.WaitForExit().value_or(99));
  const auto Lines = SplitLines(Sim.Output());
  ASSERT_GE(Lines.size(), 4u);
  EXPECT_EQ("before", Lines.front());
  EXPECT_NE(std::string::npos, Sim.Output().find("\r\n[SECTION]: Update Orvane-3.1.0.4\r\n")) << Sim.Output();
  EXPECT_EQ(0u, Lines[Lines.size() - 2].rfind("[Result]: SUCCESS", 0)) << Sim.Output();
  EXPECT_EQ("after", Lines.back());
  EXPECT_EQ("3.1.0.4", ReadUpdateLevel().value_or("<none>"));
}

TEST_F(SimulatorScenario, StandardRunFailureEndsThePlay) {
  TTempFolder Empty;
  SimLaunch Request;
  Request.arguments = "-ouegui -product orvane -nosnapshot -dir \"" + Empty.Path() + "\"";
  Request.environment = {{"OUE_SIM_SCENARIO", WriteScenario(folder_, "standard\nline after\n")}};
  ExpectEnd(Request, 1, "[Error]: No update files found in " + Empty.Path() + "\r\n");
}

// A bad scenario is refused whole: nothing of it is played.
TEST_F(SimulatorScenario, RefusesBadScenarios) {
  const struct {
    const char* scenario;
    const char* error;
  } Cases[] = {
      {"line early\nbogus\n", "scenario line 2: unknown command \"bogus\""},
      {"Line capital\n", "scenario line 1: unknown command \"Line\""},
      {"# note\n\nsleep soon\n", "scenario line 3: sleep needs milliseconds (0 to 3600000), got \"soon\""},
      {"sleep\n", "scenario line 1: sleep needs milliseconds (0 to 3600000), got \"\""},
      {"raw bad \\q escape\n", "scenario line 1: raw: unknown escape \\q"},
      {"raw \\x4\n", "scenario line 1: raw: \\x needs two hexadecimal digits"},
      {"raw ends with \\\n", "scenario line 1: raw: a backslash ends the text (write \\\\ for a backslash)"},
      {"exit-unread \\z\n", "scenario line 1: exit-unread: unknown escape \\z"},
      {"flood many lines\n",
       "scenario line 1: flood needs a line count (0 to 100000000) and a text, got \"many lines\""},
      {"exit -1\n", "scenario line 1: exit needs a code (0 to 4294967295), got \"-1\""},
      {"exit 4294967296\n", "scenario line 1: exit needs a code (0 to 4294967295), got \"4294967296\""},
      {"level\n", "scenario line 1: level needs an update level such as 3.1.0.2, got \"\""},
      {"crash now\n", "scenario line 1: crash takes no argument, got \"now\""},
      {"standard please\n", "scenario line 1: standard takes no argument, got \"please\""},
      {"grandchild\n", "scenario line 1: grandchild needs the text it writes"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(Visible(C.scenario));
    ExpectEnd(Launch(C.scenario), 3, std::string("[Error]: ") + C.error + "\r\n");
  }
}

TEST_F(SimulatorScenario, MissingScenarioFile) {
  SimLaunch Request;
  Request.arguments = kArguments;
  Request.environment = {{"OUE_SIM_SCENARIO", folder_.File("absent.txt")}};
  ExpectEnd(Request, 3, "[Error]: cannot read scenario file " + folder_.File("absent.txt") + "\r\n");
}

// The command line is checked before any scenario is played.
TEST_F(SimulatorScenario, CommandLineComesFirst) {
  SimLaunch Request = Launch("line played\n");
  Request.arguments = "-ouegui -product orvane -dir \"C:\\Upd\"";
  const SimResult Result = RunSimulator(Request);
  ASSERT_TRUE(Result.finished);
  EXPECT_EQ(2u, Result.exitCode);
  EXPECT_EQ(std::string::npos, Result.output.find("played")) << Result.output;
}

}  // namespace
}  // namespace simtest
