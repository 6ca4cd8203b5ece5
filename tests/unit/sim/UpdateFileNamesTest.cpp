// The simulator must run exactly the updates the wizard lists: one table of
// names, read by both.
#include "UpdateFileNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wizard/UpdateFiles.h"

namespace {

struct TNameCase {
  const char* FileName;
  long long Number;  // -1: not an update file for either
};

const TNameCase NameCases[] = {
    {"Orvane-3.1.0.4.oue", 4},
    {"orvane-3.1.0.12b.OUE", 12},
    {"Orvane-3.1.0.5[fix].oue", 5},
    {"Orvane-3.1.0.5.1.oue", 5},
    {"Orvane-3.1.0.0.oue", 0},
    {"Orvane-3.1.0.999999999.oue", 999999999},
    {"Orvane-3.1.0.1000000000.oue", 1000000000},
    {"Orvane-3.1.0.2147483647.oue", 2147483647},
    {"Orvane-3.1.0.2147483648.oue", 214748364},  // one trailing character is dropped
    {"Orvane-3.1.0.21474836480.oue", -1},
    {"Orvane-3.1.0.-0.oue", 0},
    {"Orvane-3.1.0.+7.oue", 7},
    {"Orvane-3.1.0.-7.oue", -1},
    {"Orvane-3.1.0.x1f.oue", 31},
    {"Orvane-3.1.0.0x10.oue", 16},
    {"Orvane-3.1.0. 8.oue", 8},
    {"Orvane-3.1.0.1ab.oue", -1},
    {"Orvane-3.1.0.3.oue.oue", -1},
    {"Orvane-3.0.3.2.oue", -1},
    {"Orvane-3.1.0.x.oue", -1},
    {"Orvane-3.1.0.5]x[y].oue", -1},
    {"", -1},
};

TEST(SimulatorUpdateNames, ReadEveryNameAsTheWizardDoes) {
  for (const TNameCase& Case : NameCases) {
    const int Wizard = ParseUpdateNumber(Case.FileName);
    EXPECT_EQ(Wizard < 0 ? -1 : Wizard, Case.Number) << "wizard, name [" << Case.FileName << "]";
    const auto Simulator = oue_sim::UpdateNumberOf(Case.FileName);
    EXPECT_EQ(Simulator ? static_cast<long long>(*Simulator) : -1, Case.Number)
        << "simulator, name [" << Case.FileName << "]";
  }
}

TEST(SimulatorUpdateNames, SelectsTheUpdatesTheWizardLists) {
  const std::vector<std::string> Names = {"Orvane-3.1.0.2147483647.oue", "Orvane-3.1.0.3[b].oue", "Orvane-3.1.0.-0.oue",
                                          "Orvane-3.1.0.3.oue",          "Orvane-3.1.0.-4.oue",   "notes.txt"};
  const TUpdateScan Scan = ScanUpdateNames(Names);
  const std::vector<oue_sim::UpdateFile> Updates = oue_sim::SelectUpdates(Names);
  std::vector<int> Selected;
  for (const oue_sim::UpdateFile& Update : Updates) Selected.push_back(static_cast<int>(Update.number));
  EXPECT_EQ(Selected, Scan.Numbers);
  ASSERT_EQ(Updates.size(), 3u);
  EXPECT_EQ(Updates[1].fileName, "Orvane-3.1.0.3.oue");  // of two files, the first in byte order runs
}

TEST(SimulatorUpdateNames, KeepsOneUpdatePerNumberInLargeFolders) {
  std::vector<std::string> Names;
  for (int Number = 19999; Number >= 0; --Number) {
    Names.push_back("Orvane-3.1.0." + std::to_string(Number) + ".oue");
    Names.push_back("Orvane-3.1.0." + std::to_string(Number) + "[copy].oue");
  }
  const std::vector<oue_sim::UpdateFile> Updates = oue_sim::SelectUpdates(Names);
  ASSERT_EQ(Updates.size(), 20000u);
  for (std::size_t I = 0; I < Updates.size(); ++I) ASSERT_EQ(Updates[I].number, I) << "position " << I;
}

}  // namespace
