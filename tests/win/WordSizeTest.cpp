// What a program meets because of its word size. The shipped wizard and the
// simulator are 32-bit: on a 64-bit Windows their HKLM\Software is the
// Wow6432Node view, and they cannot read the module list of a 64-bit process.
// Each case states the view or the process kind for the word size this test
// program was built with, so the 32-bit build checks the shipped program's
// world and the 64-bit build its own.
#include "RegistrySandbox.h"
#include "SimulatorHarness.h"
#include "TestSupport.h"

#include "utils/win32/Processes.h"
#include "wizard/EngineRun.h"
#include "utils/win32/RestartRegistration.h"
#include "utils/win32/SystemInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr bool Is32Bit = sizeof(void*) == 4;
// The registry view this program's plain HKLM\Software accesses land in.
constexpr REGSAM OwnView = Is32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
constexpr REGSAM OtherView = Is32Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

const char* ViewName(REGSAM View) { return View == KEY_WOW64_32KEY ? "32-bit view" : "64-bit view"; }

// The text of a value read through one explicit view; empty when absent.
std::string ReadInView(REGSAM View, const std::string& Path, const std::string& Name) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Path.c_str(), 0, KEY_QUERY_VALUE | View, &Key) != ERROR_SUCCESS) return "";
  TRegistryKey Owned(Key);
  char Text[1024] = {};
  DWORD Size = sizeof(Text) - 1;
  if (RegQueryValueExA(Key, Name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(Text), &Size) != ERROR_SUCCESS)
    return "";
  return Text;
}

TEST(WordSize, TheSimulatorsLevelLandsInTheViewTheWizardReads) {
  simtest::TUpdateLevelGuard Guard;
  simtest::SetUpdateLevel("3.0.3.2");
  simtest::TTempFolder Updates;
  Updates.Write("Orvane-3.1.0.1.oue");
  simtest::SimLaunch Launch;
  Launch.arguments = "-ouegui -product orvane -nosnapshot -dir \"" + Updates.Path() + "\"";
  const simtest::SimResult Run = simtest::RunSimulator(Launch);
  ASSERT_TRUE(Run.finished) << Run.output;

  EXPECT_EQ(GetLocalUpdateLevel(), "3.1.0.1") << "the wizard does not see the level the engine wrote";
  const std::string Key = "Software\\Dantor\\Kelvra\\Products\\Orvane";
  EXPECT_EQ(ReadInView(OwnView, Key, "UpdateLevel"), "3.1.0.1") << "not in the " << ViewName(OwnView);
  EXPECT_NE(ReadInView(OtherView, Key, "UpdateLevel"), "3.1.0.1")
      << "the level leaked into the " << ViewName(OtherView);
}

TEST(WordSize, TheRestartRegistrationLandsInThisProgramsRunOnceView) {
  TRegistrySandbox Sandbox;
  RegisterRestartAfterReboot();
  const std::string RunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  // A 32-bit program's RunOnce is Wow6432Node's, which the logon runs for
  // 32-bit programs; the start command must name this very program.
  EXPECT_EQ(ReadInView(OwnView, RunOnce, "StartOUpdate"), "\"" + SelfPath() + "\"") << ViewName(OwnView);
  EXPECT_NE(ReadInView(OwnView, RunOnce, "DeleteOUERebootFlag"), "") << ViewName(OwnView);
  EXPECT_EQ(ReadInView(OtherView, RunOnce, "StartOUpdate"), "") << "also written to the " << ViewName(OtherView);
}

// A program of either word size, kept waiting on its standard input.
struct TWaitingProgram {
  TPipeStream Input{TPipeStream::WriteEnd, 1};
  TKernelHandle Process;
  DWORD Id = 0;
  explicit TWaitingProgram(const std::string& Path) {
    Id = StartChildProcess(EngineCommandLine(Path, "/q"), false, Input.OtherEndHandle(), nullptr, nullptr, &Process);
  }
  ~TWaitingProgram() {
    if (Process) {
      TerminateProcess(Process.Get(), 0);
      WaitForSingleObject(Process.Get(), 5000);
    }
  }
};

// The engine may be either kind of program; the process search must find it
// from the wizard whichever it is (a 32-bit wizard cannot read a 64-bit
// process's module list, only its image name).
TEST(WordSize, TheProcessSearchFindsProgramsOfBothWordSizes) {
  struct TCase {
    const char* Kind;
    const char* Path;  // as this program names it (sysnative: past the 32-bit redirection)
  } const Cases[] = {
      {"64-bit", Is32Bit ? "C:\\windows\\sysnative\\cmd.exe" : "C:\\windows\\system32\\cmd.exe"},
      {"32-bit", "C:\\windows\\syswow64\\cmd.exe"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Kind);
    TWaitingProgram Program(Case.Path);
    if (Program.Id == 0) {
      // Only where this machine cannot execute 32-bit programs at all (the
      // test scripts say so loudly); a 32-bit test program always can.
      ASSERT_FALSE(Is32Bit) << "cannot start " << Case.Path;
      std::printf("NOTE: a %s program cannot start on this machine; case not run\n", Case.Kind);
      continue;
    }
    EXPECT_TRUE(WaitUntil([&] { return FindProcessByName("CMD.EXE") == Program.Id; }, 5000))
        << "the search does not find a running " << Case.Kind << " program; it found " << FindProcessByName("cmd.exe");
    EXPECT_EQ(_stricmp(GetProcessModuleName(Program.Id).c_str(), "cmd.exe"), 0) << GetProcessModuleName(Program.Id);
  }
}

}  // namespace
