#include "Scenario.h"

#include "AsciiText.h"

namespace oue_sim {
namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

struct Command {
  std::string name;
  std::string argument;  // after exactly one blank, verbatim
  bool hasArgument = false;
};

// Commands may be indented; the argument starts after the one blank that
// follows the command name.
Command SplitCommand(const std::string& FileLine) {
  Command Command;
  const std::string Line = FileLine.substr(FileLine.find_first_not_of(" \t"));
  const std::size_t Blank = Line.find(' ');
  Command.name = Line.substr(0, Blank);
  if (Blank != std::string::npos) {
    Command.argument = Line.substr(Blank + 1);
    Command.hasArgument = true;
  }
  return Command;
}

// Texts end with CR LF in the file or not; a line of the file must not keep its CR.
std::vector<std::string> FileLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) End = Text.size();
    std::string Line = Text.substr(Start, End - Start);
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    Lines.push_back(Line);
    if (End == Text.size()) break;
    Start = End + 1;
  }
  return Lines;
}

bool IsIgnored(const std::string& Line) {
  const std::size_t First = Line.find_first_not_of(" \t");
  return First == std::string::npos || Line[First] == '#';
}

}  // namespace

bool DecodeEscapes(const std::string& Escaped, std::string& Bytes, std::string& Reason) {
  Bytes.clear();
  for (std::size_t I = 0; I < Escaped.size(); ++I) {
    const char C = Escaped[I];
    if (C != '\\') {
      Bytes += C;
      continue;
    }
    if (++I >= Escaped.size()) {
      Reason = "a backslash ends the text (write \\\\ for a backslash)";
      return false;
    }
    switch (Escaped[I]) {
      case 'r':
        Bytes += '\r';
        break;
      case 'n':
        Bytes += '\n';
        break;
      case 't':
        Bytes += '\t';
        break;
      case '0':
        Bytes += '\0';
        break;
      case '\\':
        Bytes += '\\';
        break;
      case 'x': {
        const int Hi = I + 1 < Escaped.size() ? HexDigit(Escaped[I + 1]) : -1;
        const int Lo = I + 2 < Escaped.size() ? HexDigit(Escaped[I + 2]) : -1;
        if (Hi < 0 || Lo < 0) {
          Reason = "\\x needs two hexadecimal digits";
          return false;
        }
        Bytes += static_cast<char>(Hi * 16 + Lo);
        I += 2;
        break;
      }
      default:
        Reason = std::string("unknown escape \\") + Escaped[I];
        return false;
    }
  }
  return true;
}

ScenarioParse ParseScenario(const std::string& Text) {
  ScenarioParse Result;
  const std::vector<std::string> Lines = FileLines(Text);
  for (std::size_t Index = 0; Index < Lines.size(); ++Index) {
    const std::string& Line = Lines[Index];
    if (IsIgnored(Line)) continue;
    const unsigned LineNumber = static_cast<unsigned>(Index + 1);
    auto Fail = [&](const std::string& Why) {
      Result.error = "scenario line " + std::to_string(LineNumber) + ": " + Why;
      Result.steps.clear();
      return Result;
    };
    const Command Split = SplitCommand(Line);
    const std::string& Name = Split.name;
    const std::string& Argument = Split.argument;
    ScenarioStep Step{StepKind::Line, "", 0, LineNumber};
    auto HasExtraArgument = [&]() {
      return Split.hasArgument && Argument.find_first_not_of(" \t") != std::string::npos;
    };
    auto Number = [&](unsigned long Max) {
      const auto N = ParseUnsignedDecimal(Argument, Max);
      if (N) Step.number = *N;
      return N.has_value();
    };

    if (Name == "line") {
      Step.kind = StepKind::Line;
      Step.text = Argument;
    } else if (Name == "raw" || Name == "exit-unread") {
      Step.kind = Name == "raw" ? StepKind::Raw : StepKind::ExitUnread;
      std::string Reason;
      if (!DecodeEscapes(Argument, Step.text, Reason)) return Fail(Name + ": " + Reason);
    } else if (Name == "sleep") {
      Step.kind = StepKind::Sleep;
      if (!Number(3600000UL)) return Fail("sleep needs milliseconds (0 to 3600000), got \"" + Argument + "\"");
    } else if (Name == "flood") {
      Step.kind = StepKind::Flood;
      const std::size_t Blank = Argument.find(' ');
      const auto N = ParseUnsignedDecimal(Argument.substr(0, Blank), 100000000UL);
      if (!N) return Fail("flood needs a line count (0 to 100000000) and a text, got \"" + Argument + "\"");
      Step.number = *N;
      Step.text = Blank == std::string::npos ? std::string() : Argument.substr(Blank + 1);
    } else if (Name == "standard" || Name == "readline" || Name == "echo-stdin" || Name == "crash") {
      if (HasExtraArgument()) return Fail(Name + " takes no argument, got \"" + Argument + "\"");
      Step.kind = Name == "standard"   ? StepKind::Standard
                  : Name == "readline" ? StepKind::ReadLine
                  : Name == "crash"    ? StepKind::Crash
                                       : StepKind::EchoStdin;
    } else if (Name == "level") {
      Step.kind = StepKind::Level;
      Step.text = Argument;
      if (Argument.empty() || Argument.find_first_of(" \t") != std::string::npos)
        return Fail("level needs an update level such as 3.1.0.2, got \"" + Argument + "\"");
    } else if (Name == "grandchild") {
      Step.kind = StepKind::Grandchild;
      Step.text = Argument;
      if (Argument.empty()) return Fail("grandchild needs the text it writes");
    } else if (Name == "exit") {
      Step.kind = StepKind::Exit;
      if (!Number(4294967295UL)) return Fail("exit needs a code (0 to 4294967295), got \"" + Argument + "\"");
    } else {
      return Fail("unknown command \"" + Name + "\"");
    }
    Result.steps.push_back(Step);
  }
  return Result;
}

}  // namespace oue_sim
