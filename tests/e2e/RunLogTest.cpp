// The log keeps the whole run: every line of a long run in order, the lines
// of a wizard killed mid-run in its running file, one log per run however
// many end in the same minute, a log that cannot be written told on the
// result page, and a line of 50 MB that neither freezes the window nor is
// cut in the log.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "RunWalk.h"
#include "Unattended.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

class RunLog : public TScenarioRunTest {
 protected:
  ::testing::AssertionResult StartRun(const std::string& Scenario) { return StartScenarioRun(Scenario, 0); }
  std::vector<std::string> RunningFiles() { return ListFiles(World().WizardDir(), "*.running"); }
};

std::string Flood(long Lines) {
  return "line [SECTION]: Update Orvane-3.1.0.0\n"
         "flood " +
         std::to_string(Lines) + " Detail line\n";
}

const char Verdict[] =
    "level 3.1.0.0\n"
    "line [STATUS]: 9,Done,100\n"
    "line [Result]: SUCCESS\n";

std::vector<std::string> FloodLines(long Lines) {
  std::vector<std::string> Expected = {"[SECTION]: Update Orvane-3.1.0.0"};
  for (long N = 1; N <= Lines; ++N) Expected.push_back("Detail line " + std::to_string(N));
  return Expected;
}

// The first line where two line lists part, for a readable failure.
std::string FirstDifference(const std::vector<std::string>& Got, const std::vector<std::string>& Expected) {
  const auto Where = std::mismatch(Got.begin(), Got.end(), Expected.begin(), Expected.end());
  const size_t At = static_cast<size_t>(Where.first - Got.begin());
  return "line " + std::to_string(At) + ": got \"" + (Where.first == Got.end() ? "<end>" : *Where.first) +
         "\", expected \"" + (Where.second == Expected.end() ? "<end>" : *Where.second) + "\" (" +
         std::to_string(Got.size()) + " lines, expected " + std::to_string(Expected.size()) + ")";
}

// A local time a number of minutes from T.
SYSTEMTIME MinutesLater(const SYSTEMTIME& T, int Minutes) {
  FILETIME File;
  SystemTimeToFileTime(&T, &File);
  ULARGE_INTEGER Value;
  Value.LowPart = File.dwLowDateTime;
  Value.HighPart = File.dwHighDateTime;
  Value.QuadPart += static_cast<ULONGLONG>(Minutes) * 60 * 10000000;
  File.dwLowDateTime = Value.LowPart;
  File.dwHighDateTime = Value.HighPart;
  SYSTEMTIME Later;
  FileTimeToSystemTime(&File, &Later);
  return Later;
}

// Runs a Linux program from this Windows one and waits for it.
bool RunUnix(std::vector<std::string> Argv) {
  using TSpawn = LONG(CDECL*)(char* const*, int);
  const auto Spawn = reinterpret_cast<TSpawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
  if (Spawn == nullptr) return false;
  std::vector<char*> Args;
  for (std::string& Arg : Argv) Args.push_back(Arg.data());
  Args.push_back(nullptr);
  return Spawn(Args.data(), 1) == 0;
}

std::string UnixPath(const std::string& WindowsPath) {
  using TGetUnix = char*(CDECL*)(LPCWSTR);
  const auto GetUnix = reinterpret_cast<TGetUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (GetUnix == nullptr) return "";
  std::wstring Wide(WindowsPath.begin(), WindowsPath.end());
  char* Path = GetUnix(Wide.c_str());
  if (Path == nullptr) return "";
  std::string Result = Path;
  HeapFree(GetProcessHeap(), 0, Path);
  return Result;
}

// A folder nothing can be created in, not even by root: immutable for the
// file system while this lives.
class TImmutableFolder {
 public:
  explicit TImmutableFolder(const std::string& Folder) : FPath(UnixPath(Folder)) {
    FDone = !FPath.empty() && RunUnix({"/usr/bin/chattr", "+i", FPath});
  }
  ~TImmutableFolder() {
    if (FDone) RunUnix({"/usr/bin/chattr", "-i", FPath});
  }
  bool Done() const { return FDone; }

 private:
  std::string FPath;
  bool FDone = false;
};

}  // namespace

// A flood of detail lines: every one of them is interpreted, the final status
// and result after them still decide the run, and the log holds them all.
TEST_F(RunLog, EveryLineOfALongRunIsInTheLogInOrder) {
  const long Lines = 100000;
  const DWORD Before = GetTickCount();
  ASSERT_TRUE(StartRun(Flood(Lines) + Verdict));
  ASSERT_TRUE(WaitResultPage(Wizard(), 120000));
  Settle();  // the page is shown before its entry has written the log
  std::cout << "  " << Lines << " lines from Start to the result page in " << GetTickCount() - Before << " ms\n";
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), Wizard().Text("txtCompletionStatusInfo"));
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), Log.ResultText);
  std::vector<std::string> Expected = FloodLines(Lines);
  Expected.push_back("[STATUS]: 9,Done,100");
  Expected.push_back("[Result]: SUCCESS");
  EXPECT_TRUE(Log.Output == Expected) << FirstDifference(Log.Output, Expected);
  EXPECT_TRUE(RunningFiles().empty()) << "the running file was left behind";
}

TEST_F(RunLog, AWizardKilledMidRunLeavesEveryLineItInterpreted) {
  const long Lines = 5000;
  ASSERT_TRUE(StartRun(Flood(Lines) + "readline\n"));
  TWizardDriver& W = Wizard();
  const std::string Last = "Detail line " + std::to_string(Lines);
  ASSERT_EQ(Last, W.WaitText("txtProgressDetails", Last, RunTimeoutMs));
  W.Kill();
  const std::vector<std::string> Running = RunningFiles();
  ASSERT_EQ(1u, Running.size());
  EXPECT_TRUE(World().LogFiles().empty());
  const std::string Text = ReadFileBytes(World().WizardDir() + Running[0]).value_or("");
  std::string Expected;
  for (const std::string& Line : FloodLines(Lines)) Expected += Line + "\r\n";
  EXPECT_EQ(Expected.size(), Text.size());
  EXPECT_TRUE(Expected == Text) << "the running file holds:\n" << Text.substr(0, 400);
}

TEST_F(RunLog, RunsEndingInTheSameMinuteKeepTheirOwnLogs) {
  // Logs of earlier runs for this minute and the next ones: none may be
  // replaced, and each new run takes the next free number.
  const SYSTEMTIME Now = LocalNow();
  std::vector<std::string> Earlier;
  for (int Minutes = 0; Minutes < 3; ++Minutes) {
    Earlier.push_back("OUpdate." + LogStamp(MinutesLater(Now, Minutes)) + ".log");
    WriteFileBytes(World().WizardDir() + Earlier.back(), "earlier run " + std::to_string(Minutes));
  }
  for (int Run = 0; Run < 2; ++Run) {
    SCOPED_TRACE("run " + std::to_string(Run));
    World().SetLocalUpdateLevel("3.0.3.2");  // the first run raised it
    ASSERT_TRUE(StartRun("line [SECTION]: Update Orvane-3.1.0.0\nline run " + std::to_string(Run) + "\n" + Verdict));
    ASSERT_TRUE(WaitResultPage(Wizard()));
    Settle();
    Wizard().Click("btExit");
    ASSERT_TRUE(Wizard().WaitExit());
  }
  std::vector<std::string> Logs = World().LogFiles();
  ASSERT_EQ(5u, Logs.size());
  for (int Minutes = 0; Minutes < 3; ++Minutes)
    EXPECT_EQ("earlier run " + std::to_string(Minutes),
              ReadFileBytes(World().WizardDir() + Earlier[Minutes]).value_or(""));
  std::vector<std::string> Runs;
  for (const std::string& Name : Logs) {
    if (std::find(Earlier.begin(), Earlier.end(), Name) != Earlier.end()) continue;
    EXPECT_TRUE(Name.size() > 6 &&
                (Name.compare(Name.size() - 6, 6, ".2.log") == 0 || Name.compare(Name.size() - 6, 6, ".3.log") == 0))
        << Name;
    const std::string Text = ReadFileBytes(World().WizardDir() + Name).value_or("");
    Runs.push_back(Text.find("\r\nrun 0\r\n") != std::string::npos   ? "run 0"
                   : Text.find("\r\nrun 1\r\n") != std::string::npos ? "run 1"
                                                                     : Name);
  }
  std::sort(Runs.begin(), Runs.end());
  EXPECT_EQ((std::vector<std::string>{"run 0", "run 1"}), Runs);
}

TEST_F(RunLog, ALogThatCannotBeWrittenIsToldAndTheOutputStaysOnThePage) {
  ASSERT_TRUE(
      StartRun("line [SECTION]: Update Orvane-3.1.0.0\nsleep 500\nline Copying file 1 of 1\n" + std::string(Verdict)));
  TImmutableFolder Locked(World().WizardDir());
  ASSERT_TRUE(Locked.Done()) << "cannot make " << World().WizardDir() << " read-only";
  ASSERT_TRUE(WaitResultPage(Wizard()));
  Settle();
  const std::string Page = Wizard().Text("txtCompletionStatusInfo");
  // The lock may come before the running file is made: then its loss is told
  // between the two.
  EXPECT_EQ(0u, Page.find(EnglishSuccessText("3.1.0.0") + "\r\n\r\n")) << Page;
  EXPECT_NE(std::string::npos, Page.find("\r\n\r\nThe log file " + World().WizardDir() + "OUpdate.")) << Page;
  EXPECT_NE(std::string::npos, Page.find(".log could not be written:\r\n\r\n")) << Page;
  EXPECT_NE(std::string::npos, Page.find(LogBanner + "\r\n[SECTION]: Update Orvane-3.1.0.0\r\nCopying file 1 of 1\r\n"))
      << Page;
  EXPECT_NE(std::string::npos, Wizard().Text("memOUEOutput").find("\r\nCopying file 1 of 1\r\n"));
  EXPECT_TRUE(World().LogFiles().empty());
}

// The engine writes 50 MB without a line break, then ends as usual. A
// message sent to the window must come back within a second all along.
TEST_F(RunLog, AHugeLineNeitherFreezesTheWindowNorIsCutInTheLog) {
  const size_t Size = 50u << 20;
  ASSERT_TRUE(StartRun("line [SECTION]: Update Orvane-3.1.0.0\nraw " + std::string(Size, 'x') + "\n" + "raw \\r\\n\n" +
                       Verdict));
  TWizardDriver& W = Wizard();
  const HWND Window = W.Window();
  DWORD Longest = 0, Unanswered = 0;
  const DWORD Begun = GetTickCount();
  for (;;) {
    DWORD Sent = GetTickCount();
    DWORD_PTR Answer = 0;
    if (!SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &Answer)) ++Unanswered;
    const DWORD Waited = GetTickCount() - Sent;
    if (Waited >= 500)
      std::cout << "  the window took " << Waited << " ms to answer, " << (Sent - Begun) << " ms into the run\n";
    Longest = std::max(Longest, Waited);
    // Reading the page asks the window too: its wait counts as well.
    Sent = GetTickCount();
    const bool Ended = W.ActivePage() == "TabSheet7";
    Longest = std::max(Longest, GetTickCount() - Sent);
    if (Ended || !W.Running()) break;
    ASSERT_LT(GetTickCount() - Begun, 180000u) << "the run did not end";
    Sleep(20);
  }
  std::cout << "  longest wait for the window during the 50 MB line: " << Longest << " ms\n";
  EXPECT_EQ(0u, Unanswered) << "the window did not answer within a second " << Unanswered << " times";
  EXPECT_LT(Longest, 1000u);
  ASSERT_TRUE(WaitResultPage(W, 120000));
  Settle();
  EXPECT_EQ(EnglishSuccessText("3.1.0.0"), W.Text("txtCompletionStatusInfo"));
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  ASSERT_EQ(4u, Log.Output.size());
  EXPECT_EQ("[SECTION]: Update Orvane-3.1.0.0", Log.Output[0]);
  EXPECT_TRUE(Log.Output[1] == std::string(Size, 'x')) << "the line has " << Log.Output[1].size() << " bytes";
  EXPECT_EQ("[Result]: SUCCESS", Log.Output[3]);
}

// The wizard's folder may be read-only (a share, a locked-down folder): with
// /log= elsewhere the running file lies beside that log, so the log still
// holds every line and no running file is left behind.
class QuietLogElsewhere : public unattended::Unattended {};

TEST_F(QuietLogElsewhere, EveryLineOfALongRunReachesTheLogWithTheWizardsFolderReadOnly) {
  const long Lines = 20000;
  World().UseScenario("flood", Flood(Lines) + Verdict);
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 0);
  TImmutableFolder Locked(World().WizardDir());
  ASSERT_TRUE(Locked.Done()) << "cannot make " << World().WizardDir() << " read-only";
  DWORD Code = 0;
  ASSERT_TRUE(RunToExit(Quiet(Updates) + " /nosnapshot", Code));
  const std::string Text = Log();
  EXPECT_EQ(0u, Code) << Text.substr(0, 1000);
  EXPECT_TRUE(FirstLineNames(Code));
  const size_t Banner = Text.find(LogBanner);
  ASSERT_NE(std::string::npos, Banner) << Text.substr(0, 1000);
  std::vector<std::string> Expected = FloodLines(Lines);
  Expected.push_back("[STATUS]: 9,Done,100");
  Expected.push_back("[Result]: SUCCESS");
  const std::vector<std::string> Output = TranscriptLines(Text.substr(Banner + LogBanner.size()));
  EXPECT_TRUE(Output == Expected) << FirstDifference(Output, Expected);
  const std::string LogFolder = LogPath().substr(0, LogPath().find_last_of('\\') + 1);
  EXPECT_TRUE(ListFiles(LogFolder, "*.running").empty()) << "the running file was left behind";
  EXPECT_TRUE(ListFiles(LogFolder, "*.composing").empty()) << "the composed log was left behind";
}
