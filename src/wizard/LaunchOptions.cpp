#include "wizard/LaunchOptions.h"

#include "utils/AsciiCase.h"

#include "text/LangRes.h"
#include "wizard/CommandLine.h"

const char* const UnattendedUsage =
    "OUpdate.exe /quiet /updates=<folder> [/snapshot=<drive>: | /nosnapshot] [/lang=<language>] [/log=<file>] "
    "[/acceptwarnings]\r"
    "OUpdate.exe /passive (same switches)\r"
    "OUpdate.exe /check (same switches)";

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

// A drive as "D:", "D:\" or "D"; 0 when Text names none.
char DriveLetter(const std::string& Text) {
  if (Text.empty() || Text.size() > 3) return 0;
  const char Letter = static_cast<char>(Text[0] >= 'a' && Text[0] <= 'z' ? Text[0] - 'a' + 'A' : Text[0]);
  if (Letter < 'A' || Letter > 'Z') return 0;
  if (Text.size() >= 2 && Text[1] != ':') return 0;
  if (Text.size() == 3 && Text[2] != '\\') return 0;
  return Letter;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& CommandLine) {
  std::vector<std::string> Args;
  size_t At = 0;
  const size_t End = CommandLine.size();
  // The program: no escapes, a quote only groups.
  std::string Program;
  if (At < End && CommandLine[At] == '"') {
    ++At;
    while (At < End && CommandLine[At] != '"') Program += CommandLine[At++];
    if (At < End) ++At;
  } else {
    while (At < End && !IsBlank(CommandLine[At])) Program += CommandLine[At++];
  }
  Args.push_back(Program);

  for (;;) {
    while (At < End && IsBlank(CommandLine[At])) ++At;
    if (At >= End) break;
    std::string Arg;
    bool Quoted = false;
    while (At < End && (Quoted || !IsBlank(CommandLine[At]))) {
      size_t Backslashes = 0;
      while (At < End && CommandLine[At] == '\\') {
        ++Backslashes;
        ++At;
      }
      if (At < End && CommandLine[At] == '"') {
        Arg.append(Backslashes / 2, '\\');
        if (Backslashes % 2 == 1) {
          Arg += '"';
          ++At;
        } else if (Quoted && At + 1 < End && CommandLine[At + 1] == '"') {
          Arg += '"';
          At += 2;
        } else {
          Quoted = !Quoted;
          ++At;
        }
      } else {
        Arg.append(Backslashes, '\\');
        if (At < End && (Quoted || !IsBlank(CommandLine[At]))) Arg += CommandLine[At++];
      }
    }
    Args.push_back(Arg);
  }
  return Args;
}

int LanguageByName(const std::string& Name) {
  static const char* const Codes[LanguageCount] = {"en", "de", "fr", "es"};
  const std::string Lowered = AsciiLowerCase(Name);
  for (int I = 0; I < LanguageCount; ++I)
    if (Lowered == Codes[I] || Lowered == AsciiLowerCase(LanguageNames[I])) return I;
  return -1;
}

namespace {

// What the arguments have said so far; the first refusal is the one reported.
struct TArgumentReading {
  TLaunchOptions Options;
  bool Quiet = false, Passive = false, Check = false, HaveUpdates = false, HaveLanguage = false, HaveLog = false;
  std::string FirstSwitch, FirstStray, Error;
  void Refuse(const std::string& Why) {
    if (Error.empty()) Error = Why;
  }
};

bool IsFlagSwitch(const std::string& Name) {
  return Name == "quiet" || Name == "passive" || Name == "check" || Name == "nosnapshot" || Name == "acceptwarnings";
}

bool IsValuedSwitch(const std::string& Name) {
  return Name == "updates" || Name == "snapshot" || Name == "lang" || Name == "log";
}

// A known switch in its sound form: a flag without a value, the others with one.
void TakeSwitch(TArgumentReading& Reading, const std::string& Name, const std::string& Value) {
  TLaunchOptions& Options = Reading.Options;
  if (Name == "quiet") {
    Reading.Quiet = true;
  } else if (Name == "passive") {
    Reading.Passive = true;
  } else if (Name == "check") {
    Reading.Check = true;
  } else if (Name == "nosnapshot") {
    Options.NoSnapshot = true;
  } else if (Name == "acceptwarnings") {
    Options.AcceptWarnings = true;
  } else if (Name == "updates") {
    if (Reading.HaveUpdates) Reading.Refuse("the update folder is given twice");
    Reading.HaveUpdates = true;
    Options.UpdateFolder = Value;
  } else if (Name == "snapshot") {
    if (Options.SnapshotDrive) Reading.Refuse("the snapshot drive is given twice");
    Options.SnapshotDrive = DriveLetter(Value);
    if (!Options.SnapshotDrive) Reading.Refuse("\"" + Value + "\" is no drive");
  } else if (Name == "lang") {
    if (Reading.HaveLanguage) Reading.Refuse("the language is given twice");
    Reading.HaveLanguage = true;
    const int Language = LanguageByName(Value);
    if (Language < 0)
      Reading.Refuse("\"" + Value + "\" is no language of the wizard");
    else
      Options.Language = Language;
  } else {
    if (Reading.HaveLog) Reading.Refuse("the log file is given twice");
    Reading.HaveLog = true;
    Options.LogFile = Value;
  }
}

void ReadArgument(TArgumentReading& Reading, const std::string& Arg) {
  if (IsNoSnapshotSwitch(Arg)) {
    Reading.Options.NoSnapshot = true;
    return;
  }
  if (Arg.empty() || (Arg[0] != '/' && Arg[0] != '-')) {
    if (Reading.FirstStray.empty()) Reading.FirstStray = Arg.empty() ? std::string("\"\"") : Arg;
    return;
  }
  const size_t Equals = Arg.find('=');
  const std::string Name = AsciiLowerCase(Arg.substr(1, Equals == std::string::npos ? std::string::npos : Equals - 1));
  const bool HasValue = Equals != std::string::npos;
  const std::string Value = HasValue ? Arg.substr(Equals + 1) : std::string();
  if (Reading.FirstSwitch.empty() && Name != "quiet" && Name != "passive" && Name != "check") Reading.FirstSwitch = Arg;

  const bool Flag = IsFlagSwitch(Name);
  const bool Valued = IsValuedSwitch(Name);
  if (!Flag && !Valued)
    Reading.Refuse("unknown switch " + Arg);
  else if (Flag && HasValue)
    Reading.Refuse("the switch " + Arg.substr(0, Equals) + " takes no value");
  else if (Valued && Value.empty())
    Reading.Refuse("the switch " + Arg + " needs a value after \"=\"");
  else
    TakeSwitch(Reading, Name, Value);
}

// The run mode, and what the switches say together.
void SettleMode(TArgumentReading& Reading) {
  TLaunchOptions& Options = Reading.Options;
  if (Reading.Quiet + Reading.Passive + Reading.Check > 1)
    Reading.Refuse("/quiet, /passive and /check exclude each other");
  Options.Mode = Reading.Quiet     ? TRunMode::Quiet
                 : Reading.Passive ? TRunMode::Passive
                 : Reading.Check   ? TRunMode::Check
                                   : TRunMode::Interactive;
  if (!Options.Unattended()) {
    // The window takes only the tilde switch; what a fleet tool says is
    // meant for an unattended run, and guessing at it would be worse.
    if (!Reading.FirstSwitch.empty())
      Reading.Refuse("the switch " + Reading.FirstSwitch + " needs /quiet, /passive or /check");
  } else {
    if (!Reading.FirstStray.empty()) Reading.Refuse("unexpected argument " + Reading.FirstStray);
    if (!Reading.HaveUpdates) Reading.Refuse("/updates=<folder> is missing");
    if (Options.NoSnapshot && Options.SnapshotDrive) Reading.Refuse("/snapshot and /nosnapshot exclude each other");
  }
}

}  // namespace

TLaunchOptions ParseLaunchOptions(const std::vector<std::string>& Args) {
  TArgumentReading Reading;
  for (const std::string& Arg : Args) ReadArgument(Reading, Arg);
  SettleMode(Reading);
  Reading.Options.Error = Reading.Error;
  return Reading.Options;
}
