// The plain-value parts of one engine run: the engine's command line, the
// support folder the engine and wizard are copied into, the copy failure's
// description, and the run's log file (its name and its content).
#pragma once
#include <string>

// Encloses Value in double quotes so that the engine's C runtime reads back
// exactly Value: backslashes before an inner quote or before the closing
// quote are doubled and an inner quote becomes \". Every other backslash is
// taken literally by the runtime, so an ordinary folder comes out unchanged
// between the quotes.
std::string QuoteArgument(const std::string& Value);

// The engine's arguments: the update-files folder with one trailing backslash
// removed (a drive's root such as "D:\" keeps it), and in the snapshot form the drive as "<letter>:". SnapshotDrive
// must be a letter (lower case is raised); anything else throws
// std::invalid_argument when the snapshot form needs it.
std::string EngineArguments(bool NoSnapshot, char SnapshotDrive, const std::string& UpdateFolder);

// "\"<program>\" <arguments>". A path containing a double quote cannot be
// quoted and throws std::invalid_argument.
std::string EngineCommandLine(const std::string& ProgramPath, const std::string& Arguments);

// The wizard's path with its extension replaced by ".yyyymmmdd_hh_nn.log",
// mmm being the locale's abbreviation of the month (English when empty).
// Only a "." after the last "\" or ":" starts the extension. Out-of-range
// date or time parts throw std::invalid_argument.
std::string LogFileName(const std::string& ExePath, int Year, int Month, int Day, int Hour, int Minute,
                        const std::string& MonthAbbreviation);

// Sits between the result text and the engine's output in the log.
extern const char* const OutputBanner;

// What the log holds: the result shown to the operator, the banner, and the
// last part of the engine's output.
std::string TranscriptRecord(const std::string& ResultText, const std::string& Transcript);

// Paths compare with only the ASCII letters folded; every other byte must match.
bool SamePathIgnoringCase(const std::string& A, const std::string& B);

// InstallRoot + "\DantorKelvra\support\bin\", as the platform lays it out.
std::string SupportBinFolder(const std::string& InstallRoot);

// The description a failed copy leaves for the result page:
// Generic, then "[code] message:", then the source and the target, each
// block separated by two bare CRs as the catalogue's texts break lines.
std::string CopyFailureText(const std::string& Generic, unsigned long Code, const std::string& SysMessage,
                            const std::string& Source, const std::string& Target);
