#include "wizard/SnapshotDrive.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "text/LangRes.h"

namespace {

class SnapshotDrive : public ::testing::Test {
 protected:
  void SetUp() override { LoadEnglish(); }
  void TearDown() override { LoadEnglish(); }
};

struct TJudgeCase {
  const char* Title;
  int DriveType;
  long long Free, Total;
  const char* Separator;
  const char* Label;
  bool NextEnabled;
  long long Megabytes;
  int Percent;
};

TEST_F(SnapshotDrive, JudgesTheChosenDrive) {
  const TJudgeCase Cases[] = {
      {"just short of 1500 MB", dtFixed, 1572339711LL, 10737418240LL, ",", "1,499 MB free [15%]", false, 1499, 15},
      {"just enough", dtFixed, 1572339712LL, 10737418240LL, ",", "1,500 MB free [15%]", true, 1500, 15},
      {"1500 MB exactly", dtFixed, 1572864000LL, 1572864000LL, ",", "1,500 MB free [100%]", true, 1500, 100},
      {"1,500,000,000 bytes are not 1500 MB", dtFixed, 1500000000LL, 3000000000LL, ",", "1,431 MB free [50%]", false,
       1431, 50},
      {"a quarter of 100 GB", dtFixed, 26843545600LL, 107374182400LL, ",", "25,600 MB free [25%]", true, 25600, 25},
      {"regional separator", dtFixed, 26843545600LL, 107374182400LL, ".", "25.600 MB free [25%]", true, 25600, 25},
      {"megabyte half goes down to even", dtFixed, 1571291136LL, 1571291136LL * 2, ",", "1,498 MB free [50%]", false,
       1498, 50},
      {"percent half goes down to even", dtFixed, 1LL * 1048576 * 1600, 8LL * 1048576 * 1600, ",",
       "1,600 MB free [12%]", true, 1600, 12},
      {"percent half goes up to even", dtFixed, 3LL * 1048576 * 1600, 8LL * 1048576 * 1600, ",", "4,800 MB free [38%]",
       true, 4800, 38},
      {"size 0 gives no percentage", dtFixed, 5000000000LL, 0, ",", "4,768 MB free [0%]", true, 4768, 0},
      {"failed queries", dtFixed, -1, -1, ",", "0 MB free [0%]", false, 0, 0},
      {"empty disk", dtFixed, 0, 500107862016LL, ",", "0 MB free [0%]", false, 0, 0},
      {"full disk", dtFixed, 500107862016LL, 500107862016LL, ",", "476,940 MB free [100%]", true, 476940, 100},
      {"more free than total", dtFixed, 91182071808LL, 4, ",", "86,958 MB free [100%]", true, 86958, 100},
      {"free over total near 9.2e16", dtFixed, 9223372036854775807LL, 100, ",", "8,796,093,022,208 MB free [100%]",
       true, 8796093022208LL, 100},
      {"size reported, free failed", dtFixed, -1, 107374182400LL, ",", "0 MB free [0%]", false, 0, 0},
      {"floppy", dtRemovable, 26843545600LL, 107374182400LL, ",", "[FLOPPY]", false, 0, 0},
      {"network", dtRemote, 26843545600LL, 107374182400LL, ",", "[NETWORK]", false, 0, 0},
      {"CD-ROM", dtCDROM, 26843545600LL, 107374182400LL, ",", "[CD-ROM]", false, 0, 0},
      {"RAM disk", dtRAMDisk, 26843545600LL, 107374182400LL, ",", "[RAM]", false, 0, 0},
      {"unknown", dtUnknown, 26843545600LL, 107374182400LL, ",", "[]", false, 0, 0},
      {"no root directory", dtNoRootDir, 26843545600LL, 107374182400LL, ",", "[]", false, 0, 0},
      {"type out of the table", 7, 26843545600LL, 107374182400LL, ",", "[]", false, 0, 0},
      {"negative type", -1, 26843545600LL, 107374182400LL, ",", "[]", false, 0, 0},
  };
  for (const TJudgeCase& Case : Cases) {
    SCOPED_TRACE(Case.Title);
    TSnapshotVerdict Verdict = JudgeSnapshotDrive(Case.DriveType, Case.Free, Case.Total, Case.Separator);
    EXPECT_EQ(Verdict.LabelText, Case.Label);
    EXPECT_EQ(Verdict.NextEnabled, Case.NextEnabled);
    EXPECT_EQ(Verdict.Megabytes, Case.Megabytes);
    EXPECT_EQ(Verdict.Percent, Case.Percent);
  }
}

TEST_F(SnapshotDrive, HugeDisksNeitherOverflowNorLoseThePercentage) {
  // 100 x free would not fit 64 bits here.
  TSnapshotVerdict Verdict = JudgeSnapshotDrive(dtFixed, 4611686018427387904LL, 9223372036854775807LL, ",");
  EXPECT_EQ(Verdict.Percent, 50);
  EXPECT_EQ(Verdict.Megabytes, 4398046511104LL);
  EXPECT_TRUE(Verdict.NextEnabled);
}

TEST(FreePercent, StaysWithinTheScaleAndNeverThrows) {
  struct TCase {
    long long Free, Total;
    int Percent;
  };
  const TCase Cases[] = {
      {91182071808LL, 4, 100},
      {9223372036854775807LL, 1, 100},
      {9223372036854775807LL, 100, 100},
      {9223372036854775806LL, 9223372036854775807LL, 100},
      {1, 9223372036854775807LL, 0},
      {4611686018427387904LL, 9223372036854775807LL, 50},
      {1, 200, 0},  // half a percent goes down to even
      {3, 200, 2},  // one and a half goes up to even
      {-1, -1, 0},
      {-5, 100, 0},
      {5, -100, 0},
      {5, 0, 0},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(FreePercent(Case.Free, Case.Total), Case.Percent) << "free " << Case.Free << ", total " << Case.Total;
}

TEST_F(SnapshotDrive, LabelFollowsTheLanguage) {
  LoadFrench();
  EXPECT_EQ(JudgeSnapshotDrive(dtFixed, 26843545600LL, 107374182400LL, ",").LabelText, "25,600 Mo disp. [25%]");
  LoadGerman();
  EXPECT_EQ(JudgeSnapshotDrive(dtFixed, 26843545600LL, 107374182400LL, ".").LabelText, "25.600 MB frei [25%]");
  // The marks read the same in every language.
  EXPECT_EQ(JudgeSnapshotDrive(dtCDROM, 0, 0, ".").LabelText, "[CD-ROM]");
}

struct TChooseCase {
  const char* Title;
  std::vector<TDriveCandidate> Drives;
  char Expected;
};

TEST(ChooseDefaultSnapshotDrive, PicksTheFixedDiskWithTheMostFreeSpace) {
  const TChooseCase Cases[] = {
      {"no drives", {}, 0},
      {"no fixed disk", {{'A', dtRemovable, 1000}, {'E', dtCDROM, 5000}, {'F', dtRemote, 9000}}, 0},
      {"fixed disk without free space", {{'C', dtFixed, 0}}, 0},
      {"fixed disk unreadable", {{'C', dtFixed, -1}}, 0},
      {"the most free space", {{'C', dtFixed, 100}, {'D', dtFixed, 200}, {'E', dtFixed, 150}}, 'D'},
      {"equal space: earlier letter", {{'C', dtFixed, 200}, {'D', dtFixed, 200}}, 'C'},
      {"equal space listed backwards", {{'D', dtFixed, 200}, {'C', dtFixed, 200}}, 'C'},
      {"other types never win", {{'C', dtFixed, 100}, {'F', dtRemote, 900}, {'R', dtRAMDisk, 800}}, 'C'},
      {"lower-case letters", {{'c', dtFixed, 100}, {'d', dtFixed, 300}}, 'D'},
      {"beyond 32 bits", {{'C', dtFixed, 4294967296LL}, {'D', dtFixed, 4294967295LL}}, 'C'},
      {"beyond 2^63 / 2", {{'C', dtFixed, 100}, {'Z', dtFixed, 6000000000000000000LL}}, 'Z'},
  };
  for (const TChooseCase& Case : Cases) {
    char Got = ChooseDefaultSnapshotDrive(Case.Drives);
    EXPECT_EQ(Got, Case.Expected) << Case.Title << ": got " << (Got ? std::string(1, Got) : std::string("none"));
  }
}

TEST(ChooseDefaultSnapshotDrive, RefusesWhatIsNoDriveLetter) {
  EXPECT_THROW(ChooseDefaultSnapshotDrive({{'1', dtFixed, 100}}), std::invalid_argument);
  EXPECT_THROW(ChooseDefaultSnapshotDrive({{'C', dtFixed, 100}, {'\0', dtCDROM, 0}}), std::invalid_argument);
}

TEST(DriveList, ListsFiveDriveTypes) {
  const std::pair<int, bool> Cases[] = {{dtUnknown, false}, {dtNoRootDir, false}, {dtRemovable, true},
                                        {dtFixed, true},    {dtRemote, true},     {dtCDROM, true},
                                        {dtRAMDisk, true},  {7, false},           {-1, false}};
  for (const auto& Case : Cases) EXPECT_EQ(IsListedDriveType(Case.first), Case.second) << "drive type " << Case.first;
}

struct TEntryCase {
  char Letter;
  int DriveType;
  const char* Label;
  const char* Share;
  const char* Expected;
};

TEST(DriveList, EntryTexts) {
  const TEntryCase Cases[] = {
      {'A', dtRemovable, "Disk", "", "A:"},
      {'a', dtRemovable, "", "", "A:"},
      {'c', dtFixed, "System", "", "C: [SYSTEM]"},
      {'D', dtFixed, "", "", "D: []"},
      {'E', dtCDROM, "Orvane 3.1", "", "E: [ORVANE 3.1]"},
      {'R', dtRAMDisk, "ramdisk", "", "R: [RAMDISK]"},
      {'F', dtRemote, "net", "\\\\srv\\share", "F: \\\\SRV\\SHARE"},
      {'f', dtRemote, "net", "", "F: [NET]"},
      {'F', dtRemote, "", "", "F: []"},
      {'C', dtFixed, "donn\xE9\x65s \xFF\xB5\xDF", "", "C: [DONN\xC9\x45S \x9F\xB5\xDF]"},
  };
  for (const TEntryCase& Case : Cases)
    EXPECT_EQ(DriveListEntryText(Case.Letter, Case.DriveType, Case.Label, Case.Share), Case.Expected)
        << "drive " << Case.Letter << " type " << Case.DriveType;
}

TEST(DriveList, RefusesDrivesItDoesNotShow) {
  EXPECT_THROW(DriveListEntryText('C', dtUnknown, "", ""), std::invalid_argument);
  EXPECT_THROW(DriveListEntryText('C', dtNoRootDir, "", ""), std::invalid_argument);
  EXPECT_THROW(DriveListEntryText('?', dtFixed, "", ""), std::invalid_argument);
}

}  // namespace
