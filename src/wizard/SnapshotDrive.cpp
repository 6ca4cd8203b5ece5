#include "wizard/SnapshotDrive.h"

#include <stdexcept>

#include "text/LangRes.h"
#include "text/TextFormat.h"

namespace {

const long long BytesPerMegabyte = 1048576;

const char* DriveTypeMark(int DriveType) {
  switch (DriveType) {
    case dtRemovable:
      return "[FLOPPY]";
    case dtRemote:
      return "[NETWORK]";
    case dtCDROM:
      return "[CD-ROM]";
    case dtRAMDisk:
      return "[RAM]";
    default:
      return "[]";
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

}  // namespace

int FreePercent(long long FreeBytes, long long TotalBytes) {
  if (TotalBytes <= 0 || FreeBytes <= 0) return 0;
  if (FreeBytes >= TotalBytes) return 100;
  // 100 * free / total by repeated addition modulo total: exact for every
  // 64-bit size, where the product itself could overflow. Since free < total
  // each step carries at most one into the quotient and the remainder plus
  // free stays below 2^64.
  const unsigned long long Free = static_cast<unsigned long long>(FreeBytes);
  const unsigned long long Total = static_cast<unsigned long long>(TotalBytes);
  unsigned long long Quotient = 0, Remainder = 0;
  for (int Step = 0; Step < 100; ++Step) {
    Remainder += Free;
    if (Remainder >= Total) {
      Remainder -= Total;
      ++Quotient;
    }
  }
  if (2 * Remainder > Total || (2 * Remainder == Total && Quotient % 2 != 0)) ++Quotient;
  return static_cast<int>(Quotient);
}

long long FreeMegabytes(long long FreeBytes) {
  if (FreeBytes <= 0) return 0;
  long long Megabytes = FreeBytes / BytesPerMegabyte;
  const long long Remainder = FreeBytes % BytesPerMegabyte;
  const long long Half = BytesPerMegabyte / 2;
  if (Remainder > Half || (Remainder == Half && Megabytes % 2 != 0)) ++Megabytes;
  return Megabytes;
}

TSnapshotVerdict JudgeSnapshotDrive(int DriveType, long long FreeBytes, long long TotalBytes,
                                    const std::string& ThousandsSeparator) {
  TSnapshotVerdict Verdict;
  if (DriveType != dtFixed) {
    Verdict.LabelText = DriveTypeMark(DriveType);
    return Verdict;
  }
  Verdict.Percent = FreePercent(FreeBytes, TotalBytes);
  Verdict.Megabytes = FreeMegabytes(FreeBytes);
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
    case dtRAMDisk:
      return true;
    default:
      return false;
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
