#include "EngineCommandLine.h"

#include "AsciiText.h"
#include "utils/AsciiCase.h"

namespace oue_sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Index just past the program token at the start of the command line.
std::size_t SkipProgram(const std::string& line, const std::string& ownFileName) {
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos < line.size() && line[pos] == '"') {
    const std::size_t close = line.find('"', pos + 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  const std::size_t firstQuote = line.find('"', pos);
  const std::string head = AsciiLowerCase(line.substr(pos, firstQuote == std::string::npos
                                                             ? std::string::npos
                                                             : firstQuote - pos));
  const std::string stem = AsciiLowerCase(ownFileName);
  if (!stem.empty()) {
    for (std::size_t at = head.find(stem); at != std::string::npos; at = head.find(stem, at + 1)) {
      const std::size_t end = at + stem.size();
      if (end == head.size() || IsBlank(head[end])) return pos + end;
    }
  }
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return pos;
}

bool IsSwitch(const std::string& arg) {
  return arg == "-ouegui" || arg == "-product" || arg == "-nosnapshot" ||
         arg == "-snapshotlocation" || arg == "-dir";
}

bool IsDriveValue(const std::string& value) {
  if (value.size() != 2 || value[1] != ':') return false;
  const char c = value[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine,
                                          const std::string& ownFileName) {
  std::vector<std::string> args;
  std::size_t pos = SkipProgram(commandLine, ownFileName);
  const std::size_t n = commandLine.size();
  for (;;) {
    while (pos < n && IsBlank(commandLine[pos])) ++pos;
    if (pos >= n) break;
    std::string arg;
    bool quoted = false;
    while (pos < n && (quoted || !IsBlank(commandLine[pos]))) {
      const char c = commandLine[pos];
      if (c == '\\') {
        std::size_t slashes = 0;
        while (pos < n && commandLine[pos] == '\\') { ++slashes; ++pos; }
        if (pos < n && commandLine[pos] == '"') {
          arg.append(slashes / 2, '\\');
          if (slashes % 2 == 1) { arg += '"'; ++pos; }
          // an even count leaves the quote for the next pass to toggle quoting
        } else {
          arg.append(slashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && pos + 1 < n && commandLine[pos + 1] == '"') {
          arg += '"';  // "" inside quotes is a literal quote
          pos += 2;
        } else {
          quoted = !quoted;
          ++pos;
        }
      } else {
        arg += c;
        ++pos;
      }
    }
    args.push_back(arg);
  }
  return args;
}

EngineArgumentsParse ParseEngineArguments(const std::vector<std::string>& args) {
  EngineArgumentsParse parse;
  EngineArguments& out = parse.arguments;
  bool seenGui = false, seenProduct = false, seenDir = false;
  bool seenNoSnapshot = false, seenLocation = false;
  auto twice = [&](const std::string& name, bool& seen) {
    if (seen) parse.errors.push_back("argument " + name + " given more than once");
    seen = true;
  };
  auto value = [&](std::size_t& i, const std::string& name) -> const std::string* {
    if (i + 1 >= args.size() || IsSwitch(args[i + 1])) {
      parse.errors.push_back("missing value after " + name);
      return nullptr;
    }
    return &args[++i];
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-ouegui") {
      twice(arg, seenGui);
    } else if (arg == "-product") {
      twice(arg, seenProduct);
      if (const std::string* v = value(i, arg)) {
        out.product = *v;
        if (*v != "orvane") parse.errors.push_back("unknown product \"" + *v + "\" (expected orvane)");
      }
    } else if (arg == "-nosnapshot") {
      twice(arg, seenNoSnapshot);
      out.noSnapshot = true;
    } else if (arg == "-snapshotlocation") {
      twice(arg, seenLocation);
      if (const std::string* v = value(i, arg)) {
        out.snapshotLocation = *v;
        if (!IsDriveValue(*v))
          parse.errors.push_back("snapshot location \"" + *v + "\" is not a drive letter followed by ':'");
      }
    } else if (arg == "-dir") {
      twice(arg, seenDir);
      if (const std::string* v = value(i, arg)) {
        out.dir = *v;
        if (v->empty()) parse.errors.push_back("the value of -dir is empty");
      }
    } else {
      parse.errors.push_back("unknown argument \"" + arg + "\"");
    }
  }
  if (!seenGui) parse.errors.push_back("missing argument -ouegui");
  if (!seenProduct) parse.errors.push_back("missing argument -product");
  if (seenNoSnapshot && seenLocation)
    parse.errors.push_back("-nosnapshot and -snapshotlocation exclude each other");
  if (!seenNoSnapshot && !seenLocation)
    parse.errors.push_back("missing argument -nosnapshot or -snapshotlocation");
  if (!seenDir) parse.errors.push_back("missing argument -dir");
  return parse;
}

std::string EngineUsage() {
  return "usage: oue -ouegui -product orvane (-nosnapshot | -snapshotlocation \"D:\") -dir \"<folder>\"";
}

}  // namespace oue_sim
