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
  auto Start = GetRegistryText(RunOnce, "StartOUpdate");
  ASSERT_TRUE(Start);
  EXPECT_EQ(Start->Type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Start->Text, "\"" + SelfPath() + "\"");
  auto Delete = GetRegistryText(RunOnce, "DeleteOUERebootFlag");
  ASSERT_TRUE(Delete);
  EXPECT_EQ(Delete->Type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(Delete->Text, DeleteCommand);
}

TEST_F(RestartRegistration, TwiceRewritesTheStartAndKeepsTheFirstDelete) {
  RegisterRestartAfterReboot();
  SetRegistryText(RunOnce, "StartOUpdate", "stale");
  SetRegistryText(RunOnce, "DeleteOUERebootFlag", "CMD /c rem earlier", REG_EXPAND_SZ);
  RegisterRestartAfterReboot();
  EXPECT_EQ(GetRegistryText(RunOnce, "StartOUpdate").value_or(TRegistryText{}).Text, "\"" + SelfPath() + "\"");
  EXPECT_EQ(GetRegistryText(RunOnce, "DeleteOUERebootFlag").value_or(TRegistryText{}).Text, "CMD /c rem earlier");
}

TEST_F(RestartRegistration, TheStartIsTheProgramWhateverTheWorkingFolder) {
  TTempFolder Elsewhere;
  char Previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof(Previous), Previous);
  ASSERT_TRUE(SetCurrentDirectoryA(Elsewhere.Path().c_str()));
  RegisterRestartAfterReboot();
  SetCurrentDirectoryA(Previous);
  EXPECT_EQ(GetRegistryText(RunOnce, "StartOUpdate").value_or(TRegistryText{}).Text, "\"" + SelfPath() + "\"");
}

// Runs the registered command as the platform does at logon: expanded with
// the environment of that moment, started through the command interpreter.
TEST_F(RestartRegistration, TheDeleteCommandDeletesExactlyTheFlagWithABlankInTheInstallRoot) {
  TTempFolder Folder;
  const std::string Home = Folder / "Kelvra Home";
  const std::string FlagFolder = Home + "\\DantorKelvra\\support\\patches\\admin";
  CreateFolders(FlagFolder);
  const std::string Flag = FlagFolder + "\\oueRebootCheck.txt";
  const std::string Neighbour = FlagFolder + "\\keep.txt";
  // What the pieces of an unquoted path would name.
  const std::string FirstPiece = Folder / "Kelvra";
  const std::string RestFolder = Folder / "Home\\DantorKelvra\\support\\patches\\admin";
  CreateFolders(RestFolder);
  const std::string RestPiece = RestFolder + "\\oueRebootCheck.txt";
  for (const std::string& File : {Flag, Neighbour, FirstPiece, RestPiece}) WriteFileText(File, "x");

  RegisterRestartAfterReboot();
  auto Registered = GetRegistryText(RunOnce, "DeleteOUERebootFlag");
  ASSERT_TRUE(Registered);

  std::string Saved = ReadEnvironmentVariable("KelvraHome");
  SetEnvironmentVariableA("KelvraHome", Home.c_str());
  char Expanded[4096];
  ExpandEnvironmentStringsA(Registered->Text.c_str(), Expanded, sizeof(Expanded));
  SetEnvironmentVariableA("KelvraHome", Saved.empty() ? nullptr : Saved.c_str());

  std::string CommandLine = Expanded;
  ASSERT_NE(CommandLine.find(Home), std::string::npos) << CommandLine;
  STARTUPINFOA Startup{};
  Startup.cb = sizeof(Startup);
  Startup.dwFlags = STARTF_USESHOWWINDOW;
  Startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION Started{};
  // Started in the folder that holds the pieces, so an unquoted path would
  // reach them.
  ASSERT_TRUE(CreateProcessA(nullptr, &CommandLine[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                             Folder.Path().c_str(), &Startup, &Started))
      << "cannot run " << CommandLine;
  TKernelHandle Process(Started.hProcess), Thread(Started.hThread);
  ASSERT_EQ(WaitForSingleObject(Process.Get(), 30000), WAIT_OBJECT_0);

  EXPECT_FALSE(FileExists(Flag)) << "the flag file is still there";
  EXPECT_TRUE(FileExists(Neighbour));
  EXPECT_TRUE(FileExists(FirstPiece)) << "a file named by part of the path was deleted";
  EXPECT_TRUE(FileExists(RestPiece)) << "a file named by part of the path was deleted";
}

}  // namespace
