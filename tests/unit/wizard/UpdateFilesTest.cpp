#include "wizard/UpdateFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TParseCase {
  const char* FileName;
  int Expected;
};

TEST(ParseUpdateNumber, AcceptsTheNamesOfUpdateFiles) {
  const TParseCase Cases[] = {
      {"Orvane-3.1.0.4.oue", 4},         {"orvane-3.1.0.12b.OUE", 12},
      {"Orvane-3.1.0.5[fix].oue", 5},    {"Orvane-3.1.0.5.1.oue", 5},
      {"ORVANE-3.1.0.7.OUE", 7},         {"Orvane-3.1.0.0.oue", 0},
      {"Orvane-3.1.0.123.oue", 123},     {"Orvane-3.1.0.0012.oue", 12},
      {"Orvane-3.1.0.1-.oue", 1},        {"Orvane-3.1.0.5 .oue", 5},
      {"Orvane-3.1.0.6[.oue", 6},       // a "[" without its "]" is the one trailing extra
      {"Orvane-[a]3.1.0.6.oue", 6},     // brackets anywhere after the prefix
      {"Orvane-3.1.0.[a]6[b].oue", 6},  // every pair goes
      {"Orvane-3.1.0.6[x.y].oue", 6},   // the bracket goes before the cut at "."
      {"Orvane-3.1.0.8.beta[2].oue", 8}, {"Orvane-3.1.0.2147483647.oue", 2147483647},
  };
  for (const TParseCase& Case : Cases)
    EXPECT_EQ(ParseUpdateNumber(Case.FileName), Case.Expected) << "file name [" << Case.FileName << "]";
}

TEST(ParseUpdateNumber, RejectsOtherNames) {
  const char* const Cases[] = {
      "Orvane-3.1.0.3.oue.oue",  // the extension twice
      "Orvane-3.1.0.3.oue.bak",  // ".oue" not at the end
      "Orvane-3.0.3.2.oue",      // another level
      "Orvane-3.1.1.2.oue",
      "Orvane-3.1.0.x.oue",  // no number
      "Orvane-3.1.0..oue",
      "Orvane-3.1.0.oue",
      "Orvane-3.1.0.1ab.oue",     // only one trailing character is dropped
      "Orvane-3.1.0.5]x[y].oue",  // a "]" before the first "[" stops the removal
      "Orvane-3.1.0.5][x].oue",
      "Orvane-3.1.0.$.oue",
      "Orvane-3.1.0.b.oue",  // a single character is never shortened
      "Orvane-3.1.0.21474836480.oue",
      "Orvane3.1.0.4.oue",    // the prefix needs its hyphen
      "XOrvane-3.1.0.4.oue",  // and must start the name
      "Orvane-3.1.0.4",
      "Orvane-3.1.0.4.ou",
      "Orvane-3.1.0.4.oue ",
      "Orvane-.oue",
      "Orvane-",
      "",
      "3.1.0.4.oue",
  };
  for (const char* FileName : Cases) EXPECT_EQ(ParseUpdateNumber(FileName), -1) << "file name [" << FileName << "]";
}

TEST(ParseUpdateNumber, ReadsHexadecimalAndSignedForms) {
  const TParseCase Cases[] = {
      {"Orvane-3.1.0.$1F.oue", 31},
      {"Orvane-3.1.0.$1f.oue", 31},
      {"Orvane-3.1.0.x1F.oue", 31},
      {"Orvane-3.1.0.X1F.oue", 31},
      {"Orvane-3.1.0.0x10.oue", 16},
      {"Orvane-3.1.0.0X10.oue", 16},
      {"Orvane-3.1.0.-5.oue", -5},
      {"Orvane-3.1.0.+5.oue", 5},
      {"Orvane-3.1.0. 7.oue", 7},
      {"Orvane-3.1.0.  7.oue", 7},
      {"Orvane-3.1.0.-2147483648.oue", -2147483647 - 1},
      {"Orvane-3.1.0.$7FFFFFFF.oue", 2147483647},
      // Out of range as a whole, so the last digit is taken for the extra character.
      {"Orvane-3.1.0.2147483648.oue", 214748364},
      {"Orvane-3.1.0.0x.oue", 0},
  };
  for (const TParseCase& Case : Cases)
    EXPECT_EQ(ParseUpdateNumber(Case.FileName), Case.Expected) << "file name [" << Case.FileName << "]";
}

struct TIntCase {
  const char* Text;
  bool Valid;
  int Expected;
};

TEST(StrToInt, FollowsThePlatformConversion) {
  const TIntCase Cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"0012", true, 12},
      {" 7", true, 7},
      {"   7", true, 7},
      {"-5", true, -5},
      {"+5", true, 5},
      {"$1F", true, 31},
      {"$1f", true, 31},
      {"x1F", true, 31},
      {"X1F", true, 31},
      {"0x10", true, 16},
      {"0X10", true, 16},
      {"-$10", true, -16},
      {" -0x10", true, -16},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"$7FFFFFFF", true, 2147483647},
      {"-$80000000", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$80000000", false, 0},
      {"99999999999999999999", false, 0},
      {"$FFFFFFFFFFFFFFFFFF", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"$", false, 0},
      {"x", false, 0},
      {"0x", false, 0},
      {"7 ", false, 0},
      {"\t7", false, 0},
      {"1a", false, 0},
      {"$G", false, 0},
      {"--5", false, 0},
      {"+-5", false, 0},
      {"- 5", false, 0},
      {"1.0", false, 0},
      {"$-1", false, 0},
  };
  for (const TIntCase& Case : Cases) {
    int Value = 12345;
    bool Valid = TryStrToInt(Case.Text, Value);
    EXPECT_EQ(Valid, Case.Valid) << "text [" << Case.Text << "] gave " << Value;
    if (Case.Valid)
      EXPECT_EQ(Value, Case.Expected) << "text [" << Case.Text << "]";
    else
      EXPECT_EQ(Value, 12345) << "a refused text [" << Case.Text << "] must leave the value alone";
    EXPECT_EQ(StrToIntDef(Case.Text, -1), Case.Valid ? Case.Expected : -1) << "text [" << Case.Text << "]";
  }
}

TEST(ColonList, AddStartsWithAColonAndEndsEachItemWithOne) {
  std::string List;
  ColonListAdd(List, "0");
  EXPECT_EQ(List, ":0:");
  ColonListAdd(List, "1");
  ColonListAdd(List, "12");
  EXPECT_EQ(List, ":0:1:12:");
}

struct TContainsCase {
  const char* List;
  const char* Item;
  bool Expected;
};

TEST(ColonList, ContainsWholeItemsOnly) {
  const TContainsCase Cases[] = {
      {":0:1:2:", "0", true},
      {":0:1:2:", "1", true},
      {":0:1:2:", "2", true},
      {":0:1:2:", "3", false},
      {":10:", "0", false},
      {":10:", "1", false},
      {":10:", "10", true},
      {":05:", "5", false},
      {":5:", "05", false},
      {"", "0", false},
      {"", "", false},
      {":3.1.0:", "3.1.0", true},
      {":2.3.0:2.3.1:3.0.0:3.0.1:3.0.2:3.0.3:3.1.0:", "", false},
      {":2.3.0:2.3.1:3.0.0:3.0.1:3.0.2:3.0.3:3.1.0:", "3.0", false},
      {"0:1:", "0", false},  // a list without its leading colon misses its first item
  };
  for (const TContainsCase& Case : Cases)
    EXPECT_EQ(ColonListContains(Case.List, Case.Item), Case.Expected)
        << "list [" << Case.List << "] item [" << Case.Item << "]";
}

struct TDriveCase {
  const char* Path;
  const char* Drive;
  bool LacksLetter;
};

TEST(DrivePart, TakesLetterOrServerAndShare) {
  const TDriveCase Cases[] = {
      {"C:\\Updates", "C:", false},
      {"c:", "c:", false},
      {"J:relative", "J:", false},
      {"Z:\\", "Z:", false},
      {"\\\\srv\\share\\dir\\sub", "\\\\srv\\share", true},
      {"\\\\srv\\share\\", "\\\\srv\\share", true},
      {"\\\\srv\\share", "\\\\srv\\share", true},
      {"\\\\srv\\", "\\\\srv", true},
      {"\\\\srv", "\\\\srv", true},
      {"Updates\\x", "", true},
      {"\\Updates", "", true},
      {"C", "", true},
      {"", "", true},
  };
  for (const TDriveCase& Case : Cases) {
    EXPECT_EQ(DrivePart(Case.Path), Case.Drive) << "path [" << Case.Path << "]";
    EXPECT_EQ(LacksDriveLetter(Case.Path), Case.LacksLetter) << "path [" << Case.Path << "]";
  }
}

TEST(UpdateSearchPattern, AddsOneBackslashWhenMissing) {
  const std::pair<const char*, const char*> Cases[] = {
      {"J:\\Updates", "J:\\Updates\\Orvane-*.oue"},
      {"J:\\Updates\\", "J:\\Updates\\Orvane-*.oue"},
      {"\\\\srv\\share", "\\\\srv\\share\\Orvane-*.oue"},
      {"C:\\", "C:\\Orvane-*.oue"},
      {"", "\\Orvane-*.oue"},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(UpdateSearchPattern(Case.first), Case.second) << "folder [" << Case.first << "]";
  EXPECT_STREQ(NoUpdatesPattern, "Orvane-3.1.0.*.oue");
}

std::vector<std::string> UpdateNames(std::initializer_list<const char*> Numbers) {
  std::vector<std::string> Names;
  for (const char* Number : Numbers) Names.push_back(std::string("Orvane-3.1.0.") + Number + ".oue");
  return Names;
}

struct TScanCase {
  const char* Title;
  std::vector<std::string> Names;
  const char* FoundUpdates;
  bool UpdatesMissing;
  std::vector<int> Numbers;
};

TEST(ScanUpdateNames, SummarisesTheFolder) {
  const TScanCase Cases[] = {
      {"gap", UpdateNames({"1", "2", "4"}), ":1:2:4:", true, {1, 2, 4}},
      {"no gap from 0", UpdateNames({"0", "1", "2"}), ":0:1:2:", false, {0, 1, 2}},
      {"extremes at once", UpdateNames({"0", "2147483647"}), ":0:2147483647:", true, {0, 2147483647}},
      {"extremes reversed", UpdateNames({"2147483647", "0"}), ":2147483647:0:", true, {0, 2147483647}},
      {"one update", UpdateNames({"7"}), ":7:", false, {7}},
      {"file-system order kept, rows numeric",
       UpdateNames({"10", "2", "9", "3", "4", "5", "6", "7", "8"}),
       ":10:2:9:3:4:5:6:7:8:",
       false,
       {2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"bracketed variant", {"Orvane-3.1.0.3.oue", "Orvane-3.1.0.3[b].oue"}, ":3:", false, {3}},
      {"same number written twice",
       {"Orvane-3.1.0.$A.oue", "Orvane-3.1.0.10.oue", "orvane-3.1.0.10b.OUE"},
       ":10:",
       false,
       {10}},
      {"negative skipped", {"Orvane-3.1.0.-5.oue", "Orvane-3.1.0.5.oue"}, ":5:", false, {5}},
      {"rejects only",
       {"Orvane-3.1.0.3.oue.oue", "Orvane-3.0.3.2.oue", "Orvane-3.1.0.x.oue", "Orvane-3.1.0.1ab.oue", "readme.txt"},
       "",
       false,
       {}},
      {"nothing", {}, "", false, {}},
  };
  for (const TScanCase& Case : Cases) {
    SCOPED_TRACE(Case.Title);
    TUpdateScan Scan = ScanUpdateNames(Case.Names);
    EXPECT_EQ(Scan.FoundUpdates, Case.FoundUpdates);
    EXPECT_EQ(Scan.Count, static_cast<int>(Case.Numbers.size()));
    EXPECT_EQ(Scan.UpdatesMissing, Case.UpdatesMissing);
    EXPECT_EQ(Scan.Numbers, Case.Numbers);
    std::vector<std::string> Rows;
    for (int Number : Case.Numbers) Rows.push_back("Orvane-3.1.0." + std::to_string(Number));
    EXPECT_EQ(Scan.Rows, Rows);
  }
}

TEST(ScanUpdateNames, FindsUpdateZeroForTheSnapshotDecision) {
  EXPECT_TRUE(ColonListContains(ScanUpdateNames(UpdateNames({"0", "1", "2"})).FoundUpdates, "0"));
  EXPECT_FALSE(ColonListContains(ScanUpdateNames(UpdateNames({"10", "20"})).FoundUpdates, "0"));
}

// Folders of this size took seconds while "seen" was a search of the growing
// colon list; the summary must stay the same with any bookkeeping.
TEST(ScanUpdateNames, LargeFoldersKeepTheirOrderAndTheirDuplicatesOut) {
  std::vector<std::string> Names;
  std::string Expected;
  for (int Number = 31999; Number >= 0; --Number) {
    Names.push_back("Orvane-3.1.0." + std::to_string(Number) + ".oue");
    Names.push_back("Orvane-3.1.0." + std::to_string(Number) + "[copy].oue");
    ColonListAdd(Expected, std::to_string(Number));
  }
  const TUpdateScan Scan = ScanUpdateNames(Names);
  EXPECT_EQ(Scan.Count, 32000);
  EXPECT_EQ(Scan.FoundUpdates, Expected);
  EXPECT_FALSE(Scan.UpdatesMissing);
  ASSERT_EQ(Scan.Rows.size(), 32000u);
  EXPECT_EQ(Scan.Rows.front(), "Orvane-3.1.0.0");
  EXPECT_EQ(Scan.Rows.back(), "Orvane-3.1.0.31999");
}

}  // namespace
