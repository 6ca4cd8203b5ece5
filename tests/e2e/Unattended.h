// The fixture of the unattended tests: the wizard started as a fleet tool
// starts it, its exit code read here in a Windows parent (Wine's own exit
// status keeps only the low 8 bits), its log read afterwards.
//
// Kept in a header because the end-to-end program is built from its *Test.cpp
// files; UnattendedTest.cpp and PreflightTest.cpp include it.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "RunWalk.h"
#include "WizardFixture.h"

namespace unattended {

using namespace runwalk;

inline std::string FirstLine(const std::string& Log) { return Log.substr(0, Log.find("\r\n")); }

// The first line of a catalogue text in English, as a log begins with it.
inline std::string Head(const std::string& Key, const std::vector<TFormatArg>& Args = {}) {
  return FirstLine(WithCrLf(CatalogueText(Key, English, Args)));
}
inline std::string SuccessHead() { return Head("str_txtCompletionStatusInfo_Caption_Success", {"x"}); }
inline std::string FailureHead() { return Head("str_txtCompletionStatusInfo_Caption_Failed", {"", "", "", ""}); }
inline std::string RebootNotice() { return Head("str_Message_Server_Needs_Reboot"); }
inline std::string EngineRunningNotice() {
  return Head("str_Message_Cant_Start_Update_Utility_Engine_Already_Running", {"oue.exe"});
}

class Unattended : public TWizardTest {
 protected:
  void SetUp() override {
    TWizardTest::SetUp();
    World().SetEngineDelayMs(0);
  }

  // Named with blanks, in folders that do not exist yet.
  std::string LogPath() { return World().Root() + "fleet logs\\this node\\update run.log"; }
  std::string RawLog() { return ReadFileBytes(LogPath()).value_or(""); }
  // The log after its first line (which names the exit code): the text the
  // operator would have seen, then the rest.
  std::string Log() {
    const std::string Raw = RawLog();
    const size_t End = Raw.find("\r\n");
    return End == std::string::npos ? "" : Raw.substr(End + 2);
  }
  // The log's first line names Code, as the README's table words it.
  ::testing::AssertionResult FirstLineNames(DWORD Code) {
    const std::string Line = FirstLine(RawLog());
    if (Line.rfind("Exit code " + std::to_string(Code) + ": ", 0) == 0 && Line.size() > 20)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "code " << Code << ", the log's first line: " << Line;
  }
  std::string Quiet(const std::string& Updates) {
    return "/quiet \"/updates=" + WithoutBackslash(Updates) + "\" /log=\"" + LogPath() + "\"";
  }

  // Starts the wizard with Args and waits for its end, watching whether it
  // ever shows a window.
  ::testing::AssertionResult RunToExit(const std::string& Args, DWORD& Code, bool* WindowSeen = nullptr) {
    TWizardDriver& W = Wizard();
    W.Kill();
    try {
      W.Launch(World().WizardExe(), Args, World().Environment(), World().WizardDir());
    } catch (const std::exception& Error) {
      return ::testing::AssertionFailure() << Error.what();
    }
    bool Seen = false;
    const bool Ended = WaitUntil(
        [&] {
          Seen = Seen || W.ShowsAnyWindow();
          return !W.Running();
        },
        RunTimeoutMs);
    if (WindowSeen != nullptr) *WindowSeen = Seen;
    if (!Ended) return ::testing::AssertionFailure() << "the wizard did not end: " << W.Process().CommandLine();
    Code = W.ExitCode().value_or(999999);
    return ::testing::AssertionSuccess();
  }

  // The exit code is Expected, the log's first line names it, and the text
  // the operator would have seen, Head, follows.
  void ExpectOutcome(const std::string& Args, DWORD Expected, const std::string& Head) {
    DWORD Code = 0;
    ASSERT_TRUE(RunToExit(Args, Code));
    EXPECT_EQ(Expected, Code) << "log:\n" << RawLog();
    EXPECT_TRUE(FirstLineNames(Code));
    EXPECT_EQ(Head, FirstLine(Log()));
  }

  bool EngineCopied() {
    return GetFileAttributesA((World().SupportBinDir() + "oue.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace unattended
