// Engines that misbehave: garbage, huge or oddly ended lines, long silence,
// output left unread, last words written just before the end, a crash after
// a verdict, a process left behind that keeps writing into the pipe, an
// engine that reads its input to the end.
// Each run ends on the right verdict with the log complete, and the window
// answers all along.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

const char Section[] = "line [SECTION]: Update Orvane-3.1.0.1\n";
const char Verdict[] =
    "level 3.1.0.1\n"
    "line [STATUS]: 9,Done,100\n"
    "line [Result]: SUCCESS\n";
const std::vector<std::string> VerdictLines = {"[STATUS]: 9,Done,100", "[Result]: SUCCESS"};

struct TMisbehaviourCase {
  std::string Name;
  std::string Scenario;
  std::vector<std::string> OperatorLines;  // typed once the step "Waiting" shows; echoed but "quit"
  std::string ResultText;
  std::vector<std::string> LogLines;  // the last lines of the log (not LogEndsThere: how some line starts)
  bool LogEndsThere;
  DWORD ResultWithinMs;  // from Start
};

void PrintTo(const TMisbehaviourCase& Case, std::ostream* Out) { *Out << Case.Name; }

std::string OneMegabyteLine() { return "line " + std::string(1 << 20, 'x') + "\n"; }

// 64 KB of detail lines and the verdict in one write, the engine ending at once.
std::string ExitWith64KbUnread() {
  std::string Bytes;
  for (int N = 1; Bytes.size() < 64 * 1024; ++N) Bytes += "Detail line " + std::to_string(N) + "\\r\\n";
  return "level 3.1.0.1\nexit-unread " + Bytes + "[STATUS]: 9,Done,100\\r\\n[Result]: SUCCESS\\r\\n\n";
}

std::vector<TMisbehaviourCase> Cases() {
  const std::string Success = EnglishSuccessText("3.1.0.1");
  const char LastWords[] = "flood 3000 Detail line\nlevel 3.1.0.1\n";
  const std::vector<std::string> LastWordsLines = {"Detail line 3000", "[STATUS]: 9,Done,100", "[Result]: SUCCESS"};
  return {
      {"BinaryGarbageWithNulBytes",
       std::string(Section) + "raw \\x01\\x02\\xFF\\0\\0garbage\\0\\x7F\\r\\n\nraw \\0\\0\\0\\r\\n\n" + Verdict,
       {},
       Success,
       VerdictLines,
       true,
       RunTimeoutMs},
      {"ASingleOneMegabyteLine", Section + OneMegabyteLine() + Verdict, {}, Success, VerdictLines, true, RunTimeoutMs},
      {"CarriageReturnLineEnds",
       "raw [SECTION]: Update Orvane-3.1.0.1\\rDetail with CR only\\r\nlevel 3.1.0.1\n"
       "raw [STATUS]: 9,Done,100\\r[Result]: SUCCESS\\r\n",
       {},
       Success,
       {"Detail with CR only", "[STATUS]: 9,Done,100", "[Result]: SUCCESS"},
       true,
       RunTimeoutMs},
      // The simulator shortens the ten minutes to OUE_SIM_MAX_SLEEP_MS.
      {"TenMinutesOfSilence",
       std::string(Section) + "line [STATUS]: 5,Waiting for the database,50\nsleep 600000\n" + Verdict,
       {},
       Success,
       VerdictLines,
       true,
       RunTimeoutMs},
      {"ExitWith64KbUnread", Section + ExitWith64KbUnread(), {}, Success, VerdictLines, true, RunTimeoutMs},
      {"CrashAfter100AndAResult",
       std::string(Section) + Verdict + "crash\n",
       {},
       EnglishFailureText("Update Orvane-3.1.0.1", " 9", "Done",
                          "\r\n[SECTION]: Update Orvane-3.1.0.1\r\n[STATUS]: 9,Done,100\r\n[Result]: SUCCESS\r\n"
                          "oue.exe ended abnormally with exit code 0xC0000005."),
       VerdictLines,
       true,
       RunTimeoutMs},
      // What the grandchild writes fills the log's tail after the verdict;
      // the result page must not wait for it to stop.
      {"AGrandchildHoldsThePipe",
       std::string(Section) + Verdict + "grandchild Left behind\nexit-unread\n",
       {},
       Success,
       {"Left behind "},
       false,
       10000},
      // The engine writes its verdict and ends at once: lines it wrote last,
      // still in the pipe or not ended by a line break, are interpreted before
      // the result is decided, and they reach the log. Under Wine an engine
      // cannot end while its last write waits in the pipe, so the burst is read
      // before its end is noticed; the line without a break stays pending in
      // the wizard until then, and only the end of the run takes it in.
      {"BurstThenEndWithoutWaiting",
       std::string(Section) + LastWords + "exit-unread [STATUS]: 9,Done,100\\r\\n[Result]: SUCCESS\\r\\n\n",
       {},
       Success,
       LastWordsLines,
       true,
       RunTimeoutMs},
      {"LastLineWithoutLineBreak",
       std::string(Section) + LastWords + "raw [STATUS]: 9,Done,100\\r\\n[Result]: SUCCESS\n",
       {},
       Success,
       LastWordsLines,
       true,
       RunTimeoutMs},
      {"AnEngineThatReadsItsInputToTheEnd",
       std::string(Section) + "line [STATUS]: 5,Waiting,50\necho-stdin\n" + Verdict,
       {"first", "second", "quit"},
       Success,
       {"ECHO: first", "ECHO: second", "[STATUS]: 9,Done,100", "[Result]: SUCCESS"},
       true,
       RunTimeoutMs},
  };
}

class RunMisbehaving : public TScenarioRunTest, public ::testing::WithParamInterface<TMisbehaviourCase> {};

}  // namespace

TEST_P(RunMisbehaving, EndsOnTheRightVerdictWithTheLogCompleteAndTheWindowAnswering) {
  const TMisbehaviourCase& Case = GetParam();
  World().SetEnv("OUE_SIM_MAX_SLEEP_MS", "4000");
  ASSERT_TRUE(StartScenarioRun(Case.Scenario, 1));
  TWizardDriver& W = Wizard();
  if (!Case.OperatorLines.empty()) {
    ASSERT_EQ("Waiting", W.WaitText("txtCurrentStep", "Waiting", PageTimeoutMs));
    for (const std::string& Line : Case.OperatorLines) {
      SendOperatorLine(Line);
      if (Line != "quit") {
        ASSERT_EQ("ECHO: " + Line, W.WaitText("txtProgressDetails", "ECHO: " + Line));
      }
    }
  }

  // Every look at the window is a message it must answer within seconds.
  std::string Page;
  const bool Ended = WaitUntil(
      [&] {
        Settle();
        return (Page = W.ActivePage()) == "TabSheet7";
      },
      Case.ResultWithinMs);
  ASSERT_TRUE(Ended) << "no result page within " << Case.ResultWithinMs << " ms: page " << Page << ", step \""
                     << W.Text("txtCurrentStep") << "\"\n  " << OpenBoxes();
  EXPECT_EQ(Case.ResultText, W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  W.Click("btExit");
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();

  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Case.ResultText, Log.ResultText);
  if (!Case.LogEndsThere) {
    EXPECT_TRUE(std::any_of(Log.Output.begin(), Log.Output.end(), [&](const std::string& Line) {
      return Line.rfind(Case.LogLines[0], 0) == 0;
    })) << Joined(Log.Output);
    return;
  }
  EXPECT_TRUE(LogEndsWith(Log, Case.LogLines));
}

INSTANTIATE_TEST_SUITE_P(Run, RunMisbehaving, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TMisbehaviourCase>& Info) { return Info.param.Name; });
