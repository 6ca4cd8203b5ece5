// The wizard's command line: the tilde switch of the window, and the switches
// with which a fleet tool runs an update without anyone at the screen.
#pragma once
#include <string>
#include <vector>

// Splits a command line into arguments as the Microsoft C runtime does, so
// that what an operator quotes in a shell or a fleet tool reaches us whole.
// The first argument is the program, which ends at the next blank or tab
// (or at the closing quote when it begins with one) and takes no escapes.
// After it: blanks and tabs separate arguments outside quotes; a quote
// toggles quoting; 2n backslashes before a quote give n backslashes, 2n+1
// give n and a literal quote; inside quotes "" gives a literal quote;
// backslashes elsewhere are literal.
std::vector<std::string> SplitCommandLine(const std::string& CommandLine);

// Check: every check of a quiet run before anything is copied, then stop,
// changing nothing on the server but writing the log.
enum class TRunMode { Interactive, Quiet, Passive, Check };

struct TLaunchOptions {
  TRunMode Mode = TRunMode::Interactive;
  bool NoSnapshot = false;      // ~nosnapshot or /nosnapshot
  std::string UpdateFolder;     // /updates=
  char SnapshotDrive = 0;       // /snapshot=, an upper-case letter; 0 when not given
  int Language = 0;             // /lang=, index in LanguageNames
  std::string LogFile;          // /log=, empty for the dated file beside the wizard
  bool AcceptWarnings = false;  // /acceptwarnings
  // Why the command line is refused; empty when it is sound. With an error
  // the other fields hold what was understood before it.
  std::string Error;
  bool Unattended() const { return Mode != TRunMode::Interactive; }
};

// Reads the arguments after the program's own. A switch starts with "/" or
// "-" and is matched without regard to letter case; a value follows "=" in
// the same argument. "~nosnapshot" keeps its meaning everywhere. Without
// /quiet, /passive or /check any other switch is refused, as is, in an unattended
// run, any argument that is no switch (a folder with blanks left unquoted
// arrives as such a stray piece). Whether the update folder exists is for
// the caller to ask.
TLaunchOptions ParseLaunchOptions(const std::vector<std::string>& Args);

// "en", "de", "fr", "es" or a name as the language list shows it (in
// Windows-1252, letters compared without regard to ASCII case); -1 for
// anything else.
int LanguageByName(const std::string& Name);

// The command line as the README documents it, for the usage report.
extern const char* const UnattendedUsage;
