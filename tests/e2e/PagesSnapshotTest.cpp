// The snapshot drive: the drive list names every drive by its kind, the fixed
// disk with the most room is preselected, and only a fixed disk with room for
// the snapshot lets the operator go on. The test bed has a drive of each kind
// (D: fixed "DATA", E: CD-ROM "UPDATE_CD", F: network, G: removable, R: RAM).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

// What the test itself learns about a drive, to hold the wizard's view against.
struct TDriveSeen {
  char Letter;
  UINT Type;
  std::string Label;
  long long FreeBytes = -1, TotalBytes = -1;
};

std::string Upper(std::string Text) {
  for (char& C : Text)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Text;
}

std::vector<TDriveSeen> DrivesOfThisMachine() {
  const UINT OldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  std::vector<TDriveSeen> Drives;
  const DWORD Mask = GetLogicalDrives();
  for (int I = 0; I < 26; ++I) {
    if (!(Mask & (1u << I))) continue;
    TDriveSeen Drive{static_cast<char>('A' + I), 0, ""};
    const std::string Root = std::string(1, Drive.Letter) + ":\\";
    Drive.Type = GetDriveTypeA(Root.c_str());
    char Label[MAX_PATH + 1] = {};
    if (GetVolumeInformationA(Root.c_str(), Label, sizeof Label, nullptr, nullptr, nullptr, nullptr, 0))
      Drive.Label = Label;
    ULARGE_INTEGER Free, Total;
    if (GetDiskFreeSpaceExA(Root.c_str(), &Free, &Total, nullptr)) {
      Drive.FreeBytes = static_cast<long long>(Free.QuadPart);
      Drive.TotalBytes = static_cast<long long>(Total.QuadPart);
    }
    Drives.push_back(Drive);
  }
  SetErrorMode(OldMode);
  return Drives;
}

// The entry the list must show for a drive; empty when it is not listed.
// Wine names no share behind a network letter, so its label stands in.
std::string EntryFor(const TDriveSeen& Drive) {
  const std::string Letter = std::string(1, Drive.Letter) + ":";
  switch (Drive.Type) {
    case DRIVE_REMOVABLE:
      return Letter;
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      return Letter + " [" + Upper(Drive.Label) + "]";
    default:
      return "";
  }
}

// "74,425 MB free [29%]": the megabytes and the percent, or false.
bool ReadFreeSpaceLabel(const std::string& Text, long long& Megabytes, int& Percent) {
  size_t I = 0;
  std::string Digits;
  for (; I < Text.size() && (std::isdigit(static_cast<unsigned char>(Text[I])) || Text[I] == ','); ++I)
    if (Text[I] != ',') Digits += Text[I];
  const std::string Middle = " MB free [";
  if (Digits.empty() || Text.compare(I, Middle.size(), Middle) != 0) return false;
  I += Middle.size();
  const size_t Close = Text.find("%]", I);
  if (Close == std::string::npos || Close + 2 != Text.size() || Close == I) return false;
  for (size_t J = I; J < Close; ++J)
    if (!std::isdigit(static_cast<unsigned char>(Text[J]))) return false;
  Megabytes = std::atoll(Digits.c_str());
  Percent = std::atoi(Text.substr(I, Close - I).c_str());
  return true;
}

class PagesSnapshot : public TWizardTest {
 protected:
  int ItemOf(char Letter) {
    const std::vector<std::string> Items = Wizard().ComboItems("cbSnapshotDrive");
    for (size_t I = 0; I < Items.size(); ++I)
      if (!Items[I].empty() && Items[I][0] == Letter) return static_cast<int>(I);
    ADD_FAILURE() << "the drive list has no entry for " << Letter << ":";
    return -1;
  }

  char SelectedLetter() {
    const int Index = Wizard().ComboSelection("cbSnapshotDrive");
    if (Index < 0) return 0;
    return Wizard().ComboItems("cbSnapshotDrive").at(static_cast<size_t>(Index))[0];
  }

  // How the page judges a drive that cannot hold the snapshot.
  void ExpectRefused(const std::string& Mark) {
    TWizardDriver& W = Wizard();
    EXPECT_EQ(Mark, W.Text("lbSnapshotDriveSizeInfo"));
    EXPECT_FALSE(W.IsBold("lbSnapshotDriveSizeInfo"));
    EXPECT_FALSE(W.IsEnabled("lbSnapshotDriveSizeInfo"));
    EXPECT_TRUE(W.IsVisible("btNext"));
    EXPECT_FALSE(W.IsEnabled("btNext"));
  }

  // A fixed disk with room: its free space (as the test sees it, give or
  // take what other programs write meanwhile), bold, and Next. The disk is
  // the build machine's own, so its free space is read again right here.
  void ExpectAccepted(const TDriveSeen& Seen) {
    TWizardDriver& W = Wizard();
    const std::string Text = W.Text("lbSnapshotDriveSizeInfo");
    TDriveSeen Drive = Seen;
    for (const TDriveSeen& Now : DrivesOfThisMachine())
      if (Now.Letter == Seen.Letter) Drive = Now;
    long long Megabytes = 0;
    int Percent = 0;
    ASSERT_TRUE(ReadFreeSpaceLabel(Text, Megabytes, Percent)) << "label \"" << Text << "\"";
    ASSERT_GT(Drive.TotalBytes, 0);
    EXPECT_LE(std::llabs(Megabytes - Drive.FreeBytes / 1048576), 512) << Text;
    EXPECT_LE(std::abs(Percent - static_cast<int>(100 * Drive.FreeBytes / Drive.TotalBytes)), 1) << Text;
    EXPECT_TRUE(W.IsBold("lbSnapshotDriveSizeInfo"));
    EXPECT_TRUE(W.IsEnabled("lbSnapshotDriveSizeInfo"));
    EXPECT_TRUE(W.IsEnabled("btNext"));
  }

  // Every drive by its kind, and a fixed disk with the most room preselected.
  void ExpectTheDriveList(const std::vector<TDriveSeen>& Drives) {
    std::vector<std::string> Expected;
    for (const TDriveSeen& Drive : Drives)
      if (!EntryFor(Drive).empty()) Expected.push_back(EntryFor(Drive));
    const std::vector<std::string> Items = Wizard().ComboItems("cbSnapshotDrive");
    EXPECT_EQ(Expected, Items);
    for (const char* Entry : {"D: [DATA]", "E: [UPDATE_CD]", "F: []", "G:", "R: []"})
      EXPECT_NE(Items.end(), std::find(Items.begin(), Items.end(), Entry)) << Entry << " is missing";
    // Reading an empty drive's label brought up no box.
    EXPECT_TRUE(Wizard().NoMessageBoxFor(0)) << OpenBoxes();

    // Preselected: a fixed disk with no less room than any other (they share
    // one file system here, so only a few megabytes written meanwhile apart).
    const char Chosen = SelectedLetter();
    long long MostFree = 0, ChosenFree = -1;
    for (const TDriveSeen& Drive : Drives) {
      if (Drive.Type != DRIVE_FIXED) continue;
      MostFree = std::max(MostFree, Drive.FreeBytes);
      if (Drive.Letter == Chosen) ChosenFree = Drive.FreeBytes;
    }
    EXPECT_GE(ChosenFree, 0) << Chosen << ": is not a fixed disk";
    EXPECT_LE(MostFree - ChosenFree, 256LL << 20) << Chosen << ": has less room than another fixed disk";
  }
};

}  // namespace

// The list as the wizard opens, then the walk to the snapshot page.
TEST_F(PagesSnapshot, OnlyAFixedDiskWithRoomLetsTheOperatorGoOn) {
  const std::vector<TDriveSeen> Drives = DrivesOfThisMachine();
  const std::string Folder = World().MakeUpdateFolder("zero", {{"Orvane-3.1.0.0.oue"}});
  ASSERT_TRUE(StartWizard());
  {
    SCOPED_TRACE("TheDriveListNamesEveryDriveByItsKind");
    ExpectTheDriveList(Drives);
  }
  const TDriveSeen* Data = nullptr;
  for (const TDriveSeen& Drive : Drives)
    if (Drive.Letter == 'D') Data = &Drive;
  ASSERT_TRUE(Data != nullptr && Data->Type == DRIVE_FIXED) << "the test bed has no fixed disk D:";
  ASSERT_GE(Data->FreeBytes, 1600LL << 20) << "D: has too little room for this test";

  TWizardDriver& W = Wizard();
  ASSERT_TRUE(ShowUpdateList(Folder));
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  EXPECT_TRUE(W.IsEnabled("btNext")) << W.Text("lbSnapshotDriveSizeInfo");

  // There and back again: every kind of drive that cannot hold the snapshot,
  // then the fixed disk.
  const struct {
    char Letter;
    const char* Mark;  // nullptr: a fixed disk
  } Cases[] = {{'E', "[CD-ROM]"}, {'D', nullptr}, {'F', "[NETWORK]"},
               {'G', "[FLOPPY]"}, {'R', "[RAM]"}, {'D', nullptr}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(std::string("drive ") + Case.Letter + ":");
    ASSERT_TRUE(W.SelectCombo("cbSnapshotDrive", ItemOf(Case.Letter))) << OpenBoxes();
    Settle();
    if (Case.Mark)
      ExpectRefused(Case.Mark);
    else
      ExpectAccepted(*Data);
    EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
  }
  W.Screenshot("page3-snapshot-drive-fixed-en.bmp");

  // The choice survives a visit to the next page and is judged again.
  ASSERT_TRUE(Move("btNext", "TabSheet5"));
  ASSERT_TRUE(Move("btPrev", "TabSheet3"));
  EXPECT_EQ('D', SelectedLetter());
  ExpectAccepted(*Data);

  // Entering the page judges the drive afresh, after enabling Next.
  ASSERT_TRUE(W.SelectCombo("cbSnapshotDrive", ItemOf('E'))) << OpenBoxes();
  Settle();
  W.Screenshot("page3-snapshot-drive-cdrom-en.bmp");
  ASSERT_TRUE(Move("btPrev", "TabSheet2"));
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  EXPECT_EQ('E', SelectedLetter());
  ExpectRefused("[CD-ROM]");
}
