// The run's log on disk: the running file that receives each line as it is
// interpreted, the free name for the final log, and the final log composed
// from the result text, the banner and the running file.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

// How one interpreted line stands in the running file: the line, then CR LF,
// so a file left behind by a wizard that died is an ordinary text file whose
// every line is whole.
void AppendRunningLine(std::string& Buffer, const std::string& Line);

// The running file of a run whose dated log name is DatedName.
std::string RunningLogName(const std::string& DatedName);

// DatedName ("...\OUpdate.2026Dec08_11_24.log") when Taken says it is free,
// else the first free one of "...\OUpdate.2026Dec08_11_24.2.log", ".3.log",
// and so on. Throws std::runtime_error when no name up to MaxLogNumber is free.
constexpr int MaxLogNumber = 9999;
std::string UniqueLogName(const std::string& DatedName, const std::function<bool(const std::string&)>& Taken);

// Reads up to Count bytes of the running file into Buffer; 0 at its end.
// Throws when the file cannot be read.
using TReadBytes = std::function<std::size_t(char* Buffer, std::size_t Count)>;
// Writes all bytes or throws.
using TWriteBytes = std::function<void(const char* Data, std::size_t Count)>;

// Writes the final log: ResultText, the banner, then every line of the
// running file with CR LF before it (the layout the log always had, with
// the whole output instead of its last part). Streams in pieces, so the
// output is never held in memory whole.
void ComposeRunLog(const std::string& ResultText, const TReadBytes& ReadRunning, const TWriteBytes& Write);

// The access list of a folder the wizard creates for a log, in Windows'
// security descriptor language: protected from its parent's entries; full
// control for Administrators (BA) and SYSTEM (SY), folders and files below
// included; authenticated users (AU) may read and list, nothing more.
constexpr char LogFolderSecurity[] = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FRFX;;;AU)";
