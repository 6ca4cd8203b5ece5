// The engine's tagged lines, the progress they show, the transcript and the
// verdict with its result text.
#include <gtest/gtest.h>

#include "VisibleText.h"

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "text/LangRes.h"
#include "wizard/EngineProtocol.h"
#include "wizard/ProgressBatch.h"

namespace {

// Records what the progress page was told, in order, as one readable line.
class TRecordingView : public IProgressView {
 public:
  std::vector<std::string> Events;
  int BarPosition = -999, BarMax = -999, LevelRefreshes = 0;
  std::string Title;

  void ShowSectionTitle(const std::string& Text) override { Events.push_back("title=" + Text); }
  void ShowCurrentStep(const std::string& Text) override { Events.push_back("step=" + Text); }
  void ShowDetail(const std::string& Text) override { Events.push_back("detail=" + Text); }
  void ShowProgress(int Position, int Max, const std::string& Text) override {
    BarPosition = Position;
    BarMax = Max;
    Title = Text;
    Events.push_back("bar=" + std::to_string(Position) + "/" + std::to_string(Max) + " " + Text);
  }
  void RefreshServerLevel() override {
    ++LevelRefreshes;
    Events.push_back("level");
  }
  std::string Log() const {
    std::string Result;
    for (const std::string& Event : Events) Result += (Result.empty() ? "" : " | ") + Visible(Event);
    return Result;
  }
};

class EngineProtocol : public ::testing::Test {
 protected:
  void SetUp() override { LoadEnglish(); }
  void TearDown() override { LoadEnglish(); }

  TEngineProtocol Run;
  TRecordingView View;

  void Feed(const std::vector<std::string>& Lines) {
    for (const std::string& Line : Lines) {
      Run.ProcessEngineLine(Line, View);
      Run.AppendTranscript(Line);
    }
  }
};

// ----------------------------------------------------------- one line at a time

// A line given to a run in a known state, and everything it must change.
struct TLineCase {
  const char* Name;
  int SectionIndex, SectionCount, SectionPercent;
  std::string Line;
  // expected afterwards
  std::string StepCode, CurrentStep, Detail, ErrorText, ResultText;
  int Percent;
  bool NeedReboot;
  std::string Events;
};

// Every run starts from these, so a case shows which fields the line touched.
const char OldCode[] = "old code";
const char OldStep[] = "old step";
const char OldDetail[] = "old detail";
const char OldError[] = "\rold error";
const char OldResult[] = "old result";

const TLineCase LineCases[] = {
    {"status in the second of three sections", 1, 3, 0, "[STATUS]:12,Copying files,45", "12", "Copying files",
     OldDetail, OldError, OldResult, 45, false, "step=Copying files | bar=145/300 Progress 48% | detail="},
    {"status with two fields only", 1, 3, 30, "[STATUS]:12,Copying files", "12", "", OldDetail, OldError, OldResult, 30,
     false, "step= | bar=130/300 Progress 43% | detail="},
    {"trailing blank after the number", 1, 3, 30, "[STATUS]:12,Copying files,50 ", "12", "Copying files", OldDetail,
     OldError, OldResult, 30, false, "step=Copying files | bar=130/300 Progress 43% | detail="},
    {"leading blank before the number", 1, 3, 30, "[STATUS]:12,Copying files, 50", "12", "Copying files", OldDetail,
     OldError, OldResult, 50, false, "step=Copying files | bar=150/300 Progress 50% | detail="},
    {"blanks around the step code kept, step text trimmed", 0, 3, 0, "[STATUS]: 7 , Step,10", " 7 ", "Step", OldDetail,
     OldError, OldResult, 10, false, "step=Step | bar=10/300 Progress 3% | detail="},
    {"status before any section", -1, 3, 0, "[STATUS]:1,x,50", "1", "x", OldDetail, OldError, OldResult, 50, false,
     "step=x | bar=0/300 Progress 0% | detail="},
    {"status tag in lower case is a detail", 1, 3, 30, "[status]:1,x,50", OldCode, OldStep, "[status]:1,x,50", OldError,
     OldResult, 30, false, "detail=[status]:1,x,50"},
    {"status tag after a blank is a detail", 1, 3, 30, " [STATUS]:1,x,50", OldCode, OldStep, "[STATUS]:1,x,50",
     OldError, OldResult, 30, false, "detail=[STATUS]:1,x,50"},
    {"error with nothing after the tag adds a bare CR", 1, 3, 30, "[Error]:", OldCode, OldStep, OldDetail,
     std::string(OldError) + "\r", OldResult, 30, false, ""},
    {"error message is trimmed", 1, 3, 30, "[Error]:  disk full \t", OldCode, OldStep, OldDetail,
     std::string(OldError) + "\rdisk full", OldResult, 30, false, ""},
    {"reboot parameter", 1, 3, 30, "[PARAM]:MODE=NEED_REBOOT", OldCode, OldStep, OldDetail, OldError, OldResult, 30,
     true, ""},
    {"reboot parameter anywhere in the text", 1, 3, 30, "[PARAM]:xNEED_REBOOTx", OldCode, OldStep, OldDetail, OldError,
     OldResult, 30, true, ""},
    {"reboot parameter in lower case is not the parameter", 1, 3, 30, "[PARAM]:MODE=need_reboot", OldCode, OldStep,
     OldDetail, OldError, OldResult, 30, false, ""},
    {"other parameter is ignored", 1, 3, 30, "[PARAM]:LANG=EN", OldCode, OldStep, OldDetail, OldError, OldResult, 30,
     false, ""},
    {"result is trimmed", 1, 3, 30, "[Result]:  OK  ", OldCode, OldStep, OldDetail, OldError, "OK", 30, false, ""},
    {"result of blanks only is empty", 1, 3, 30, "[Result]:   ", OldCode, OldStep, OldDetail, OldError, "", 30, false,
     ""},
    {"untagged line is a trimmed detail", 1, 3, 30, "  Copying oue.dll  ", OldCode, OldStep, "Copying oue.dll",
     OldError, OldResult, 30, false, "detail=Copying oue.dll"},
    {"empty line changes nothing", 1, 3, 30, "", OldCode, OldStep, OldDetail, OldError, OldResult, 30, false, ""},
    {"blank line changes nothing", 1, 3, 30, " \t ", OldCode, OldStep, OldDetail, OldError, OldResult, 30, false, ""},
    {"first matching tag decides", 1, 3, 30, "[Error]:[Result]:done", OldCode, OldStep, OldDetail,
     std::string(OldError) + "\r[Result]:done", OldResult, 30, false, ""},
    {"tag inside a line is not a tag", 1, 3, 30, "x[Result]:done", OldCode, OldStep, "x[Result]:done", OldError,
     OldResult, 30, false, "detail=x[Result]:done"},
    {"a percentage in a fourth field is unreadable", 1, 3, 30, "[STATUS]:12,Copying,50,x", "12", "Copying", OldDetail,
     OldError, OldResult, 30, false, "step=Copying | bar=130/300 Progress 43% | detail="},
    {"a lone number is the percentage with empty code and step", 1, 3, 30, "[STATUS]:60", "", "", OldDetail, OldError,
     OldResult, 60, false, "step= | bar=160/300 Progress 53% | detail="},
    {"empty status keeps the percentage", 1, 3, 30, "[STATUS]:", "", "", OldDetail, OldError, OldResult, 30, false,
     "step= | bar=130/300 Progress 43% | detail="},
    {"status at 90 rereads the server level", 2, 3, 0, "[STATUS]:9,Registering,90", "9", "Registering", OldDetail,
     OldError, OldResult, 90, false, "step=Registering | bar=290/300 Progress 97% | level | detail="},
    {"status at 89 does not", 2, 3, 0, "[STATUS]:9,Registering,89", "9", "Registering", OldDetail, OldError, OldResult,
     89, false, "step=Registering | bar=289/300 Progress 96% | detail="},
};

TEST_F(EngineProtocol, EachLineChangesExactlyWhatItsTagSays) {
  for (const TLineCase& Case : LineCases) {
    TEngineProtocol Run;
    TRecordingView View;
    Run.FSectionIndex = Case.SectionIndex;
    Run.FSectionCount = Case.SectionCount;
    Run.FSectionPercent = Case.SectionPercent;
    Run.FSection = "Section";
    Run.FStepCode = OldCode;
    Run.FCurrentStep = OldStep;
    Run.FDetail = OldDetail;
    Run.FErrorText = OldError;
    Run.FResultText = OldResult;

    Run.ProcessEngineLine(Case.Line, View);

    SCOPED_TRACE(std::string(Case.Name) + ": line \"" + Visible(Case.Line) + "\"");
    EXPECT_EQ(Run.FStepCode, Case.StepCode);
    EXPECT_EQ(Run.FCurrentStep, Case.CurrentStep);
    EXPECT_EQ(Run.FDetail, Case.Detail);
    EXPECT_EQ(Visible(Run.FErrorText), Visible(Case.ErrorText));
    EXPECT_EQ(Run.FResultText, Case.ResultText);
    EXPECT_EQ(Run.FSectionPercent, Case.Percent);
    EXPECT_EQ(Run.FNeedReboot, Case.NeedReboot);
    EXPECT_EQ(View.Log(), Case.Events);
    // Only a section line moves to another section.
    EXPECT_EQ(Run.FSectionIndex, Case.SectionIndex);
    EXPECT_EQ(Run.FSection, "Section");
  }
}

TEST_F(EngineProtocol, SectionStartShowsTheSectionAndStartsItAtZero) {
  Run.FSectionCount = 3;
  Feed({"[SECTION]:Snapshot", "[STATUS]:3,Saving,95", "detail kept in the field"});
  View.Events.clear();

  Run.ProcessEngineLine("[SECTION]:  Update 1  ", View);

  EXPECT_EQ(Run.FSection, "Update 1");
  EXPECT_EQ(Run.FSectionIndex, 1);
  EXPECT_EQ(Run.FSectionPercent, 0);
  EXPECT_EQ(Run.FCurrentStep, "Initializing");
  EXPECT_EQ(Run.FStepCode, "");
  EXPECT_EQ(Run.FDetail, "detail kept in the field");
  EXPECT_EQ(View.Log(), "title=Update 1 | bar=100/300 Progress 33% | step=Initializing | level | detail=");
}

TEST_F(EngineProtocol, SectionStartTakesTheCurrentLanguage) {
  SelectLanguage(1);
  Run.FSectionCount = 2;
  Run.ProcessEngineLine("[SECTION]:Snapshot", View);
  EXPECT_EQ(Run.FCurrentStep, "Initialisiere");
  EXPECT_EQ(View.Title, "Status 0%");
}

// More sections than expected: the bar stays at its maximum, and the index
// saturates instead of wrapping.
TEST_F(EngineProtocol, SectionIndexOnlyGrows) {
  const struct {
    const char* Name;
    int Count, Start, Sections, Index, Position;
  } Rows[] = {
      {"SectionIndexOnlyGrows", 2, -1, 5, 4, 200},
      {"SectionIndexSaturatesInsteadOfWrapping", 3, INT_MAX - 1, 3, INT_MAX, 300},
  };
  for (const auto& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TEngineProtocol Run;
    TRecordingView View;
    Run.FSectionCount = Row.Count;
    Run.FSectionIndex = Row.Start;
    for (int I = 0; I < Row.Sections; ++I) Run.ProcessEngineLine("[SECTION]:S" + std::to_string(I), View);
    EXPECT_EQ(Run.FSectionIndex, Row.Index);
    EXPECT_EQ(View.BarPosition, Row.Position);
    EXPECT_EQ(View.Title, "Progress 100%");
  }
}

// ------------------------------------------------------------ the progress bar

TEST_F(EngineProtocol, BarAndOverallStayWithinRangeWhateverThePercentage) {
  const struct {
    int SectionIndex, SectionCount, Percent, Position, Max;
    const char* Title;
  } Cases[] = {
      {0, 1, 100, 100, 100, "Progress 100%"},
      {2, 3, 100, 300, 300, "Progress 100%"},
      {2, 3, 150, 300, 300, "Progress 100%"},
      {0, 3, 1000, 300, 300, "Progress 100%"},
      {1, 3, INT_MAX, 300, 300, "Progress 100%"},
      {0, 3, -50, 0, 300, "Progress 0%"},
      {1, 3, -50, 50, 300, "Progress 17%"},
      {2, 3, INT_MIN, 0, 300, "Progress 0%"},
      {-1, 3, 50, 0, 300, "Progress 0%"},
      {-1, 3, 100, 0, 300, "Progress 0%"},
      {0, 2, 1, 1, 200, "Progress 1%"},                  // 0.5 rounds up
      {0, 3, 1, 1, 300, "Progress 0%"},                  // 0.33 rounds down
      {INT_MAX, 3, INT_MAX, 300, 300, "Progress 100%"},  // no overflow on the way
      {0, 0, 50, 0, 0, "Progress 0%"},                   // no sections expected: no division
      {3, 0, 100, 0, 0, "Progress 0%"},
      {0, -2, 50, 0, 0, "Progress 0%"},
  };
  for (const auto& Case : Cases) {
    TEngineProtocol Run;
    TRecordingView View;
    Run.FSectionIndex = Case.SectionIndex;
    Run.FSectionCount = Case.SectionCount;
    Run.SetSectionProgress(Case.Percent, View);
    SCOPED_TRACE("section " + std::to_string(Case.SectionIndex) + " of " + std::to_string(Case.SectionCount) + " at " +
                 std::to_string(Case.Percent) + "%: " + View.Log());
    EXPECT_EQ(Run.FSectionPercent, Case.Percent);  // stored as sent
    EXPECT_EQ(View.BarPosition, Case.Position);
    EXPECT_EQ(View.BarMax, Case.Max);
    EXPECT_EQ(View.Title, Case.Title);
    EXPECT_EQ(View.LevelRefreshes, Case.Percent >= 90 ? 1 : 0);
  }
}

TEST_F(EngineProtocol, StatusAboveHundredAndBelowZeroThroughTheLine) {
  Run.FSectionCount = 2;
  Feed({"[SECTION]:One", "[STATUS]:1,a,250"});
  EXPECT_EQ(Run.FSectionPercent, 250);
  EXPECT_EQ(View.BarPosition, 200) << View.Log();  // 250 is past the bar's end
  EXPECT_EQ(View.Title, "Progress 100%") << View.Log();
  Feed({"[STATUS]:1,a,-30"});
  EXPECT_EQ(Run.FSectionPercent, -30);
  EXPECT_EQ(View.BarPosition, 0);
  EXPECT_EQ(View.Title, "Progress 0%");
}

// ----------------------------------------------------------------- transcript

TEST_F(EngineProtocol, TranscriptPrecedesEveryLineWithCRLF) {
  Run.AppendTranscript("first");
  Run.AppendTranscript("");
  Run.AppendTranscript("third");
  EXPECT_EQ(Visible(Run.FTranscript), Visible("\r\nfirst\r\n\r\nthird"));
}

TEST_F(EngineProtocol, TranscriptPastTheLimitKeepsItsLast4097Characters) {
  const struct {
    std::size_t Before, LineLength, After;
  } Cases[] = {
      {8000, 198, 4097},                        // 8200 after the append
      {8000, 190, 8192},                        // exactly the limit: kept whole
      {8000, 191, 4097},                        // one over
      {0, 10000, 4097},                         // one long line on its own
      {0, 8190, 8192},     {0, 4097, 4099},     // a line as long as what is kept, under the limit
      {4094, 4097, 4097},                       // the same, one over: only the line's end stays
      {4093, 4097, 8192},  {6000, 4096, 4097},  // one shorter: the LF before it is kept too
      {9000, 50000, 4097},
  };
  for (const auto& Case : Cases) {
    TEngineProtocol Run;
    std::string Old;
    for (std::size_t I = 0; I < Case.Before; ++I) Old += static_cast<char>('a' + I % 26);
    std::string Line;
    for (std::size_t I = 0; I < Case.LineLength; ++I) Line += static_cast<char>('A' + I % 26);
    Run.FTranscript = Old;
    Run.AppendTranscript(Line);
    const std::string Whole = Old + "\r\n" + Line;
    SCOPED_TRACE(std::to_string(Case.Before) + " + 2 + " + std::to_string(Case.LineLength));
    EXPECT_EQ(Run.FTranscript.size(), Case.After);
    EXPECT_TRUE(Run.FTranscript == Whole.substr(Whole.size() - Case.After)) << "not the tail of what was appended";
  }
}

TEST_F(EngineProtocol, LongRunKeepsTheTranscriptBoundedAndItsTailExact) {
  std::string Whole;
  std::size_t Largest = 0;
  for (int I = 0; I < 20000; ++I) {  // some 500 KB: over a hundred cuts
    const std::string Line = "[STATUS]:" + std::to_string(I) + ",step " + std::to_string(I) + ",50";
    Run.AppendTranscript(Line);
    Whole += "\r\n";
    Whole += Line;
    if (Run.FTranscript.size() > Largest) Largest = Run.FTranscript.size();
  }
  EXPECT_LE(Largest, 8192u);
  ASSERT_GE(Run.FTranscript.size(), 4097u);
  EXPECT_TRUE(Run.FTranscript == Whole.substr(Whole.size() - Run.FTranscript.size()));
}

// Counts what a flood makes the page show without keeping it.
class TCountingView : public IProgressView {
 public:
  long Steps = 0, Details = 0, Bars = 0, Levels = 0;
  int LastPosition = -1;
  std::string LastDetail;
  void ShowSectionTitle(const std::string&) override {}
  void ShowCurrentStep(const std::string&) override { ++Steps; }
  void ShowDetail(const std::string& Text) override {
    ++Details;
    if (!Text.empty()) LastDetail = Text;
  }
  void ShowProgress(int Position, int, const std::string&) override {
    ++Bars;
    LastPosition = Position;
  }
  void RefreshServerLevel() override { ++Levels; }
};

TEST_F(EngineProtocol, FloodOfLinesIsInterpretedLineByLineToTheVerdict) {
  TCountingView Counter;
  Run.FSectionCount = 2;
  Run.ProcessEngineLine("[SECTION]:Update 1", Counter);
  for (int I = 0; I < 20000; ++I) {
    const std::string Line =
        (I % 2 == 0) ? "[STATUS]:7,Copying," + std::to_string(I % 90) : "file " + std::to_string(I);
    Run.ProcessEngineLine(Line, Counter);
    Run.AppendTranscript(Line);
  }
  for (const char* Line : {"[STATUS]:8,Finishing,100", "[Result]:OK"}) {
    Run.ProcessEngineLine(Line, Counter);
    Run.AppendTranscript(Line);
  }
  // One bar move per status and one for the section start; a detail shown
  // for every untagged line and cleared by every status and the section.
  EXPECT_EQ(Counter.Bars, 10001 + 1);
  EXPECT_EQ(Counter.Details, 20000 + 1 + 1);
  EXPECT_EQ(Counter.LastDetail, "file 19999");
  EXPECT_EQ(Counter.LastPosition, 100);
  EXPECT_TRUE(Run.Succeeded());
  const std::string Tail = "\r\n[STATUS]:8,Finishing,100\r\n[Result]:OK";
  EXPECT_EQ(Run.FTranscript.substr(Run.FTranscript.size() - Tail.size()), Tail);
}

// -------------------------------------------------------- verdict and result

const char SuccessText[] = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 3.1.0.3.";
const char FailedHead[] = "Error!  Please call the Dantor Response Center.\r\n\r\nInstallation failed in step ";

struct TVerdictCase {
  const char* Name;
  std::vector<std::string> Lines;
  bool Succeeded;
  std::string Text;                                      // the whole result text
  std::optional<unsigned long> ExitCode = std::nullopt;  // the engine's, when its end is known
};

const TVerdictCase VerdictCases[] = {
    {"standard run", {"[SECTION]:Update 1", "[STATUS]:4,Finishing,100", "[Result]:OK"}, true, SuccessText},
    {"success with error lines",
     {"[SECTION]:Update 1", "[Error]:minor trouble", "[STATUS]:4,Finishing,100", "[Error]:more", "[Result]:OK"},
     true,
     SuccessText},
    {"result before the last status", {"[SECTION]:U", "[Result]:OK", "[STATUS]:4,Done,100"}, true, SuccessText},
    {"status without a percentage keeps the 100",
     {"[SECTION]:U", "[STATUS]:4,Done,100", "[STATUS]:5,Cleaning", "[Result]:OK"},
     true,
     SuccessText},
    {"error lines shown on failure",
     {"[SECTION]:Update 2", "[STATUS]:12,Copying files,45", "[Error]:disk full", "[Error]:  giving up  "},
     false,
     std::string(FailedHead) + "Update 2 12:\"Copying files\", with the following message:\r\n\r\n"
                               "\r\ndisk full\r\ngiving up"},
    {"failure without error lines shows the output",
     {"[SECTION]:Update 2", "[STATUS]:12,Copying files,45", "copying oue.dll"},
     false,
     std::string(FailedHead) + "Update 2 12:\"Copying files\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:Update 2\r\n[STATUS]:12,Copying files,45\r\ncopying oue.dll"},
    {"section after 100 ends in failure",
     {"[SECTION]:Update 1", "[STATUS]:4,Done,100", "[Result]:OK", "[SECTION]:Update 2"},
     false,
     std::string(FailedHead) + "Update 2 :\"Initializing\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:Update 1\r\n[STATUS]:4,Done,100\r\n[Result]:OK\r\n[SECTION]:Update 2"},
    {"blank result",
     {"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:  "},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:U\r\n[STATUS]:4,Done,100\r\n[Result]:  "},
    {"100 without a result",
     {"[SECTION]:U", "[STATUS]:4,Done,100"},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:U\r\n[STATUS]:4,Done,100"},
    {"result at 99",
     {"[SECTION]:U", "[STATUS]:4,Done,99", "[Result]:OK"},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:U\r\n[STATUS]:4,Done,99\r\n[Result]:OK"},
    {"above 100 is not 100",
     {"[SECTION]:U", "[STATUS]:4,Done,101", "[Result]:OK", "[Error]:over"},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n\r\nover"},
    {"no output at all", {}, false, std::string(FailedHead) + " :\"\", with the following message:\r\n\r\n"},
    {"percent signs in the engine's texts stay as they are",
     {"[SECTION]:100%s", "[STATUS]:%d,50% done,10", "[Error]:%s %%"},
     false,
     std::string(FailedHead) + "100%s %d:\"50% done\", with the following message:\r\n\r\n\r\n%s %%"},
    {"ordinary exit codes are ignored", {"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:OK"}, true, SuccessText, 1},
    {"the highest ordinary exit code",
     {"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:OK"},
     true,
     SuccessText,
     0xBFFFFFFFUL},
    {"a crash after 100 and a result",
     {"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:OK"},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n"
                               "\r\n[SECTION]:U\r\n[STATUS]:4,Done,100\r\n[Result]:OK\r\n"
                               "oue.exe ended abnormally with exit code 0xC0000005.",
     0xC0000005UL},
    {"a crash follows the error lines",
     {"[SECTION]:U", "[Error]:disk full"},
     false,
     std::string(FailedHead) + "U :\"Initializing\", with the following message:\r\n\r\n\r\ndisk full\r\n"
                               "oue.exe ended abnormally with exit code 0xC00000FD.",
     0xC00000FDUL},
    {"the lowest crash code",
     {"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:OK", "[Error]:x"},
     false,
     std::string(FailedHead) + "U 4:\"Done\", with the following message:\r\n\r\n\r\nx\r\n"
                               "oue.exe ended abnormally with exit code 0xC0000000.",
     0xC0000000UL},
};

TEST_F(EngineProtocol, VerdictAndResultText) {
  for (const TVerdictCase& Case : VerdictCases) {
    TEngineProtocol Run;
    TRecordingView View;
    Run.FSectionCount = 2;
    for (const std::string& Line : Case.Lines) {
      Run.ProcessEngineLine(Line, View);
      Run.AppendTranscript(Line);
    }
    if (Case.ExitCode) Run.EngineEnded(*Case.ExitCode);
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Run.Succeeded(), Case.Succeeded);
    const std::string Got = Run.RunResultText("3.1.0.3");
    EXPECT_EQ(Visible(Got), Visible(Case.Text));
    // The page's text and then the log's: asking twice must not repeat a line.
    EXPECT_EQ(Visible(Run.LogResultText("3.1.0.3")), Visible(Case.Text));
  }
}

TEST_F(EngineProtocol, FailureWithoutErrorsKeepsTheOutputAsTheErrorText) {
  Run.FSectionCount = 1;
  Feed({"[SECTION]:U", "last words"});
  Run.RunResultText("3.1.0.3");
  EXPECT_EQ(Visible(Run.FErrorText), Visible("\r\n[SECTION]:U\r\nlast words"));
}

TEST_F(EngineProtocol, FailureFromACopyShowsTheCopyNotTheTranscript) {
  Run.FErrorText = "Generic\r\r[5] Access is denied:\r\rC:\\a\\oue.exe\r\rC:\\b\\oue.exe";
  Run.FTranscript = "\r\nnever shown";
  const std::string Got = Run.RunResultText("3.0.3.2");
  EXPECT_EQ(Visible(Got), Visible(std::string(FailedHead) +
                                  " :\"\", with the following message:\r\n\r\n"
                                  "Generic\r\n\r\n[5] Access is denied:\r\n\r\nC:\\a\\oue.exe\r\n\r\nC:\\b\\oue.exe"));
}

TEST_F(EngineProtocol, TranscriptCutBetweenCRAndLFStillBreaksCleanly) {
  Run.FTranscript = "\nline a\r\nline b";
  Run.RunResultText("x");
  EXPECT_EQ(Visible(Run.FErrorText), Visible("\r\nline a\r\nline b"));
}

// 10 MB of error lines once put 6.5 MB into the result page.
TEST_F(EngineProtocol, ResultPageShowsTheLatestErrorsAndTheLogKeepsThemAll) {
  const std::string Notice = "(Earlier errors are in the log file.)";
  struct TCase {
    const char* Name;
    std::string Errors;  // FErrorText as the error lines left it
    std::string Shown;   // the error part of the page
  };
  std::string Many;
  for (int I = 0; Many.size() < 10 * 1024 * 1024; ++I) Many += "\rdisk error number " + std::to_string(I);
  const std::string Last = Many.substr(Many.find('\r', Many.size() - TEngineProtocol::ShownErrorLimit));
  const std::string Fits = "\r" + std::string(TEngineProtocol::ShownErrorLimit - 1, 'e');
  const std::string Huge = "\r" + std::string(100000, 'h') + "z";
  const TCase Cases[] = {
      {"10 MB of error lines", Many, "\r" + Notice + Last},
      {"exactly the limit", Fits, Fits},
      {"one error line longer than the limit", Huge,
       "\r" + Notice + "\r" + Huge.substr(Huge.size() - TEngineProtocol::ShownErrorLimit)},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TEngineProtocol Run;
    Run.FSectionCount = 1;
    Run.FErrorText = Case.Errors;
    const std::string Page = Run.RunResultText("3.1.0.3");
    const std::string Head = ToCRLF(std::string(FailedHead) + " :\"\", with the following message:\r\r");
    EXPECT_EQ(Page.size(), Head.size() + ToCRLF(Case.Shown).size());
    EXPECT_TRUE(Page == Head + ToCRLF(Case.Shown)) << Visible(Page.substr(0, 300));
    EXPECT_LE(Page.size(), Head.size() + 2 * TEngineProtocol::ShownErrorLimit + 2 * Notice.size());
    EXPECT_TRUE(Run.LogResultText("3.1.0.3") == Head + ToCRLF(Case.Errors));
    EXPECT_TRUE(Run.FErrorText == Case.Errors);
  }
}

TEST_F(EngineProtocol, ErrorLinesReachTheBoundAsTheyCame) {
  Run.FSectionCount = 1;
  for (int I = 0; I < 2000; ++I) Run.ProcessEngineLine("[Error]: failure " + std::to_string(I) + " ", View);
  const std::string Page = Run.RunResultText("3.1.0.3");
  EXPECT_NE(Page.find("(Earlier errors are in the log file.)\r\nfailure "), std::string::npos);
  EXPECT_EQ(Page.find("failure 0\r\n"), std::string::npos);
  EXPECT_EQ(Page.substr(Page.size() - 14), "\r\nfailure 1999");
  EXPECT_NE(Run.LogResultText("3.1.0.3").find("\r\nfailure 0\r\n"), std::string::npos);
}

TEST_F(EngineProtocol, ResultTextFollowsTheLanguage) {
  SelectLanguage(1);
  Run.FSectionCount = 1;
  Feed({"[SECTION]:U", "[STATUS]:4,Done,100", "[Result]:OK"});
  EXPECT_EQ(Visible(Run.RunResultText("3.1.0.3")),
            Visible("Herzlichen Gl\xFC"
                    "ckwunsch!\r\n\r\nSie haben diesen Server erfolgreich auf 3.1.0.3 aktualisiert."));
}

TEST_F(EngineProtocol, RebootRequestStaysOnceMade) {
  Feed({"[PARAM]:NEED_REBOOT", "[PARAM]:LANG=EN", "[PARAM]:need_reboot", "[SECTION]:U"});
  EXPECT_TRUE(Run.FNeedReboot);
}

TEST_F(EngineProtocol, LastResultLineWins) {
  Feed({"[Result]:OK", "[Result]: "});
  EXPECT_EQ(Run.FResultText, "");
  Feed({"[Result]:OK again"});
  EXPECT_EQ(Run.FResultText, "OK again");
}

}  // namespace

// A huge text is kept by the run only as far as a label shows it (the log
// keeps the line whole), and a label is given only its head.
TEST_F(EngineProtocol, LabelsGetOnlyTheHeadOfAHugeText) {
  const std::string Huge(3 * MaxShownText + 7, 'h');
  const struct {
    std::string Line;
    std::string Event;
    const std::string& Kept;
  } Cases[] = {
      {"[SECTION]: " + Huge, "title=", Run.FSection},
      {"[STATUS]: 1," + Huge + ",5", "step=", Run.FCurrentStep},
  };
  for (const auto& Case : Cases) {
    View.Events.clear();
    Run.ProcessEngineLine(Case.Line, View);
    EXPECT_EQ(Case.Kept, std::string(MaxShownText, 'h')) << Case.Event;
    bool Seen = false;
    for (const std::string& Event : View.Events)
      if (Event.compare(0, Case.Event.size(), Case.Event) == 0 && Event.size() > Case.Event.size()) {
        EXPECT_EQ(Event, Case.Event + std::string(MaxShownText, 'h'));
        Seen = true;
      }
    EXPECT_TRUE(Seen) << Case.Event << " never shown";
  }
  EXPECT_EQ(ShownText("short"), "short");
  // The detail keeps only what is shown, trimmed first.
  View.Events.clear();
  Run.ProcessEngineLine("  " + Huge, View);
  EXPECT_EQ(Run.FDetail, std::string(MaxShownText, 'h'));
  EXPECT_EQ(View.Events, std::vector<std::string>{"detail=" + std::string(MaxShownText, 'h')});
}

namespace {

// An engine that writes texts of megabytes, or error lines for ever, must not
// fill a 32-bit wizard's memory: the run keeps a bounded part of each text
// (the log keeps all of them, line by line). Section, step and detail: above.
TEST_F(EngineProtocol, TheStepCodeAndTheResultAreBoundedToo) {
  const std::string Mega(1 << 20, 'm');
  const struct {
    const char* Name;
    std::string Line;
    const std::string& Kept;
  } Cases[] = {
      {"step code", "[STATUS]:" + Mega + ",step,50", Run.FStepCode},
      {"result", "[Result]: " + Mega, Run.FResultText},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Run.ProcessEngineLine(Case.Line, View);
    EXPECT_TRUE(Case.Kept == std::string(MaxShownText, 'm')) << Case.Kept.size() << " bytes kept";
  }
}

TEST_F(EngineProtocol, ErrorLinesForEverKeepTheLatestAndSayTheRestIsInTheLog) {
  Run.FSectionCount = 1;
  std::string Last;
  for (int I = 0; I < 200000; ++I) {
    Last = "disk error number " + std::to_string(I);
    Run.ProcessEngineLine("[Error]: " + Last, View);
    ASSERT_LE(Run.FErrorText.size(), 2 * TEngineProtocol::KeptErrorLimit + Last.size() + 1) << "after line " << I;
  }
  EXPECT_EQ(Run.FErrorText[0], '\r') << "the kept errors do not start at a line";
  const std::string Notice = "(Earlier errors are in the log file.)";
  const std::string Log = Run.LogResultText("3.1.0.3");
  EXPECT_NE(Log.find(Notice + "\r\n"), std::string::npos) << Visible(Log.substr(0, 300));
  EXPECT_EQ(Log.substr(Log.size() - Last.size() - 2), "\r\n" + Last);
  EXPECT_EQ(Log.find("number 0\r\n"), std::string::npos);
  const std::string Page = Run.RunResultText("3.1.0.3");
  EXPECT_EQ(Page.find(Notice), Page.rfind(Notice)) << "the notice twice";
}

TEST(ProgressBatch, KeepsOnlyWhatALabelShows) {
  TProgressBatch Batch;
  TRecordingView View;
  const std::string Mega(1 << 20, 'm');
  Batch.ShowSectionTitle(Mega);
  Batch.ShowCurrentStep(Mega);
  Batch.ShowDetail(Mega);
  Batch.Flush(View);
  ASSERT_EQ(View.Events.size(), 3u);
  for (const std::string& Event : View.Events) EXPECT_LE(Event.size(), MaxShownText + 16) << Event.substr(0, 10);
}

}  // namespace
