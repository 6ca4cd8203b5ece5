// Starting children, judging them alive, and finding them by name: with real
// processes (copies of the test program under the names the tests need).
#include "TestSupport.h"

#include "utils/AsciiCase.h"
#include "utils/NodeInfo.h"
#include "utils/win32/Processes.h"
#include "wizard/EngineRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string BaseNameOf(const std::string& Path) { return Path.substr(Path.find_last_of('\\') + 1); }

std::string HandleText(HANDLE Handle) {
  char Text[32];
  std::snprintf(Text, sizeof(Text), "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(Handle)));
  return Text;
}

TEST(IsProcessAlive, IdentifierZeroIsNeverAlive) {
  EXPECT_FALSE(IsProcessAlive(0));
  EXPECT_FALSE(IsProcessAlive(0, nullptr));
}

TEST(IsProcessAlive, ThisProcessIsAlive) { EXPECT_TRUE(IsProcessAlive(GetCurrentProcessId())); }

TEST(IsProcessAlive, AStartedChildIsDeadRightAfterItExitsWhileItsHandleIsHeld) {
  TKernelHandle Process;
  DWORD Id =
      StartChildProcess(EngineCommandLine(SelfPath(), "--child=exit:3"), false, nullptr, nullptr, nullptr, &Process);
  ASSERT_NE(Id, 0u);
  ASSERT_TRUE(Process);
  ASSERT_EQ(WaitForSingleObject(Process.Get(), 10000), WAIT_OBJECT_0);
  EXPECT_FALSE(IsProcessAlive(Id, Process.Get())) << "an exited child still counts as alive";
  DWORD Code = 0;
  GetExitCodeProcess(Process.Get(), &Code);
  EXPECT_EQ(Code, 3u) << "the arguments did not reach the child";
}

TEST(IsProcessAlive, ARunningChildIsAliveByHandleAndByIdentifier) {
  TChild Child("echo");
  EXPECT_TRUE(IsProcessAlive(Child.Id(), Child.Process()));
  EXPECT_TRUE(IsProcessAlive(Child.Id()));
  WriteLine(Child.Input, "quit");
  ASSERT_TRUE(Child.WaitForExit());
  EXPECT_FALSE(IsProcessAlive(Child.Id(), Child.Process()));
}

TEST(StartChildProcess, AFailedStartGivesZero) {
  TKernelHandle Process;
  EXPECT_EQ(
      StartChildProcess(EngineCommandLine("C:\\no\\such\\program.exe", ""), false, nullptr, nullptr, nullptr, &Process),
      0u);
  EXPECT_FALSE(Process);
}

// The child sets an inheritable event by its handle value, which works only
// if the handle was inherited, and reports its start-up flags.
struct TProbe {
  bool EventSet;
  DWORD Flags;
  DWORD ShowWindow;
};

TProbe Probe(bool GiveHandles, bool ShowMinimized) {
  SECURITY_ATTRIBUTES Inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  TKernelHandle Event(CreateEventA(&Inheritable, TRUE, FALSE, nullptr));
  TPipeStream Output(TPipeStream::ReadEnd, 1);
  HANDLE Out = GiveHandles ? Output.OtherEndHandle() : nullptr;
  TKernelHandle Process;
  DWORD Id = StartChildProcess(EngineCommandLine(SelfPath(), "--child=probe:" + HandleText(Event.Get())), ShowMinimized,
                               nullptr, Out, Out, &Process);
  EXPECT_NE(Id, 0u);
  EXPECT_EQ(WaitForSingleObject(Process.Get(), 10000), WAIT_OBJECT_0);
  DWORD Code = 0;
  GetExitCodeProcess(Process.Get(), &Code);
  return {WaitForSingleObject(Event.Get(), 0) == WAIT_OBJECT_0, Code & 0xFFFF, Code >> 16};
}

TEST(StartChildProcess, WithNoHandlesInheritsNone) {
  TProbe Result = Probe(false, false);
  EXPECT_FALSE(Result.EventSet) << "the child inherited the caller's handles";
  EXPECT_EQ(Result.Flags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
  EXPECT_EQ(Result.ShowWindow, static_cast<DWORD>(SW_HIDE));
}

// The standard handles given, and no other inheritable handle of the
// caller's: under a fleet tool those include the tool's own output pipes.
TEST(StartChildProcess, WithHandlesInheritsThoseAndNoOther) {
  TProbe Result = Probe(true, false);
  EXPECT_FALSE(Result.EventSet) << "the child inherited an inheritable handle it was not given";
  EXPECT_EQ(Result.Flags, static_cast<DWORD>(STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES));
  EXPECT_EQ(Result.ShowWindow, static_cast<DWORD>(SW_HIDE));
}

TEST(StartChildProcess, ShowMinimizedAsksForAMinimizedWindow) {
  TProbe Result = Probe(false, true);
  EXPECT_EQ(Result.ShowWindow, static_cast<DWORD>(SW_SHOWMINIMIZED));
}

TEST(StartChildProcess, AProgramFolderWithABlankStartsTheRightProgram) {
  TTempFolder Folder;
  const std::string Updates = Folder / "Orvane Updates";
  MakeDirectories(Updates);
  const std::string Program = Updates + "\\oue.exe";
  CopyProgram(Program);
  CopyProgram(Folder / "Orvane.exe");  // what an unquoted command line would start

  TChild Child("whoami", Program);
  EXPECT_EQ(WaitForLine(Child.Output), Program);
  EXPECT_EQ(WaitForLine(Child.Output), "\"" + Program + "\" --child=whoami")
      << "the command line is the quoted path, one blank, the arguments";
  EXPECT_TRUE(Child.WaitForExit());
}

TEST(ListProcesses, ThisProcessIsListed) {
  std::vector<DWORD> Ids(2048);
  DWORD Count = ListProcessIds(Ids.data(), 2047);
  ASSERT_GT(Count, 0u);
  ASSERT_LE(Count, 2048u);
  bool Found = false;
  for (DWORD I = 0; I < Count; ++I) Found = Found || Ids[I] == GetCurrentProcessId();
  EXPECT_TRUE(Found);
  DWORD One[1];
  EXPECT_EQ(ListProcessIds(One, 0), 1u) << "room for one gives one";
}

TEST(ListProcesses, ModulesReportMoreThanTheRoomGiven) {
  HMODULE Modules[1] = {nullptr};
  DWORD Count = ListProcessModules(GetCurrentProcess(), Modules, 0);
  EXPECT_GT(Count, 1u) << "the count is what the system reports, not what fitted";
  EXPECT_EQ(Modules[0], GetModuleHandleA(nullptr)) << "the first module is the executable";
  EXPECT_EQ(ListProcessModules(nullptr, Modules, 0), 0u);
}

TEST(GetProcessModuleName, NamesTheExecutable) {
  EXPECT_EQ(AsciiUpperCase(GetProcessModuleName(GetCurrentProcessId())), AsciiUpperCase(BaseNameOf(SelfPath())));
  EXPECT_EQ(GetProcessModuleName(0), "");
}

TEST(GetProcessModuleName, NamesAChildInItsFirstMoments) {
  TTempFolder Folder;
  const std::string Program = Folder / "Fresh.exe";
  CopyProgram(Program);
  TKernelHandle Process;
  DWORD Id =
      StartChildProcess(EngineCommandLine(Program, "--child=sleep:3000"), false, nullptr, nullptr, nullptr, &Process);
  ASSERT_NE(Id, 0u);
  EXPECT_EQ(GetProcessModuleName(Id), "Fresh.exe");
  TerminateProcess(Process.Get(), 0);
  WaitForSingleObject(Process.Get(), 5000);
}

// A process created suspended has not loaded its modules: as in its first
// moments, or as a 64-bit process seen from the 32-bit wizard, the module
// list is empty and only its image path names it.
class TSuspendedProcess {
 public:
  explicit TSuspendedProcess(const std::string& Program) {
    TLaunchOptions Suspended;
    Suspended.CreationFlags = CREATE_SUSPENDED;
    Suspended.NameProgram = false;
    FProcess.Launch(Program, "--child=exit:0", {}, "", Suspended);
  }
  DWORD Id() const { return FProcess.Id(); }
  HANDLE Process() const { return FProcess.Handle(); }

 private:
  TChildProcess FProcess;
};

TEST(GetProcessModuleName, NamesAProcessWhoseModulesCannotBeListed) {
  TTempFolder Folder;
  CopyProgram(Folder / "Starting.exe");
  TSuspendedProcess Starting(Folder / "Starting.exe");
  ASSERT_NE(Starting.Id(), 0u);
  HMODULE Module = nullptr;
  EXPECT_EQ(ListProcessModules(Starting.Process(), &Module, 0), 0u) << "the modules can be listed after all";
  EXPECT_EQ(GetProcessModuleName(Starting.Id()), "Starting.exe");
}

TEST(FindProcessByName, FindsAnEngineWhoseModulesCannotBeListed) {
  TTempFolder Folder;
  CopyProgram(Folder / "oue.exe");
  TSuspendedProcess Engine(Folder / "oue.exe");
  ASSERT_NE(Engine.Id(), 0u);
  EXPECT_EQ(FindProcessByName("OUE.exe"), Engine.Id());
}

TEST(FindProcessByName, FindsTheNameInAnyCaseAndNoOtherName) {
  TTempFolder Folder;
  CopyProgram(Folder / "OUE.EXE");
  CopyProgram(Folder / "oue2.exe");
  EXPECT_EQ(FindProcessByName("oue.exe"), 0u) << "an engine is running before the test";

  TKernelHandle Other, Engine;
  DWORD OtherId = StartChildProcess(EngineCommandLine(Folder / "oue2.exe", "--child=sleep:20000"), false, nullptr,
                                    nullptr, nullptr, &Other);
  ASSERT_NE(OtherId, 0u);
  EXPECT_EQ(FindProcessByName("oue.exe"), 0u) << "oue2.exe taken for oue.exe";

  DWORD EngineId = StartChildProcess(EngineCommandLine(Folder / "OUE.EXE", "--child=sleep:20000"), false, nullptr,
                                     nullptr, nullptr, &Engine);
  ASSERT_NE(EngineId, 0u);
  EXPECT_EQ(FindProcessByName("oue.exe"), EngineId);
  EXPECT_EQ(FindProcessByName("Oue.Exe"), EngineId);
  EXPECT_EQ(FindProcessByName("oue"), 0u);
  EXPECT_EQ(FindProcessByName(""), 0u);

  TerminateProcess(Engine.Get(), 0);
  WaitForSingleObject(Engine.Get(), 5000);
  Engine.Reset();
  EXPECT_EQ(FindProcessByName("oue.exe"), 0u) << "an ended engine is still found";
  TerminateProcess(Other.Get(), 0);
  WaitForSingleObject(Other.Get(), 5000);
}

}  // namespace
