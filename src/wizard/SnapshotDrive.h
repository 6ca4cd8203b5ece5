// The snapshot-drive page: what a drive offers, which drive to preselect, and
// how the drive list names each drive.
#pragma once
#include <string>
#include <vector>

// The platform's drive types, by their values.
enum TDriveType {
  dtUnknown = 0,
  dtNoRootDir = 1,
  dtRemovable = 2,
  dtFixed = 3,
  dtRemote = 4,
  dtCDROM = 5,
  dtRAMDisk = 6
};

// The free share of a drive in whole percent, exact in 64-bit integers, halves
// to the even neighbour. Within 0..100 whatever the system reports: more free
// space than the drive holds shows 100, a failed query (-1) or a drive of
// size 0 shows 0.
int FreePercent(long long FreeBytes, long long TotalBytes);
// Free space in whole megabytes, halves to the even neighbour; 0 for a failed
// query.
long long FreeMegabytes(long long FreeBytes);

// The least free space, in whole megabytes of 1,048,576 bytes, a snapshot needs.
constexpr long long MinSnapshotMegabytes = 1500;

struct TSnapshotVerdict {
  std::string LabelText;     // for lbSnapshotDriveSizeInfo
  bool NextEnabled = false;  // also: label enabled and bold
  long long Megabytes = 0;   // free space, rounded (fixed disks only)
  int Percent = 0;           // free share of the drive, rounded (fixed disks only)
};

// Judges the drive the operator chose. FreeBytes and TotalBytes are the
// platform's answers, -1 when a query failed. Other drive types than a fixed
// disk get their mark. A fixed disk gets the current language's free-space
// text, with ThousandsSeparator from the regional settings.
TSnapshotVerdict JudgeSnapshotDrive(int DriveType, long long FreeBytes, long long TotalBytes,
                                    const std::string& ThousandsSeparator);

struct TDriveCandidate {
  char Letter;  // 'A' .. 'Z' (either case)
  int DriveType;
  long long FreeBytes;  // available to the user; -1 when unreadable
};

// The fixed disk with the most free space, as an upper-case letter; among
// equals the earliest letter. 0 when no fixed disk has any free space, so the
// list keeps the drive it started with. Throws std::invalid_argument for a
// letter outside A-Z.
char ChooseDefaultSnapshotDrive(const std::vector<TDriveCandidate>& Drives);

// Only removable, fixed, network, CD-ROM and RAM drives appear in the list.
bool IsListedDriveType(int DriveType);

// The text of a drive's entry in the drive list, upper-cased. ShareName is
// the network name a remote drive is connected to, empty when unreadable, in
// which case the volume label stands in. Throws std::invalid_argument for a
// drive type the list does not show or a letter outside A-Z.
std::string DriveListEntryText(char Letter, int DriveType, const std::string& VolumeLabel,
                               const std::string& ShareName);
