// The restart after a reboot: what is written to RunOnce, and what the
// registered delete command does when the platform runs it.
#include "RegistrySandbox.h"
#include "TestSupport.h"

#include "utils/win32/RestartRegistration.h"
#include "utils/win32/SystemInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string RunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::string DeleteCommand =
    "CMD /c Del \"%KelvraHome%\\DantorKelvra\\support\\patches\\admin\\oueRebootCheck.txt\"";

class RestartRegistration : public ::testing::Test {
 protected:
  TRegistrySandbox Sandbox;
};

TEST_F(RestartRegistration, WritesTheProgramItselfAndTheDeleteCommand) {
  RegisterRestartAfterReboot();
  auto Start = ReadRegistryValue(RunOnce, "StartOUpdate");
  ASSERT_TRUE(Start);
  EXPECT_EQ(Start->Type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Start->Data, "\"" + SelfPath() + "\"");
  auto Delete = ReadRegistryValue(RunOnce, "DeleteOUERebootFlag");
  ASSERT_TRUE(Delete);
  EXPECT_EQ(Delete->Type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(Delete->Data, DeleteCommand);
}

TEST_F(RestartRegistration, TwiceRewritesTheStartAndKeepsTheFirstDelete) {
  RegisterRestartAfterReboot();
  WriteRegistryString(RunOnce, "StartOUpdate", "stale");
  WriteRegistryString(RunOnce, "DeleteOUERebootFlag", "CMD /c rem earlier", REG_EXPAND_SZ);
  RegisterRestartAfterReboot();
  EXPECT_EQ(ReadRegistryValue(RunOnce, "StartOUpdate").value_or(TRegistryValue{}).Data, "\"" + SelfPath() + "\"");
  EXPECT_EQ(ReadRegistryValue(RunOnce, "DeleteOUERebootFlag").value_or(TRegistryValue{}).Data, "CMD /c rem earlier");
}

TEST_F(RestartRegistration, TheStartIsTheProgramWhateverTheWorkingFolder) {
  TTempFolder Elsewhere;
  char Previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof(Previous), Previous);
  ASSERT_TRUE(SetCurrentDirectoryA(Elsewhere.Path().c_str()));
  RegisterRestartAfterReboot();
  SetCurrentDirectoryA(Previous);
  EXPECT_EQ(ReadRegistryValue(RunOnce, "StartOUpdate").value_or(TRegistryValue{}).Data, "\"" + SelfPath() + "\"");
}

// Runs the registered command as the platform does at logon: expanded with
// the environment of that moment, started through the command interpreter.
TEST_F(RestartRegistration, TheDeleteCommandDeletesExactlyTheFlagWithABlankInTheInstallRoot) {
  TTempFolder Folder;
  const std::string Home = Folder / "Kelvra Home";
  const std::string FlagFolder = Home + "\\DantorKelvra\\support\\patches\\admin";
  MakeDirectories(FlagFolder);
  const std::string Flag = FlagFolder + "\\oueRebootCheck.txt";
  const std::string Neighbour = FlagFolder + "\\keep.txt";
  // What the pieces of an unquoted path would name.
  const std::string FirstPiece = Folder / "Kelvra";
  const std::string RestFolder = Folder / "Home\\DantorKelvra\\support\\patches\\admin";
  MakeDirectories(RestFolder);
  const std::string RestPiece = RestFolder + "\\oueRebootCheck.txt";
  for (const std::string& File : {Flag, Neighbour, FirstPiece, RestPiece}) WriteFileBytes(File, "x");

  RegisterRestartAfterReboot();
  auto Registered = ReadRegistryValue(RunOnce, "DeleteOUERebootFlag");
  ASSERT_TRUE(Registered);

  std::string Saved = ReadEnvironmentVariable("KelvraHome");
  SetEnvironmentVariableA("KelvraHome", Home.c_str());
  char Expanded[4096];
  ExpandEnvironmentStringsA(Registered->Data.c_str(), Expanded, sizeof(Expanded));
  SetEnvironmentVariableA("KelvraHome", Saved.empty() ? nullptr : Saved.c_str());

  std::string CommandLine = Expanded;
  ASSERT_NE(CommandLine.find(Home), std::string::npos) << CommandLine;
  // As the shell runs it: the line as written, in a console of its own.
  TLaunchOptions AsWritten;
  AsWritten.CreationFlags = CREATE_NEW_CONSOLE;
  AsWritten.Hidden = true;
  AsWritten.QuoteProgram = AsWritten.NameProgram = false;
  TChildProcess Process;
  // Started in the folder that holds the pieces, so an unquoted path would
  // reach them.
  ASSERT_NO_THROW(Process.Launch(CommandLine, "", {}, Folder.Path(), AsWritten)) << "cannot run " << CommandLine;
  ASSERT_TRUE(Process.WaitExit(30000));

  EXPECT_FALSE(FileExists(Flag)) << "the flag file is still there";
  EXPECT_TRUE(FileExists(Neighbour));
  EXPECT_TRUE(FileExists(FirstPiece)) << "a file named by part of the path was deleted";
  EXPECT_TRUE(FileExists(RestPiece)) << "a file named by part of the path was deleted";
}

}  // namespace
