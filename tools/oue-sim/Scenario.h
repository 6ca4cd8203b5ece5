#pragma once
// The scenario language: one command per line, played from top to bottom.
//   line <text>          <text> + CR LF (the text after one blank, verbatim)
//   raw <bytes>          bytes exactly, escapes \r \n \t \0 \\ \xHH; no terminator
//   sleep <ms>
//   flood <n> <text>     n lines "<text> <i>" + CR LF, i = 1..n, in big writes
//   standard             the standard run over the -dir folder
//   level <level>        writes UpdateLevel
//   readline             reads one line from stdin, writes "ECHO: <line>" + CR LF
//   echo-stdin           echoes every stdin line until end of input or "quit"
//   exit <code>          waits until the reader took all output, exits with code
//   crash                ends abnormally
//   exit-unread <bytes>  writes the bytes (escaped as for raw) in one write and
//                        exits with code 0 at once, not waiting for the reader
//   grandchild <text>    starts a process that inherits the output and writes
//                        "<text> <i>" + CR LF, i = 1, 2, ..., until nobody reads
// Blank lines and lines whose first non-blank character is '#' are ignored.
#include <string>
#include <vector>

namespace oue_sim {

enum class StepKind {
  Line,
  Raw,
  Sleep,
  Flood,
  Standard,
  Level,
  ReadLine,
  EchoStdin,
  Exit,
  Crash,
  ExitUnread,
  Grandchild
};

struct ScenarioStep {
  StepKind kind;
  std::string text;          // Line/Flood/Grandchild text, Raw/ExitUnread bytes, Level value
  unsigned long number = 0;  // Sleep ms, Flood count, Exit code
  unsigned lineNumber = 0;   // in the scenario file, for messages
};

struct ScenarioParse {
  std::vector<ScenarioStep> steps;
  std::string error;  // "scenario line N: ..." when the file is refused
  bool Ok() const { return error.empty(); }
};

ScenarioParse ParseScenario(const std::string& Text);

// Decodes the escapes of raw/exit-unread; false with a reason on a bad escape.
bool DecodeEscapes(const std::string& Escaped, std::string& Bytes, std::string& Reason);

}  // namespace oue_sim
