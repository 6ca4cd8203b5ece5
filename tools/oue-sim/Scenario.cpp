#include "Scenario.h"

#include "AsciiText.h"

namespace oue_sim {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Command {
  std::string name;
  std::string argument;  // after exactly one blank, verbatim
  bool hasArgument = false;
};

// Commands may be indented; the argument starts after the one blank that
// follows the command name.
Command SplitCommand(const std::string& fileLine) {
  Command command;
  const std::string line = fileLine.substr(fileLine.find_first_not_of(" \t"));
  const std::size_t blank = line.find(' ');
  command.name = line.substr(0, blank);
  if (blank != std::string::npos) {
    command.argument = line.substr(blank + 1);
    command.hasArgument = true;
  }
  return command;
}

// Texts end with CR LF in the file or not; a line of the file must not keep its CR.
std::vector<std::string> FileLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == text.size()) break;
    start = end + 1;
  }
  return lines;
}

bool IsIgnored(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

}  // namespace

bool DecodeEscapes(const std::string& escaped, std::string& bytes, std::string& reason) {
  bytes.clear();
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c != '\\') {
      bytes += c;
      continue;
    }
    if (++i >= escaped.size()) {
      reason = "a backslash ends the text (write \\\\ for a backslash)";
      return false;
    }
    switch (escaped[i]) {
      case 'r': bytes += '\r'; break;
      case 'n': bytes += '\n'; break;
      case 't': bytes += '\t'; break;
      case '0': bytes += '\0'; break;
      case '\\': bytes += '\\'; break;
      case 'x': {
        const int hi = i + 1 < escaped.size() ? HexDigit(escaped[i + 1]) : -1;
        const int lo = i + 2 < escaped.size() ? HexDigit(escaped[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
          reason = "\\x needs two hexadecimal digits";
          return false;
        }
        bytes += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        reason = std::string("unknown escape \\") + escaped[i];
        return false;
    }
  }
  return true;
}

ScenarioParse ParseScenario(const std::string& text) {
  ScenarioParse parse;
  const std::vector<std::string> lines = FileLines(text);
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    if (IsIgnored(line)) continue;
    const unsigned lineNumber = static_cast<unsigned>(index + 1);
    auto fail = [&](const std::string& why) {
      parse.error = "scenario line " + std::to_string(lineNumber) + ": " + why;
      parse.steps.clear();
      return parse;
    };
    const Command command = SplitCommand(line);
    const std::string& name = command.name;
    const std::string& arg = command.argument;
    ScenarioStep step{StepKind::Line, "", 0, lineNumber};
    auto hasExtraArgument = [&]() {
      return command.hasArgument && arg.find_first_not_of(" \t") != std::string::npos;
    };
    auto number = [&](unsigned long max) {
      const auto n = ParseUnsignedDecimal(arg, max);
      if (n) step.number = *n;
      return n.has_value();
    };

    if (name == "line") {
      step.kind = StepKind::Line;
      step.text = arg;
    } else if (name == "raw" || name == "exit-unread") {
      step.kind = name == "raw" ? StepKind::Raw : StepKind::ExitUnread;
      std::string reason;
      if (!DecodeEscapes(arg, step.text, reason)) return fail(name + ": " + reason);
    } else if (name == "sleep") {
      step.kind = StepKind::Sleep;
      if (!number(3600000UL)) return fail("sleep needs milliseconds (0 to 3600000), got \"" + arg + "\"");
    } else if (name == "flood") {
      step.kind = StepKind::Flood;
      const std::size_t blank = arg.find(' ');
      const auto n = ParseUnsignedDecimal(arg.substr(0, blank), 100000000UL);
      if (!n) return fail("flood needs a line count (0 to 100000000) and a text, got \"" + arg + "\"");
      step.number = *n;
      step.text = blank == std::string::npos ? std::string() : arg.substr(blank + 1);
    } else if (name == "standard" || name == "readline" || name == "echo-stdin" || name == "crash") {
      if (hasExtraArgument()) return fail(name + " takes no argument, got \"" + arg + "\"");
      step.kind = name == "standard"   ? StepKind::Standard
                  : name == "readline" ? StepKind::ReadLine
                  : name == "crash"    ? StepKind::Crash
                                       : StepKind::EchoStdin;
    } else if (name == "level") {
      step.kind = StepKind::Level;
      step.text = arg;
      if (arg.empty() || arg.find_first_of(" \t") != std::string::npos)
        return fail("level needs an update level such as 3.1.0.2, got \"" + arg + "\"");
    } else if (name == "grandchild") {
      step.kind = StepKind::Grandchild;
      step.text = arg;
      if (arg.empty()) return fail("grandchild needs the text it writes");
    } else if (name == "exit") {
      step.kind = StepKind::Exit;
      if (!number(4294967295UL)) return fail("exit needs a code (0 to 4294967295), got \"" + arg + "\"");
    } else {
      return fail("unknown command \"" + name + "\"");
    }
    parse.steps.push_back(step);
  }
  return parse;
}

}  // namespace oue_sim
