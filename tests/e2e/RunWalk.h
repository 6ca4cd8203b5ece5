// The way to an engine run, as an operator goes it on a seeded node: the
// first page, the update-files folder, the update list, the snapshot drive
// when it is offered, and Start. Also what a run leaves to read afterwards:
// the result page and the dated log beside the wizard.
//
// Kept in a header because the end-to-end program is built from its *Test.cpp
// files; every Run*Test.cpp includes it.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Driver.h"
#include "DriverError.h"
#include "Files.h"
#include "World.h"
#include "WizardFixture.h"

namespace runwalk {

// A run of the simulator with no pause between lines ends in well under a
// second; the end is noticed within the wizard's one-second timer.
constexpr DWORD RunTimeoutMs = 30000;
constexpr DWORD PageTimeoutMs = DefaultTimeoutMs;

// The separator between the result text and the engine's output in the log.
inline const std::string LogBanner = "\r\n** output ******************************************\r\n";

inline std::string BoxesOf(const TWizardDriver& W) {
  std::ostringstream Out;
  for (const TMessageBox& Box : W.MessageBoxes()) Out << Box << "\n";
  std::string Text = Out.str();
  return Text.empty() ? std::string("no message box open") : Text;
}

// Update files Orvane-3.1.0.<First> ... <Last> in Folder (created when missing,
// blanks in its name allowed). Update 0 among them brings the snapshot page.
inline std::string MakeUpdates(const std::string& Folder, int First, int Last) {
  const std::string Path = WithBackslash(Folder);
  if (!MakeDirectories(Path)) throw TDriverError("cannot create " + Path);
  for (int N = First; N <= Last; ++N) {
    const std::string Name = "Orvane-3.1.0." + std::to_string(N) + ".oue";
    WriteFileBytes(Path + Name, "update " + Name + "\r\n");
  }
  return Path;
}

// Goes from the first page to the page before the run (TabSheet5). Language
// is the index in cbLocale, picked on the first page (0 keeps English).
// SnapshotPageSeen tells whether TabSheet3 came on the way.
inline ::testing::AssertionResult WalkToStart(TWizardDriver& W, const std::string& UpdateFolder, int Language = 0,
                                              bool* SnapshotPageSeen = nullptr) {
  auto Stuck = [&W](const std::string& Where, const std::string& Seen) {
    return ::testing::AssertionFailure() << Where << ": the wizard shows page \"" << Seen << "\"\n  " << BoxesOf(W);
  };
  std::string Seen = W.WaitPage("TabSheet0", PageTimeoutMs);
  if (Seen != "TabSheet0") return Stuck("at start", Seen);
  if (Language != 0 && !W.SelectCombo("cbLocale", Language))
    return ::testing::AssertionFailure() << "language " << Language << " could not be picked\n  " << BoxesOf(W);

  W.Click("btNext");
  if ((Seen = W.WaitPage("TabSheet1", PageTimeoutMs)) != "TabSheet1") return Stuck("after the first page", Seen);
  W.SetText("edUpdateFilesPath", UpdateFolder);
  if (!W.WaitEnabled("btNext", true, PageTimeoutMs))
    return ::testing::AssertionFailure() << "Next stays disabled for the folder " << UpdateFolder;

  W.Click("btNext");
  if ((Seen = W.WaitPage("TabSheet2", PageTimeoutMs)) != "TabSheet2") return Stuck("after the folder page", Seen);
  if (!W.WaitEnabled("btNext", true, PageTimeoutMs))
    return ::testing::AssertionFailure() << "no updates listed from " << UpdateFolder;

  W.Click("btNext");
  WaitUntil([&] { Seen = W.ActivePage(); return Seen == "TabSheet3" || Seen == "TabSheet5"; }, PageTimeoutMs);
  if (SnapshotPageSeen != nullptr) *SnapshotPageSeen = Seen == "TabSheet3";
  if (Seen == "TabSheet3") {
    if (!W.WaitEnabled("btNext", true, PageTimeoutMs))
      return ::testing::AssertionFailure() << "the snapshot drive is refused: " << W.Text("lbSnapshotDriveSizeInfo");
    W.Click("btNext");
    Seen = W.WaitPage("TabSheet5", PageTimeoutMs);
  }
  if (Seen != "TabSheet5") return Stuck("after the update list", Seen);
  return ::testing::AssertionSuccess();
}

// Presses Start and waits until the run has begun (TabSheet6) or already
// ended (TabSheet7).
inline ::testing::AssertionResult PressStart(TWizardDriver& W) {
  W.Click("btNext");
  std::string Seen;
  if (WaitUntil([&] { Seen = W.ActivePage(); return Seen == "TabSheet6" || Seen == "TabSheet7"; }, PageTimeoutMs))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "Start did not begin a run: page \"" << Seen << "\"\n  " << BoxesOf(W);
}

inline ::testing::AssertionResult WaitResultPage(TWizardDriver& W, DWORD TimeoutMs = RunTimeoutMs) {
  std::string Seen = W.WaitPage("TabSheet7", TimeoutMs);
  if (Seen == "TabSheet7") return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the run did not end on the result page within " << TimeoutMs
                                       << " ms: page \"" << Seen << "\", current step \""
                                       << W.Text("txtCurrentStep") << "\"\n  " << BoxesOf(W);
}

// The local time as the wizard names its log: "yyyyMmmdd_hh_nn" (the test
// prefix's locale gives English month abbreviations).
inline std::string LogStamp(const SYSTEMTIME& T) {
  static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char Text[32];
  snprintf(Text, sizeof Text, "%04u%s%02u_%02u_%02u", T.wYear, Months[(T.wMonth + 11) % 12], T.wDay, T.wHour,
           T.wMinute);
  return Text;
}

inline SYSTEMTIME LocalNow() {
  SYSTEMTIME Now;
  GetLocalTime(&Now);
  return Now;
}

// A log of one run, split where the wizard joined it.
struct TRunLog {
  std::string Name;
  std::string ResultText;            // before the banner
  std::vector<std::string> Output;   // the engine's lines after it, in order
  std::string Raw;
};

// Splits the transcript ("\r\n" before every line) into its lines.
inline std::vector<std::string> TranscriptLines(const std::string& Transcript) {
  std::vector<std::string> Lines;
  size_t At = 0;
  while (At < Transcript.size()) {
    // A cut transcript may begin inside a line; only whole lines start with CR LF.
    const size_t Start = Transcript.compare(At, 2, "\r\n") == 0 ? At + 2 : At;
    size_t Next = Transcript.find("\r\n", Start);
    if (Next == std::string::npos) Next = Transcript.size();
    Lines.push_back(Transcript.substr(Start, Next - Start));
    At = Next;
  }
  return Lines;
}

// Reads the one log the wizard wrote beside itself, which must be named for
// the minute the run ended in (one of Earliest ... Latest).
inline ::testing::AssertionResult ReadRunLog(const TWorld& World, const SYSTEMTIME& Earliest,
                                             const SYSTEMTIME& Latest, TRunLog& Log) {
  const std::vector<std::string> Logs = World.LogFiles();
  if (Logs.size() != 1) {
    ::testing::AssertionResult Failure = ::testing::AssertionFailure();
    Failure << Logs.size() << " log files beside the wizard:";
    for (const std::string& Name : Logs) Failure << " " << Name;
    return Failure;
  }
  Log.Name = Logs[0];
  const std::string First = "OUpdate." + LogStamp(Earliest) + ".log";
  const std::string Last = "OUpdate." + LogStamp(Latest) + ".log";
  if (Log.Name != First && Log.Name != Last)
    return ::testing::AssertionFailure() << "the log is named " << Log.Name << ", expected " << First
                                         << (First == Last ? "" : " or " + Last);
  Log.Raw = ReadFileBytes(World.WizardDir() + Log.Name).value_or("");
  const size_t Banner = Log.Raw.find(LogBanner);
  if (Banner == std::string::npos)
    return ::testing::AssertionFailure() << "no output banner in the log:\n" << Log.Raw;
  Log.ResultText = Log.Raw.substr(0, Banner);
  Log.Output = TranscriptLines(Log.Raw.substr(Banner + LogBanner.size()));
  return ::testing::AssertionSuccess();
}

// Where Expected occurs in Lines as a run of consecutive lines; npos if not.
inline size_t FindLines(const std::vector<std::string>& Lines, const std::vector<std::string>& Expected) {
  if (Expected.empty() || Expected.size() > Lines.size()) return std::string::npos;
  for (size_t At = 0; At + Expected.size() <= Lines.size(); ++At) {
    bool Match = true;
    for (size_t I = 0; I < Expected.size() && Match; ++I) Match = Lines[At + I] == Expected[I];
    if (Match) return At;
  }
  return std::string::npos;
}

inline std::string Joined(const std::vector<std::string>& Lines) {
  std::string Out;
  for (const std::string& Line : Lines) Out += "  | " + Line + "\n";
  return Out;
}

// The result page's failure text in English for section, step code, step and
// message (the message's lone CRs already made CR LF).
inline std::string EnglishFailureText(const std::string& Section, const std::string& StepCode,
                                      const std::string& Step, const std::string& Message) {
  return "Error!  Please call the Dantor Response Center.\r\n\r\nInstallation failed in step " + Section + " " +
         StepCode + ":\"" + Step + "\", with the following message:\r\n\r\n" + Message;
}

inline std::string EnglishSuccessText(const std::string& Level) {
  return "Congratulations!\r\n\r\nYou have successfully upgraded this server to " + Level + ".";
}

// A test that starts one scripted run: the wizard with ~nosnapshot on a node
// with updates 0 to LastUpdate, whose engine plays Scenario, walked to Start
// and started. FStarted is the earliest time a log of the run can carry.
class TScenarioRunTest : public TWizardTest {
 protected:
  ::testing::AssertionResult StartScenarioRun(const std::string& Name, const std::string& Scenario,
                                              int LastUpdate) {
    World().UseScenario(Name, Scenario);
    const std::string Updates = MakeUpdates(World().Root() + "updates", 0, LastUpdate);
    ::testing::AssertionResult Started = StartWizard("~nosnapshot");
    if (!Started) return Started;
    ::testing::AssertionResult Walked = WalkToStart(Wizard(), Updates);
    if (!Walked) return Walked;
    FStarted = LocalNow();
    return PressStart(Wizard());
  }
  SYSTEMTIME FStarted = {};
};

}  // namespace runwalk
