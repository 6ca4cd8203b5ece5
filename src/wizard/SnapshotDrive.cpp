#include "wizard/SnapshotDrive.h"

#include <climits>
#include <cmath>
#include <stdexcept>

#include "text/LangRes.h"
#include "text/TextFormat.h"

namespace {

const long long BytesPerMegabyte = 1048576;

const char* DriveTypeMark(int DriveType) {
  switch (DriveType) {
    case dtRemovable: return "[FLOPPY]";
    case dtRemote: return "[NETWORK]";
    case dtCDROM: return "[CD-ROM]";
    case dtRAMDisk: return "[RAM]";
    default: return "[]";
  }
}

char CheckedUpperLetter(char Letter) {
  if (Letter >= 'a' && Letter <= 'z') return static_cast<char>(Letter - 'a' + 'A');
  if (Letter >= 'A' && Letter <= 'Z') return Letter;
  throw std::invalid_argument(std::string("not a drive letter: '") + Letter + "'");
}

// Upper case as the system's code page 1252 has it, accented letters
// included, since volume labels and share names may carry them.
std::string AnsiUpperCase(std::string Text) {
  for (char& C : Text) {
    unsigned char B = static_cast<unsigned char>(C);
    if ((B >= 'a' && B <= 'z') || (B >= 0xE0 && B <= 0xFE && B != 0xF7))
      B = static_cast<unsigned char>(B - 0x20);
    else if (B == 0x9A || B == 0x9C || B == 0x9E)  // š œ ž
      B = static_cast<unsigned char>(B - 0x10);
    else if (B == 0xFF)  // ÿ
      B = 0x9F;
    C = static_cast<char>(B);
  }
  return Text;
}

// 100 * free as an exact 64-bit product; beyond its range (free space in the
// tens of petabytes) the floating-point product is as good.
double HundredTimes(long long Bytes) {
  if (Bytes > LLONG_MAX / 100 || Bytes < LLONG_MIN / 100) return 100.0 * static_cast<double>(Bytes);
  return static_cast<double>(100 * Bytes);
}

}  // namespace

long long RoundHalfEven(double Value) {
  // -2^63 fits a long long, 2^63 does not; NaN fails both tests.
  if (!(Value >= -9223372036854775808.0 && Value < 9223372036854775808.0))
    throw std::domain_error("cannot round to a 64-bit integer: " + std::to_string(Value));
  // From 2^52 on every double is whole: no fraction, so no step past 2^63.
  double Floor = std::floor(Value);
  double Fraction = Value - Floor;
  if (Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Floor, 2.0) != 0.0)) Floor += 1.0;
  return static_cast<long long>(Floor);
}

TSnapshotVerdict JudgeSnapshotDrive(int DriveType, long long FreeBytes, long long TotalBytes,
                                    const std::string& ThousandsSeparator) {
  TSnapshotVerdict Verdict;
  if (DriveType != dtFixed) {
    Verdict.LabelText = DriveTypeMark(DriveType);
    return Verdict;
  }
  if (TotalBytes > 0)
    Verdict.Percent = static_cast<int>(RoundHalfEven(HundredTimes(FreeBytes) / static_cast<double>(TotalBytes)));
  Verdict.Megabytes = RoundHalfEven(static_cast<double>(FreeBytes) / static_cast<double>(BytesPerMegabyte));
  Verdict.LabelText = FormatText(GetControlText("lbSnapshotDriveSizeInfo"),
                                 {static_cast<double>(Verdict.Megabytes), Verdict.Percent}, ThousandsSeparator);
  Verdict.NextEnabled = Verdict.Megabytes >= MinSnapshotMegabytes;
  return Verdict;
}

char ChooseDefaultSnapshotDrive(const std::vector<TDriveCandidate>& Drives) {
  char Best = 0;
  long long BestFree = 0;
  for (const TDriveCandidate& Drive : Drives) {
    char Letter = CheckedUpperLetter(Drive.Letter);
    if (Drive.DriveType != dtFixed) continue;
    // Strictly more wins; equal space goes to the earlier letter even when
    // the caller did not list the drives from A to Z.
    if (Drive.FreeBytes > BestFree || (Best != 0 && Drive.FreeBytes == BestFree && Letter < Best)) {
      Best = Letter;
      BestFree = Drive.FreeBytes;
    }
  }
  return Best;
}

bool IsListedDriveType(int DriveType) {
  switch (DriveType) {
    case dtRemovable:
    case dtFixed:
    case dtRemote:
    case dtCDROM:
    case dtRAMDisk: return true;
    default: return false;
  }
}

std::string DriveListEntryText(char Letter, int DriveType, const std::string& VolumeLabel,
                               const std::string& ShareName) {
  if (!IsListedDriveType(DriveType))
    throw std::invalid_argument("drive type " + std::to_string(DriveType) + " has no entry in the drive list");
  std::string Drive = std::string(1, CheckedUpperLetter(Letter)) + ":";
  // Reading a removable drive's label would wait for (or ask for) a medium.
  if (DriveType == dtRemovable) return Drive;
  if (DriveType == dtRemote && !ShareName.empty()) return AnsiUpperCase(Drive + " " + ShareName);
  return AnsiUpperCase(Drive + " [" + VolumeLabel + "]");
}
