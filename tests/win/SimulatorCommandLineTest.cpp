// The simulator takes exactly the engine's command line and refuses the rest.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class SimulatorCommandLine : public ::testing::Test {
 protected:
  SimulatorCommandLine() { updates_.Write("Orvane-3.1.0.0.oue"); }
  TUpdateLevelGuard level_;
  TTempFolder updates_;
};

struct AcceptedCase {
  const char* name;
  bool quoteProgram;
  std::string arguments;     // %DIR% stands for the update folder
  std::string dirShown;      // %DIR% as above
  bool snapshotSection;
  const char* snapshotParam;
};

std::string Fill(std::string text, const std::string& dir) {
  for (std::size_t at; (at = text.find("%DIR%")) != std::string::npos;) text.replace(at, 5, dir);
  return text;
}

TEST_F(SimulatorCommandLine, AcceptsTheEngineForms) {
  const AcceptedCase cases[] = {
      {"nosnapshot", false, "-ouegui -product orvane -nosnapshot -dir \"%DIR%\"", "%DIR%", false, "SNAPSHOT=NONE"},
      {"snapshot", false, "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"%DIR%\"", "%DIR%", true,
       "SNAPSHOT=D:"},
      {"quoted program", true, "-ouegui -product orvane -snapshotlocation \"R:\" -dir \"%DIR%\"", "%DIR%", true,
       "SNAPSHOT=R:"},
      {"doubled backslash before the closing quote", false, "-ouegui -product orvane -nosnapshot -dir \"%DIR%\\\\\"",
       "%DIR%\\", false, "SNAPSHOT=NONE"},
      {"other order", false, "-dir \"%DIR%\" -nosnapshot -product orvane -ouegui", "%DIR%", false, "SNAPSHOT=NONE"},
  };
  for (const AcceptedCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimLaunch launch;
    if (c.quoteProgram) launch.program = Quoted(launch.program);
    launch.arguments = Fill(c.arguments, updates_.Path());
    const SimResult run = RunSimulator(launch);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    const auto lines = SplitLines(run.output);
    EXPECT_TRUE(HasLine(lines, "[PARAM]: PRODUCT=orvane")) << run.output;
    EXPECT_TRUE(HasLine(lines, "[PARAM]: DIR=" + Fill(c.dirShown, updates_.Path()))) << run.output;
    EXPECT_TRUE(HasLine(lines, std::string("[PARAM]: ") + c.snapshotParam)) << run.output;
    EXPECT_EQ(c.snapshotSection, HasLine(lines, "[SECTION]: Snapshot")) << run.output;
    EXPECT_TRUE(HasLine(lines, "[SECTION]: Update Orvane-3.1.0.0")) << run.output;
  }
}

struct RefusedCase {
  std::string arguments;
  std::string error;  // one of the [Error] lines
};

TEST(SimulatorCommandLineRefused, SaysWhatIsWrongAndGivesNoResult) {
  const RefusedCase cases[] = {
      {"", "[Error]: missing argument -ouegui"},
      {"-product orvane -nosnapshot -dir \"C:\\Upd\"", "[Error]: missing argument -ouegui"},
      {"-ouegui -nosnapshot -dir \"C:\\Upd\"", "[Error]: missing argument -product"},
      {"-ouegui -product orvane -nosnapshot", "[Error]: missing argument -dir"},
      {"-ouegui -product orvane -dir \"C:\\Upd\"", "[Error]: missing argument -nosnapshot or -snapshotlocation"},
      {"-ouegui -product other -nosnapshot -dir \"C:\\Upd\"", "[Error]: unknown product \"other\" (expected orvane)"},
      {"-ouegui -product Orvane -nosnapshot -dir \"C:\\Upd\"", "[Error]: unknown product \"Orvane\" (expected orvane)"},
      {"-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\" -extra", "[Error]: unknown argument \"-extra\""},
      {"-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\" stray", "[Error]: unknown argument \"stray\""},
      {"-OUEGUI -product orvane -nosnapshot -dir \"C:\\Upd\"", "[Error]: unknown argument \"-OUEGUI\""},
      {"-ouegui -product orvane -snapshotlocation \"DD\" -dir \"C:\\Upd\"",
       "[Error]: snapshot location \"DD\" is not a drive letter followed by ':'"},
      {"-ouegui -product orvane -snapshotlocation \"4:\" -dir \"C:\\Upd\"",
       "[Error]: snapshot location \"4:\" is not a drive letter followed by ':'"},
      {"-ouegui -product orvane -snapshotlocation \"D:\\\\\" -dir \"C:\\Upd\"",
       "[Error]: snapshot location \"D:\\\" is not a drive letter followed by ':'"},
      {"-ouegui -product orvane -snapshotlocation -dir \"C:\\Upd\"", "[Error]: missing value after -snapshotlocation"},
      {"-ouegui -product orvane -nosnapshot -dir", "[Error]: missing value after -dir"},
      {"-ouegui -product orvane -nosnapshot -dir \"\"", "[Error]: the value of -dir is empty"},
      {"-ouegui -product orvane -nosnapshot -snapshotlocation \"D:\" -dir \"C:\\Upd\"",
       "[Error]: -nosnapshot and -snapshotlocation exclude each other"},
      {"-ouegui -ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"", "[Error]: argument -ouegui given more than once"},
      {"-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\" -dir \"C:\\Upd\"",
       "[Error]: argument -dir given more than once"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.arguments);
    SimLaunch launch;
    launch.arguments = c.arguments;
    const SimResult run = RunSimulator(launch);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(2u, run.exitCode) << run.output;
    const auto lines = SplitLines(run.output);
    EXPECT_TRUE(HasLine(lines, c.error)) << run.output;
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) EXPECT_EQ(0u, line.rfind("[Error]: ", 0)) << line;
    EXPECT_EQ(std::string::npos, run.output.find("[Result]:")) << run.output;
  }
}

// The wizard does not quote the program path; a path with blanks must still work.
TEST(SimulatorProgramPath, UnquotedPathWithBlanks) {
  TTempFolder folder;
  folder.MakeFolder("engine with blanks");
  const std::string program = folder.File("engine with blanks\\oue.exe");
  ASSERT_TRUE(CopyFileA(SimulatorPath().c_str(), program.c_str(), FALSE));
  SimLaunch launch;
  launch.program = program;
  launch.nameProgram = true;
  launch.arguments = "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"";
  launch.environment = {{"OUE_SIM_SCENARIO", WriteScenario(folder, "line accepted\r\n")}};
  const SimResult run = RunSimulator(launch);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ("accepted\r\n", run.output);
}

}  // namespace
}  // namespace simtest
