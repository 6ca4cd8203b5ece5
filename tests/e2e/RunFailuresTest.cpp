// Runs that fail: an engine that ends without its verdict, reports errors or
// none, dies, cannot be started at all, or cannot even be copied into the
// support folder. Each ends on the result page with what the operator needs
// to call for help, and each is logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

struct TEndingCase {
  const char* Name;
  const char* Scenario;
  // The failure text's parts: section, step code, current step, message. The
  // step code is everything between the tag and the first comma, so the
  // blank after "[STATUS]:" belongs to it.
  const char* Section;
  const char* StepCode;
  const char* Step;
  const char* Message;
};

void PrintTo(const TEndingCase& Case, std::ostream* Out) { *Out << Case.Name; }

const TEndingCase EndingCases[] = {
    {"ErrorLinesAreTheMessage",
     "line [SECTION]: Update Orvane-3.1.0.1\n"
     "line [STATUS]: 202,Stopping services,15\n"
     "line [Error]: Service OrvaneServer did not stop within 120 seconds\n"
     "line Waiting for OrvaneServer\n"
     "line [Error]:   Update stopped  \n"
     "exit 1\n",
     "Update Orvane-3.1.0.1", " 202", "Stopping services",
     "\r\nService OrvaneServer did not stop within 120 seconds\r\nUpdate stopped"},
    // Without any error line the last output stands in for the message,
    // verbatim: blanks, empty lines and untrimmed step codes included.
    {"WithoutErrorLinesTheOutputIsTheMessage",
     "line [SECTION]: Snapshot\n"
     "line [STATUS]:  103 ,Writing snapshot to D:,60\n"
     "line Writing snapshot image to D:\\OrvaneSnapshot\n"
     "line\n"
     "line   Disk D: is full\n"
     "exit 5\n",
     "Snapshot", "  103 ", "Writing snapshot to D:",
     "\r\n[SECTION]: Snapshot\r\n[STATUS]:  103 ,Writing snapshot to D:,60\r\n"
     "Writing snapshot image to D:\\OrvaneSnapshot\r\n\r\n  Disk D: is full"},
    {"AnEngineThatDies",
     "line [SECTION]: Snapshot\n"
     "line [STATUS]: 101,Stopping services,10\n"
     "crash\n",
     "Snapshot", " 101", "Stopping services",
     "\r\n[SECTION]: Snapshot\r\n[STATUS]: 101,Stopping services,10\r\n"
     "oue.exe ended abnormally with exit code 0xC0000005."},
    // A result counts only after a last status of 100 in the last section.
    {"ASectionAfterTheLast100",
     "line [SECTION]: Update Orvane-3.1.0.0\n"
     "line [STATUS]: 207,Update Orvane-3.1.0.0 installed,100\n"
     "line [SECTION]: Update Orvane-3.1.0.1\n"
     "line [Result]: SUCCESS\n",
     "Update Orvane-3.1.0.1", "", "Initializing",
     "\r\n[SECTION]: Update Orvane-3.1.0.0\r\n[STATUS]: 207,Update Orvane-3.1.0.0 installed,100\r\n"
     "[SECTION]: Update Orvane-3.1.0.1\r\n[Result]: SUCCESS"},
};

class RunEnding : public TScenarioRunTest, public ::testing::WithParamInterface<TEndingCase> {};

class RunFailures : public TScenarioRunTest {};

// Whether Upper is in front of Lower among the top-level windows.
bool IsAbove(HWND Upper, HWND Lower) {
  for (HWND Next = GetWindow(Upper, GW_HWNDNEXT); Next != nullptr; Next = GetWindow(Next, GW_HWNDNEXT))
    if (Next == Lower) return true;
  return false;
}

}  // namespace

TEST_P(RunEnding, EndsOnTheFailurePageWithSectionStepAndMessage) {
  const TEndingCase& Case = GetParam();
  ASSERT_TRUE(StartScenarioRun(Case.Scenario, 1));
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(WaitResultPage(W));

  const std::string Expected = EnglishFailureText(Case.Section, Case.StepCode, Case.Step, Case.Message);
  EXPECT_EQ(Expected, W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.IsVisible("btExit") && W.IsEnabled("btExit"));
  EXPECT_FALSE(W.IsVisible("btNext"));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Expected, Log.ResultText);
  if (std::string(Case.Name) == "ErrorLinesAreTheMessage") W.Screenshot("run-failure-errors-en.bmp");

  // A failed run asks for no reboot: Exit ends the program at once.
  W.Click("btExit");
  EXPECT_TRUE(W.WaitExit()) << OpenBoxes();
}

INSTANTIATE_TEST_SUITE_P(Run, RunEnding, ::testing::ValuesIn(EndingCases),
                         [](const ::testing::TestParamInfo<TEndingCase>& Info) { return Info.param.Name; });

// oue.exe is there (the start check looks for it) but is no program.
TEST_F(RunFailures, AnEngineThatCannotStartEndsOnTheFailurePage) {
  WriteFileBytes(World().EngineExe(), "this is not a program\r\n");
  ASSERT_TRUE(StartScenarioRun("", 0));
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(WaitResultPage(W));
  EXPECT_EQ(EnglishFailureText("", "", "Initializing", ""), W.Text("txtCompletionStatusInfo"));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << "a failed start has no box of its own: " << OpenBoxes();
  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Log.ResultText + LogBanner, Log.Raw) << "no output, so nothing after the banner";
}

// A folder stands where the engine's copy must go: the copy fails, the
// system error is shown, no engine is started, and the result page carries
// the copy's description.
TEST_F(RunFailures, AFailedCopyShowsTheSystemErrorAndEndsOnTheFailurePage) {
  TWorld& Node = World();
  const std::string Target = Node.SupportBinDir() + "oue.exe";
  ASSERT_TRUE(MakeDirectories(Target));
  WriteFileBytes(Target + "\\keep.txt", "in the way");
  ASSERT_TRUE(WalkScenarioToStart("", 0));
  TWizardDriver& W = Wizard();
  W.Click("btNext");

  std::optional<TMessageBox> Box = W.WaitMessageBox();
  ASSERT_TRUE(Box.has_value()) << "no error box; page " << W.ActivePage();
  const std::string Prefix = "System Error.  Code: ";
  ASSERT_EQ(Prefix, Box->Text.substr(0, Prefix.size())) << *Box;
  const size_t CodeEnd = Box->Text.find(".\r\n", Prefix.size());
  ASSERT_NE(std::string::npos, CodeEnd) << *Box;
  const std::string Code = Box->Text.substr(Prefix.size(), CodeEnd - Prefix.size());
  EXPECT_NE("0", Code);
  EXPECT_EQ(std::vector<int>{IDOK}, Box->Buttons);
  // The run ends behind the open box: the result page comes, and the box
  // must stay in front of the window it belongs to.
  ASSERT_TRUE(WaitResultPage(W, 5000));
  EXPECT_TRUE(WaitUntil([&] { return W.Text("txtCompletionStatusInfo").rfind("Error!", 0) == 0; }, 5000))
      << W.Text("txtCompletionStatusInfo");
  EXPECT_TRUE(WaitUntil([&] { return IsAbove(Box->Handle, W.Window()); }, 2000))
      << "the error box went behind the wizard's window";
  W.Screenshot("run-copy-failed-box-en.bmp");
  ASSERT_TRUE(W.Answer(*Box, IDOK));
  EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();

  // "Generic\r\r[code] message:\r\rsource\r\rtarget", the system's wording
  // of the message being whatever the system says.
  const std::string Text = W.Text("txtCompletionStatusInfo");
  const std::string Head = EnglishFailureText("", "", "Updating " + Target,
                                              CatalogueText("str_Message_Generic_Error") + "\r\n\r\n[" + Code + "] ");
  const std::string Tail = ":\r\n\r\n" + Node.EngineExe() + "\r\n\r\n" + Target;
  EXPECT_EQ(Head, Text.substr(0, Head.size())) << Text;
  ASSERT_GE(Text.size(), Tail.size());
  EXPECT_EQ(Tail, Text.substr(Text.size() - Tail.size())) << Text;
  EXPECT_FALSE(FileExists(Node.SupportBinDir() + "OUpdate.exe")) << "the wizard's copy comes after the engine's";
  W.Screenshot("run-copy-failed-en.bmp");

  TRunLog Log;
  ASSERT_TRUE(ReadLog(Log));
  EXPECT_EQ(Text + LogBanner, Log.Raw);
}
