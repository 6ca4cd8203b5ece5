#pragma once
// The engine's command line, as the wizard builds it:
//   <program> -ouegui -product orvane -nosnapshot -dir "<folder>"
//   <program> -ouegui -product orvane -snapshotlocation "<D:>" -dir "<folder>"
#include <string>
#include <vector>

namespace oue_sim {

struct EngineArguments {
  std::string product;  // "orvane"
  bool noSnapshot = false;
  std::string snapshotLocation;  // "D:" when a snapshot was asked for, else empty
  std::string dir;               // the update-files folder, unquoted
};

struct EngineArgumentsParse {
  EngineArguments arguments;
  std::vector<std::string> errors;  // one sentence per fault; empty when accepted
  bool Ok() const { return errors.empty(); }
};

// Splits a whole command line (as GetCommandLineA gives it) into the arguments
// after the program, by the Windows rules: blanks separate, double quotes group,
// 2n backslashes before a quote give n backslashes and toggle quoting, 2n+1 give
// n backslashes and a literal quote, other backslashes are literal.
// The wizard does not quote the program path, which may hold blanks; when the
// first token is unquoted, the program ends after ownFileName (e.g. "oue.exe",
// compared ignoring ASCII case) if that name followed by a blank occurs before any
// quote, otherwise at the first blank.
std::vector<std::string> SplitCommandLine(const std::string& CommandLine, const std::string& OwnFileName);

EngineArgumentsParse ParseEngineArguments(const std::vector<std::string>& Args);

// One line telling an operator the accepted forms.
std::string EngineUsage();

}  // namespace oue_sim
