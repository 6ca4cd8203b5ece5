// The exit codes and the log's first lines agree with each other and with the
// table the README publishes to fleet tools.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "wizard/UnattendedOutcome.h"

namespace {

using O = TUnattendedOutcome;

// The rows "| <code> | <meaning> |" of the README's exit-code table, the
// markdown's backticks taken out.
std::map<int, std::string> ReadmeExitCodes() {
  std::ifstream File(std::string(OUPDATE_SOURCE_DIR) + "/README.md");
  std::stringstream Text;
  Text << File.rdbuf();
  std::map<int, std::string> Rows;
  std::string Line;
  bool InTable = false;
  while (std::getline(Text, Line)) {
    if (Line.rfind("| exit code | meaning |", 0) == 0) InTable = true;
    if (!InTable) continue;
    if (Line.empty() || Line[0] != '|') break;
    const std::size_t Second = Line.find(" | ");
    if (Line.size() < 4 || Second == std::string::npos || !isdigit(static_cast<unsigned char>(Line[2]))) continue;
    std::string Meaning = Line.substr(Second + 3, Line.size() - Second - 3 - 2);
    std::string Plain;
    for (char C : Meaning)
      if (C != '`') Plain += C;
    Rows[std::stoi(Line.substr(2, Second - 2))] = Plain;
  }
  return Rows;
}

TEST(ExitCodeTable, IsTheReadmesTableRowForRow) {
  const std::map<int, std::string> Readme = ReadmeExitCodes();
  ASSERT_EQ(ExitCodeRows, Readme.size()) << "rows in README.md's exit-code table";
  for (std::size_t I = 0; I < ExitCodeRows; ++I) {
    const auto It = Readme.find(ExitCodeTable[I].Code);
    ASSERT_NE(Readme.end(), It) << ExitCodeTable[I].Code << " is not in the README";
    EXPECT_EQ(It->second, ExitCodeTable[I].Meaning) << "code " << ExitCodeTable[I].Code;
  }
}

// Every outcome, and every code a log loss can turn it into: the first line
// names the very code the process ends with, and no two codes share one.
TEST(ExitCodeTable, EachCodeHasItsOwnFirstLineNamingIt) {
  const O Outcomes[] = {O::Succeeded,      O::SucceededNeedsReboot, O::UpToDate, O::RebootPending,
                        O::AlreadyRunning, O::BadCommandLine,       O::Refused,  O::Failed};
  std::set<std::string> Lines;
  for (bool Check : {false, true}) {
    std::set<std::string> LinesOfMode;
    for (O Outcome : Outcomes)
      for (bool Complete : {true, false}) {
        const int Code = FinalExitCode(Outcome, Complete);
        const std::string Head = UnattendedLogHead(Code, Check, {"Deciding text\r", "Reboot notice"});
        EXPECT_EQ(Code, ExitCodeOfLogHead(Head)) << Head;
        EXPECT_EQ(OutcomeLine(Code, Check), Head.substr(0, Head.find("\r\n")));
        EXPECT_EQ("\r\nDeciding text\r\n\r\nReboot notice", Head.substr(Head.find("\r\n"))) << Head;
        LinesOfMode.insert(OutcomeLine(Code, Check));
        Lines.insert(OutcomeLine(Code, Check));
      }
    EXPECT_EQ(ExitCodeRows, LinesOfMode.size());
  }
  EXPECT_EQ(ExitCodeRows + 1, Lines.size()) << "a ready /check has a line of its own";
  EXPECT_EQ("Exit code 0: The node would start the update now.", OutcomeLine(0, true));
  EXPECT_EQ("Exit code 1603", OutcomeLine(1603, false).substr(0, 14));
}

TEST(ExitCodeTable, AHeadWithoutTextsIsTheOutcomeLineAlone) {
  EXPECT_EQ(OutcomeLine(1, false), UnattendedLogHead(1, false, {"", ""}));
  const struct {
    const char* Log;
    int Code;
  } Cases[] = {{"Exit code 3010: x\r\nmore", 3010},
               {"Exit code 2:", 2},
               {"Exit code :", -1},
               {"exit code 1: x", -1},
               {"Congratulations!", -1},
               {"Exit code 99999999999: x", -1}};
  for (const auto& Case : Cases) EXPECT_EQ(Case.Code, ExitCodeOfLogHead(Case.Log)) << Case.Log;
}

}  // namespace
