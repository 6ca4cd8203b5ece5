// The harness itself: environment blocks, child processes, the node world and
// the driver's refusals. A harness that quietly does the wrong thing would let
// every end-to-end test pass for the wrong reason.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Driver.h"
#include "DriverError.h"
#include "Files.h"
#include "RegistryAccess.h"
#include "World.h"
#include "WizardFixture.h"

namespace {

std::string Block(const std::vector<std::string>& Entries) {
  std::string Out;
  for (const std::string& Entry : Entries) Out += Entry + '\0';
  if (Entries.empty()) Out += '\0';
  return Out + '\0';
}

// The block with its zeros shown as "|", for failure messages.
std::string Shown(std::string Text) {
  for (char& C : Text)
    if (C == '\0') C = '|';
  return Text;
}

std::string ThisProgram() {
  char Path[MAX_PATH * 2] = {};
  DWORD Length = GetModuleFileNameA(nullptr, Path, sizeof Path);
  return std::string(Path, Length);
}

// The message of the TDriverError that Action throws, or "" when none.
template <class TAction>
std::string DriverErrorOf(TAction&& Action) {
  try {
    Action();
  } catch (const TDriverError& Error) {
    return Error.what();
  }
  return std::string();
}

}  // namespace

// ---- environment blocks ----

TEST(HarnessEnvironment, AppliesChangesToTheInheritedBlock) {
  const std::vector<std::string> Base = {"=C:=C:\\work", "Path=C:\\windows", "KelvraHome=D:\\old", "TEMP=C:\\tmp"};
  const struct {
    const char* What;
    TEnvironment Changes;
    std::vector<std::string> Expected;
  } Cases[] = {
      {"no change", {}, Base},
      {"replace, any letter case",
       {{"KELVRAHOME", "C:\\Kelvra"}},
       {"=C:=C:\\work", "Path=C:\\windows", "KelvraHome=C:\\Kelvra", "TEMP=C:\\tmp"}},
      {"remove", {{"kelvrahome", std::nullopt}}, {"=C:=C:\\work", "Path=C:\\windows", "TEMP=C:\\tmp"}},
      {"add at the end",
       {{"OUE_SIM_SCENARIO", "flood"}},
       {"=C:=C:\\work", "Path=C:\\windows", "KelvraHome=D:\\old", "TEMP=C:\\tmp", "OUE_SIM_SCENARIO=flood"}},
      {"defined but empty", {{"KelvraHome", ""}}, {"=C:=C:\\work", "Path=C:\\windows", "KelvraHome=", "TEMP=C:\\tmp"}},
      {"remove what is not there", {{"NOT_THERE", std::nullopt}}, Base},
  };
  for (const auto& Case : Cases) {
    std::string Got = BuildEnvironmentBlock(Base, Case.Changes);
    EXPECT_EQ(Block(Case.Expected), Got) << Case.What << ": got " << Shown(Got);
  }
}

TEST(HarnessEnvironment, AnEmptyBlockStillEndsWithTwoZeros) {
  EXPECT_EQ(std::string(2, '\0'), BuildEnvironmentBlock({}, {}));
  EXPECT_EQ(std::string(2, '\0'), BuildEnvironmentBlock({"A=1"}, {{"a", std::nullopt}}));
}

TEST(HarnessEnvironment, RejectsNamesWindowsCannotHold) {
  EXPECT_THROW(BuildEnvironmentBlock({}, {{"", "x"}}), TDriverError);
  EXPECT_NE(std::string::npos, DriverErrorOf([] { BuildEnvironmentBlock({}, {{"A=B", "x"}}); }).find("\"A=B\""));
}

// ---- child processes ----

TEST(HarnessProcess, PassesEnvironmentWorkingFolderAndExitCode) {
  TWorld World("Harness.ChildEnvironment");
  const std::string Work = World.Root() + "work";
  ASSERT_TRUE(MakeDirectories(Work));
  const std::string Report = World.Root() + "report.txt";
  SetEnvironmentVariableA("OUPD_HARNESS_GONE", "inherited");
  SetEnvironmentVariableA("OUPD_HARNESS_KEPT", "inherited");
  TChildProcess Child;
  Child.Launch(ThisProgram(),
               "--harness-child-env \"" + Report +
                   "\" OUPD_HARNESS_SET OUPD_HARNESS_GONE OUPD_HARNESS_KEPT "
                   "OUPD_HARNESS_EMPTY",
               {{"OUPD_HARNESS_SET", "value 1"}, {"oupd_harness_gone", std::nullopt}, {"OUPD_HARNESS_EMPTY", ""}},
               Work);
  SetEnvironmentVariableA("OUPD_HARNESS_GONE", nullptr);
  SetEnvironmentVariableA("OUPD_HARNESS_KEPT", nullptr);
  ASSERT_TRUE(Child.WaitExit(DefaultTimeoutMs));
  EXPECT_EQ(7u, Child.ExitCode().value_or(999));
  EXPECT_EQ("cwd=" + Work +
                "\nOUPD_HARNESS_SET=value 1\nOUPD_HARNESS_GONE unset\nOUPD_HARNESS_KEPT=inherited\n"
                "OUPD_HARNESS_EMPTY=\n",
            ReadFileBytes(Report).value_or("(no report)"));
}

TEST(HarnessProcess, KillEndsTheChildAndTellsItHasEnded) {
  TChildProcess Child;
  EXPECT_FALSE(Child.ExitCode().has_value());
  Child.Launch(ThisProgram(), "--harness-child-sleep", {}, "");
  EXPECT_TRUE(Child.Running());
  EXPECT_FALSE(Child.WaitExit(50));
  EXPECT_FALSE(Child.ExitCode().has_value());
  Child.Kill();
  EXPECT_FALSE(Child.Running());
  EXPECT_EQ(1u, Child.ExitCode().value_or(999));
}

TEST(HarnessProcess, AProgramThatCannotStartIsAClearError) {
  TChildProcess Child;
  std::string Error = DriverErrorOf([&] { Child.Launch("C:\\OUpdTest\\no such program.exe", "", {}, ""); });
  EXPECT_NE(std::string::npos, Error.find("no such program.exe")) << Error;
  EXPECT_FALSE(Child.Started());
}

// ---- the node world ----

TEST(HarnessWorld, SeedsTheUsualNode) {
  TWorld World("Harness.Seed");
  World.SeedTypicalNode();
  const struct {
    std::string Key, Name, Value;
  } Values[] = {
      {TWorld::PlatformKey(), "CurrentRelease", "3.0.3"},
      {TWorld::ProductKey(), "UpdateLevel", "3.0.3.2"},
      {std::string(TWorld::PlatformKey()) + "\\3.0.3\\Default\\System", "PrimaryNodeName", TWorld::ComputerName()},
      {std::string(TWorld::PlatformKey()) + "\\3.0.3\\Default\\System", "MaintenanceMode", "ON"},
  };
  for (const auto& Expected : Values) {
    std::optional<TRegistryValue> Got = ReadRegistryValue(Expected.Key, Expected.Name);
    ASSERT_TRUE(Got.has_value()) << Expected.Key << " " << Expected.Name << " is missing";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Got->Type) << Expected.Name;
    EXPECT_EQ(Expected.Value, Got->Data) << Expected.Name;
  }
  EXPECT_FALSE(ReadRegistryValue(World.SystemKeyPath(), "pid").has_value());
  EXPECT_FALSE(ReadRegistryValue(World.SystemKeyPath(), "DatabaseBackupPid").has_value());
  EXPECT_FALSE(TWorld::ComputerName().empty());
  EXPECT_TRUE(DirectoryExists(World.SupportBinDir())) << World.SupportBinDir();
  EXPECT_EQ(World.InstallRoot(), World.Environment().at("KelvraHome").value_or("(unset)"));
  EXPECT_EQ(World.InstallRoot() + "\\DantorKelvra\\Support\\patches\\admin\\oueRebootCheck.txt",
            World.RebootFlagPath());
}

TEST(HarnessWorld, ResetLeavesNothingBehind) {
  TWorld World("Harness.Reset");
  World.SeedTypicalNode();
  World.SetSystemDword("pid", 42);
  World.CreateRebootFlag();
  World.MakeUpdateFolder("u", {{"Orvane-3.1.0.0.oue", true}});
  WriteRegistryString(TWorld::RunOnceKey(), "StartOUpdate", "C:\\x\\OUpdate.exe");
  WriteRegistryString(TWorld::RunOnceKey(), "DeleteOUERebootFlag", "CMD /c Del %KelvraHome%\\x", REG_EXPAND_SZ);
  unsigned long Type = 0;
  ASSERT_EQ("CMD /c Del %KelvraHome%\\x", World.RunOnceValue("DeleteOUERebootFlag", &Type).value_or(""));
  EXPECT_EQ(static_cast<unsigned long>(REG_EXPAND_SZ), Type);
  ASSERT_TRUE(FileExists(World.RebootFlagPath()));

  World.Reset();
  EXPECT_FALSE(RegistryKeyExists("Software\\Dantor"));
  EXPECT_FALSE(World.RunOnceValue("StartOUpdate").has_value());
  EXPECT_FALSE(World.RunOnceValue("DeleteOUERebootFlag").has_value());
  EXPECT_FALSE(DirectoryExists(World.Root())) << World.Root();
}

TEST(HarnessWorld, MakesUpdateFoldersWithHiddenFilesAndFolders) {
  TWorld World("Harness.Updates");
  std::string Folder = World.MakeUpdateFolder(
      "mixed", {{"Orvane-3.1.0.1.oue"}, {"Orvane-3.1.0.2.oue", true}, {"Orvane-3.1.0.3.oue", false, true}});
  EXPECT_EQ(World.Root() + "updates\\mixed\\", Folder);
  const struct {
    const char* Name;
    DWORD Set, Clear;
  } Expected[] = {
      {"Orvane-3.1.0.1.oue", 0, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY},
      {"Orvane-3.1.0.2.oue", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_DIRECTORY},
      {"Orvane-3.1.0.3.oue", FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_HIDDEN},
  };
  for (const auto& File : Expected) {
    DWORD Attributes = GetFileAttributesA((Folder + File.Name).c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, Attributes) << File.Name;
    EXPECT_EQ(File.Set, Attributes & File.Set) << File.Name << " attributes " << Attributes;
    EXPECT_EQ(0u, Attributes & File.Clear) << File.Name << " attributes " << Attributes;
  }
}

TEST(HarnessWorld, HandsTheEngineSimulatorItsSettings) {
  TWorld World("Harness.Engine");
  const std::string Path = World.UseScenario("flood.txt", "line one\r\n");
  EXPECT_EQ(World.Root() + "scenarios\\flood.txt", Path);
  EXPECT_EQ("line one\r\n", ReadFileBytes(Path).value_or("(missing)"));
  World.SetEngineDelayMs(0);
  World.SetEngineNeedsReboot(true);
  const TEnvironment Expected = {{"KelvraHome", World.InstallRoot()},
                                 {"OUE_SIM_SCENARIO", Path},
                                 {"OUE_SIM_DELAY_MS", "0"},
                                 {"OUE_SIM_NEED_REBOOT", "1"}};
  EXPECT_EQ(Expected, World.Environment());
  World.UnsetEnv("KelvraHome");
  EXPECT_FALSE(World.Environment().at("KelvraHome").has_value());
}

TEST(HarnessWorld, InstallsTheWizardAndTheEngine) {
  TWorld World("Harness.Install");
  World.InstallWizard();
  EXPECT_TRUE(FileExists(World.WizardExe())) << World.WizardExe();
  EXPECT_TRUE(FileExists(World.EngineExe())) << World.EngineExe();
  TWorld Bare("Harness.InstallBare");
  Bare.InstallWizard(false);
  EXPECT_TRUE(FileExists(Bare.WizardExe()));
  EXPECT_FALSE(FileExists(Bare.EngineExe()));
}

TEST(HarnessWorld, EndsLeftoverProgramsOfItsFolder) {
  TWorld World("Harness.Leftovers");
  const std::string Copy = World.WizardDir() + "leftover.exe";
  ASSERT_TRUE(MakeDirectories(World.WizardDir()));
  ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), Copy.c_str(), FALSE));
  TChildProcess Child;
  Child.Launch(Copy, "--harness-child-sleep", {}, "");
  TChildProcess Outsider;  // the same program outside the world stays
  Outsider.Launch(ThisProgram(), "--harness-child-sleep", {}, "");
  EXPECT_EQ(1, KillProcessesUnder(World.Root()));
  EXPECT_TRUE(Child.WaitExit(DefaultTimeoutMs));
  EXPECT_TRUE(Outsider.Running());
  Outsider.Kill();
}

// ---- the driver's refusals ----

TEST(HarnessDriver, RefusesWhatItCannotDo) {
  TWizardDriver Driver;
  EXPECT_NE(std::string::npos, DriverErrorOf([&] { Driver.Text("btNext"); }).find("no wizard has been launched"));
  EXPECT_NE(std::string::npos, DriverErrorOf([&] { Driver.Click("btNxet"); }).find("unknown control name \"btNxet\""));
  EXPECT_NE(std::string::npos, DriverErrorOf([&] { Driver.Control("TabSheet4"); }).find("\"TabSheet4\""));
  std::string Why;
  EXPECT_FALSE(Driver.WaitWindow(100, &Why));
  EXPECT_EQ("no wizard has been launched", Why);
  EXPECT_FALSE(Driver.WaitMessageBox(0).has_value());
}

TEST(HarnessDriver, TellsWhyNoWindowShowed) {
  TWizardDriver Driver;
  Driver.Launch(ThisProgram(), "--harness-child-sleep");
  std::string Why;
  EXPECT_FALSE(Driver.WaitWindow(300, &Why));
  EXPECT_EQ("no window of class TLauncherForm within 300 ms", Why);
  Driver.Kill();
  EXPECT_FALSE(Driver.WaitWindow(300, &Why));
  EXPECT_EQ("the wizard ended before its window showed, exit code 1", Why);
  EXPECT_NE(std::string::npos, DriverErrorOf([&] { Driver.Text("btNext"); }).find("exit code 1"));
}

// ---- the driver against the wizard ----

class HarnessOnWizard : public TWizardTest {};

TEST_F(HarnessOnWizard, RefusesWhatAnOperatorCouldNotDo) {
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  const struct {
    const char* What;
    std::function<void()> Action;
    const char* Message;
  } Cases[] = {
      {"click a hidden button", [&] { W.Click("btPrev"); }, "cannot click btPrev: it is hidden"},
      {"pick past the list's end", [&] { W.SelectCombo("cbLocale", 4); }, "cbLocale: it has 4 items"},
      {"pick before the list", [&] { W.SelectCombo("cbLocale", -1); }, "cbLocale: it has 4 items"},
      {"read a combo as a list", [&] { W.GridRows("cbLocale"); }, "not a list view"},
  };
  for (const auto& Case : Cases) {
    std::string Error = DriverErrorOf(Case.Action);
    EXPECT_NE(std::string::npos, Error.find(Case.Message)) << Case.What << ": got \"" << Error << "\"";
  }
  EXPECT_EQ(0, W.ComboSelection("cbLocale"));
  EXPECT_TRUE(W.NoMessageBoxFor(200)) << OpenBoxes();

  // The refusals changed nothing, so a key still reaches the control it names.
  SCOPED_TRACE("KeysReachTheNamedControl");
  W.PressKeyOn("btExit", VK_SPACE);
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();
}
