#include "EngineCommandLine.h"

#include "AsciiText.h"
#include "utils/AsciiCase.h"

namespace oue_sim {
namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

// Index just past the program token at the start of the command line.
std::size_t SkipProgram(const std::string& Line, const std::string& OwnFileName) {
  std::size_t Pos = 0;
  while (Pos < Line.size() && IsBlank(Line[Pos])) ++Pos;
  if (Pos < Line.size() && Line[Pos] == '"') {
    const std::size_t Close = Line.find('"', Pos + 1);
    return Close == std::string::npos ? Line.size() : Close + 1;
  }
  const std::size_t FirstQuote = Line.find('"', Pos);
  const std::string Head =
      AsciiLowerCase(Line.substr(Pos, FirstQuote == std::string::npos ? std::string::npos : FirstQuote - Pos));
  const std::string Stem = AsciiLowerCase(OwnFileName);
  if (!Stem.empty()) {
    for (std::size_t At = Head.find(Stem); At != std::string::npos; At = Head.find(Stem, At + 1)) {
      const std::size_t End = At + Stem.size();
      if (End == Head.size() || IsBlank(Head[End])) return Pos + End;
    }
  }
  while (Pos < Line.size() && !IsBlank(Line[Pos])) ++Pos;
  return Pos;
}

bool IsSwitch(const std::string& Arg) {
  return Arg == "-ouegui" || Arg == "-product" || Arg == "-nosnapshot" || Arg == "-snapshotlocation" || Arg == "-dir";
}

bool IsDriveValue(const std::string& Value) {
  if (Value.size() != 2 || Value[1] != ':') return false;
  const char C = Value[0];
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& CommandLine, const std::string& OwnFileName) {
  std::vector<std::string> Args;
  std::size_t Pos = SkipProgram(CommandLine, OwnFileName);
  const std::size_t N = CommandLine.size();
  for (;;) {
    while (Pos < N && IsBlank(CommandLine[Pos])) ++Pos;
    if (Pos >= N) break;
    std::string Arg;
    bool Quoted = false;
    while (Pos < N && (Quoted || !IsBlank(CommandLine[Pos]))) {
      const char C = CommandLine[Pos];
      if (C == '\\') {
        std::size_t Slashes = 0;
        while (Pos < N && CommandLine[Pos] == '\\') {
          ++Slashes;
          ++Pos;
        }
        if (Pos < N && CommandLine[Pos] == '"') {
          Arg.append(Slashes / 2, '\\');
          if (Slashes % 2 == 1) {
            Arg += '"';
            ++Pos;
          }
          // an even count leaves the quote for the next pass to toggle quoting
        } else {
          Arg.append(Slashes, '\\');
        }
      } else if (C == '"') {
        if (Quoted && Pos + 1 < N && CommandLine[Pos + 1] == '"') {
          Arg += '"';  // "" inside quotes is a literal quote
          Pos += 2;
        } else {
          Quoted = !Quoted;
          ++Pos;
        }
      } else {
        Arg += C;
        ++Pos;
      }
    }
    Args.push_back(Arg);
  }
  return Args;
}

EngineArgumentsParse ParseEngineArguments(const std::vector<std::string>& Args) {
  EngineArgumentsParse Parse;
  EngineArguments& Out = Parse.arguments;
  bool SeenGui = false, SeenProduct = false, SeenDir = false;
  bool SeenNoSnapshot = false, SeenLocation = false;
  auto Twice = [&](const std::string& Name, bool& Seen) {
    if (Seen) Parse.errors.push_back("argument " + Name + " given more than once");
    Seen = true;
  };
  auto Value = [&](std::size_t& I, const std::string& Name) -> const std::string* {
    if (I + 1 >= Args.size() || IsSwitch(Args[I + 1])) {
      Parse.errors.push_back("missing value after " + Name);
      return nullptr;
    }
    return &Args[++I];
  };

  for (std::size_t I = 0; I < Args.size(); ++I) {
    const std::string& Arg = Args[I];
    if (Arg == "-ouegui") {
      Twice(Arg, SeenGui);
    } else if (Arg == "-product") {
      Twice(Arg, SeenProduct);
      if (const std::string* V = Value(I, Arg)) {
        Out.product = *V;
        if (*V != "orvane") Parse.errors.push_back("unknown product \"" + *V + "\" (expected orvane)");
      }
    } else if (Arg == "-nosnapshot") {
      Twice(Arg, SeenNoSnapshot);
      Out.noSnapshot = true;
    } else if (Arg == "-snapshotlocation") {
      Twice(Arg, SeenLocation);
      if (const std::string* V = Value(I, Arg)) {
        Out.snapshotLocation = *V;
        if (!IsDriveValue(*V))
          Parse.errors.push_back("snapshot location \"" + *V + "\" is not a drive letter followed by ':'");
      }
    } else if (Arg == "-dir") {
      Twice(Arg, SeenDir);
      if (const std::string* V = Value(I, Arg)) {
        Out.dir = *V;
        if (V->empty()) Parse.errors.push_back("the value of -dir is empty");
      }
    } else {
      Parse.errors.push_back("unknown argument \"" + Arg + "\"");
    }
  }
  if (!SeenGui) Parse.errors.push_back("missing argument -ouegui");
  if (!SeenProduct) Parse.errors.push_back("missing argument -product");
  if (SeenNoSnapshot && SeenLocation) Parse.errors.push_back("-nosnapshot and -snapshotlocation exclude each other");
  if (!SeenNoSnapshot && !SeenLocation) Parse.errors.push_back("missing argument -nosnapshot or -snapshotlocation");
  if (!SeenDir) Parse.errors.push_back("missing argument -dir");
  return Parse;
}

std::string EngineUsage() {
  return "usage: oue -ouegui -product orvane (-nosnapshot | -snapshotlocation \"D:\") -dir \"<folder>\"";
}

}  // namespace oue_sim
