#include "wizard/EngineRun.h"

#include "utils/AsciiCase.h"

#include <cstdio>
#include <stdexcept>

namespace {

const char EngineSwitches[] = "-ouegui -product orvane";

// Used when the locale gives no abbreviation, so the log still gets a name
// that sorts readably rather than one with the month missing.
const char* const EnglishMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDriveRoot(const std::string& Path) {
  const char Letter = AsciiUpper(Path.empty() ? '\0' : Path[0]);
  return Path.size() == 3 && Letter >= 'A' && Letter <= 'Z' && Path[1] == ':' && Path[2] == '\\';
}

void Require(bool Condition, const std::string& What, int Value) {
  if (!Condition) throw std::invalid_argument(What + " out of range: " + std::to_string(Value));
}

std::string TwoDigits(int Value) {
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "%02d", Value);
  return Buffer;
}

}  // namespace

const char* const OutputBanner = "\r\n** output ******************************************\r\n";

std::string QuoteArgument(const std::string& Value) {
  std::string Result = "\"";
  std::size_t Backslashes = 0;
  for (const char C : Value) {
    if (C == '\\') {
      ++Backslashes;
      continue;
    }
    if (C == '"') {
      // The runtime halves a run of backslashes before a quote; doubling them
      // and escaping the quote gives back the run and a literal quote.
      Result.append(Backslashes * 2 + 1, '\\');
    } else {
      Result.append(Backslashes, '\\');
    }
    Backslashes = 0;
    Result += C;
  }
  // Backslashes right before the closing quote would otherwise swallow it.
  Result.append(Backslashes * 2, '\\');
  Result += '"';
  return Result;
}

std::string EngineArguments(bool NoSnapshot, char SnapshotDrive, const std::string& UpdateFolder) {
  std::string Folder = UpdateFolder;
  // "D:" alone would mean the current folder of drive D: to the engine, so a
  // drive's root keeps its backslash; QuoteArgument doubles it before the
  // closing quote.
  if (!Folder.empty() && Folder.back() == '\\' && !IsDriveRoot(Folder)) Folder.pop_back();
  if (NoSnapshot) return std::string(EngineSwitches) + " -nosnapshot -dir " + QuoteArgument(Folder);
  const char Drive = AsciiUpper(SnapshotDrive);
  if (Drive < 'A' || Drive > 'Z')
    throw std::invalid_argument("snapshot drive must be a letter A to Z, got character code " +
                                std::to_string(static_cast<unsigned char>(SnapshotDrive)));
  return std::string(EngineSwitches) + " -snapshotlocation " + QuoteArgument(std::string(1, Drive) + ":") + " -dir " +
         QuoteArgument(Folder);
}

std::string EngineCommandLine(const std::string& ProgramPath, const std::string& Arguments) {
  // The runtime reads the program name up to the next quote without escapes,
  // so a quote inside it cannot be expressed at all.
  if (ProgramPath.find('"') != std::string::npos)
    throw std::invalid_argument("program path contains a double quote: " + ProgramPath);
  return "\"" + ProgramPath + "\" " + Arguments;
}

std::string LogFileName(const std::string& ExePath, int Year, int Month, int Day, int Hour, int Minute,
                        const std::string& MonthAbbreviation) {
  Require(Year >= 0 && Year <= 9999, "year", Year);
  Require(Month >= 1 && Month <= 12, "month", Month);
  Require(Day >= 1 && Day <= 31, "day", Day);
  Require(Hour >= 0 && Hour <= 23, "hour", Hour);
  Require(Minute >= 0 && Minute <= 59, "minute", Minute);

  std::string Base = ExePath;
  const std::size_t Delimiter = Base.find_last_of(".\\:");
  if (Delimiter != std::string::npos && Base[Delimiter] == '.') Base.erase(Delimiter);

  char YearText[16];
  std::snprintf(YearText, sizeof YearText, "%04d", Year);
  const std::string MonthText = MonthAbbreviation.empty() ? EnglishMonths[Month - 1] : MonthAbbreviation;
  return Base + "." + YearText + MonthText + TwoDigits(Day) + "_" + TwoDigits(Hour) + "_" + TwoDigits(Minute) + ".log";
}

std::string TranscriptRecord(const std::string& ResultText, const std::string& Transcript) {
  return ResultText + OutputBanner + Transcript;
}

bool SamePathIgnoringCase(const std::string& A, const std::string& B) { return SameTextIgnoringAsciiCase(A, B); }

std::string SupportBinFolder(const std::string& InstallRoot) { return InstallRoot + "\\DantorKelvra\\support\\bin\\"; }

std::string CopyFailureText(const std::string& Generic, unsigned long Code, const std::string& SysMessage,
                            const std::string& Source, const std::string& Target) {
  return Generic + "\r\r[" + std::to_string(Code) + "] " + SysMessage + ":\r\r" + Source + "\r\r" + Target;
}
