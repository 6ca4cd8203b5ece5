// The simulator takes exactly the engine's command line and refuses the rest.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

std::string Quoted(const std::string& Text) { return "\"" + Text + "\""; }

bool HasLine(const std::vector<std::string>& Lines, const std::string& Line) {
  return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
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
  std::string arguments;  // %DIR% stands for the update folder
  std::string dirShown;   // %DIR% as above
  bool snapshotSection;
  const char* snapshotParam;
};

std::string Fill(std::string Text, const std::string& Dir) {
  for (std::size_t At; (At = Text.find("%DIR%")) != std::string::npos;) Text.replace(At, 5, Dir);
  return Text;
}

TEST_F(SimulatorCommandLine, AcceptsTheEngineForms) {
  const AcceptedCase Cases[] = {
      {"nosnapshot", false, "-ouegui -product orvane -nosnapshot -dir \"%DIR%\"", "%DIR%", false, "SNAPSHOT=NONE"},
      {"snapshot", false, "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"%DIR%\"", "%DIR%", true,
       "SNAPSHOT=D:"},
      {"quoted program", true, "-ouegui -product orvane -snapshotlocation \"R:\" -dir \"%DIR%\"", "%DIR%", true,
       "SNAPSHOT=R:"},
      {"doubled backslash before the closing quote", false, "-ouegui -product orvane -nosnapshot -dir \"%DIR%\\\\\"",
       "%DIR%\\", false, "SNAPSHOT=NONE"},
      {"other order", false, "-dir \"%DIR%\" -nosnapshot -product orvane -ouegui", "%DIR%", false, "SNAPSHOT=NONE"},
  };
  for (const AcceptedCase& C : Cases) {
    SCOPED_TRACE(C.name);
    SimLaunch Launch;
    if (C.quoteProgram) Launch.program = Quoted(Launch.program);
    Launch.arguments = Fill(C.arguments, updates_.Path());
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(0u, Run.exitCode) << Run.output;
    const auto Lines = SplitLines(Run.output);
    EXPECT_TRUE(HasLine(Lines, "[PARAM]: PRODUCT=orvane")) << Run.output;
    EXPECT_TRUE(HasLine(Lines, "[PARAM]: DIR=" + Fill(C.dirShown, updates_.Path()))) << Run.output;
    EXPECT_TRUE(HasLine(Lines, std::string("[PARAM]: ") + C.snapshotParam)) << Run.output;
    EXPECT_EQ(C.snapshotSection, HasLine(Lines, "[SECTION]: Snapshot")) << Run.output;
    EXPECT_TRUE(HasLine(Lines, "[SECTION]: Update Orvane-3.1.0.0")) << Run.output;
  }
}

struct RefusedCase {
  std::string arguments;
  std::string error;  // one of the [Error] lines
};

TEST(SimulatorCommandLineRefused, SaysWhatIsWrongAndGivesNoResult) {
  const RefusedCase Cases[] = {
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
      {"-ouegui -ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"",
       "[Error]: argument -ouegui given more than once"},
      {"-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\" -dir \"C:\\Upd\"",
       "[Error]: argument -dir given more than once"},
  };
  for (const RefusedCase& C : Cases) {
    SCOPED_TRACE(C.arguments);
    SimLaunch Launch;
    Launch.arguments = C.arguments;
    const SimResult Run = RunSimulator(Launch);
    ASSERT_TRUE(Run.finished);
    EXPECT_EQ(2u, Run.exitCode) << Run.output;
    const auto Lines = SplitLines(Run.output);
    EXPECT_TRUE(HasLine(Lines, C.error)) << Run.output;
    ASSERT_FALSE(Lines.empty());
    for (const std::string& Line : Lines) EXPECT_EQ(0u, Line.rfind("[Error]: ", 0)) << Line;
    EXPECT_EQ(std::string::npos, Run.output.find("[Result]:")) << Run.output;
  }
}

// The wizard does not quote the program path; a path with blanks must still work.
TEST(SimulatorProgramPath, UnquotedPathWithBlanks) {
  TTempFolder Folder;
  Folder.MakeFolder("engine with blanks");
  const std::string Program = Folder.File("engine with blanks\\oue.exe");
  ASSERT_TRUE(CopyFileA(SimulatorPath().c_str(), Program.c_str(), FALSE));
  SimLaunch Launch;
  Launch.program = Program;
  Launch.nameProgram = true;
  Launch.arguments = "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"";
  Launch.environment = {{"OUE_SIM_SCENARIO", WriteScenario(Folder, "line accepted\r\n")}};
  const SimResult Run = RunSimulator(Launch);
  ASSERT_TRUE(Run.finished);
  EXPECT_EQ(0u, Run.exitCode) << Run.output;
  EXPECT_EQ("accepted\r\n", Run.output);
}

}  // namespace
}  // namespace simtest
