// Whether an update may go ahead: the updates found against this server's
// level, the checks made when the operator presses Start, and the line that
// shows where the server stands.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "text/TextFormat.h"
#include "utils/NodeInfo.h"

// The releases this wizard can update from, as a colon list.
extern const char* const SupportedReleases;

// Update levels compare as byte strings, character code by character code, a
// proper beginning being the smaller: "10.0.0.0" is below "3.0.0.0".
bool LevelBelow(const std::string& Level, const std::string& Other);

// Whether the updates found (a colon list of numbers) continue LocalLevel: an
// older supported release needs update 0, a server at 3.1.0.N needs N + 1.
bool HasApplicableUpdates(const std::string& LocalLevel, const std::string& FoundUpdates);

enum class TStartFailure { None, E1, E2, E3, E4, E5, E6, E7, E8 };

// What the start check needs to know about the machine. Each fact is asked
// for only when the check gets that far, and at most once, so a slow network
// query is never made for a start already refused.
struct TStartFacts {
  std::function<bool()> EngineRunning;       // an "oue.exe" process exists
  std::function<std::string()> InstallRoot;  // the environment variable KelvraHome
  std::function<bool(const std::string&)> FolderExists;
  std::function<bool()> EngineBesideWizard;   // "oue.exe" in the wizard's own folder
  std::function<std::string()> PrimaryLevel;  // the primary node's update level, or UNAVAILABLE
  std::function<MaintenanceModeState()> Maintenance;
  std::function<NodeRole()> Role;
  std::function<bool()> BackupRunning;
};

struct TStartVerdict {
  TStartFailure Failure = TStartFailure::None;
  std::string InstallRoot;  // what was read, for FInstallRoot; empty when the check stopped before
};

// Runs the start checks in their order and stops at the first that fails.
// Throws std::invalid_argument naming a fact the check needs but was not given.
TStartVerdict CheckStartFacts(const TStartFacts& Facts);

// Patterns of the reports of a failed system call: the generic text, the
// error code and the system's message, then what the call was about.
extern const char* const KelvraHomeErrorPattern;  // "%s\r\r[%d] %s: \"KelvraHome\""
extern const char* const SystemErrorPattern;      // "%s\r\r[%d] %s: %s"

// Fills Pattern with the current language's generic error text, ErrorCode,
// SystemMessage and then the Details.
std::string SystemErrorReport(const std::string& Pattern, unsigned long ErrorCode, const std::string& SystemMessage,
                              const std::vector<TFormatArg>& Details = {});

// The code a report of a missing or empty KelvraHome names: "environment
// variable not found" (ERROR_ENVVAR_NOT_FOUND). The system's last error says
// nothing here, since an empty variable is no failed call, and would report
// whatever call failed before, or "completed successfully".
constexpr unsigned long InstallRootMissingError = 203;

// The report of a missing KelvraHome, on the first page and at Start alike;
// SystemMessage is the system's text for InstallRootMissingError.
std::string InstallRootMissingReport(const std::string& SystemMessage);

struct TStartMessageArgs {
  unsigned long ErrorCode = 0;  // the system's last error code (E3)
  std::string SystemMessage;    // the system's text for it (E3), or for InstallRootMissingError (E2)
  std::string InstallRoot;      // E3
  std::string ProgramDir;       // E4, with its trailing backslash
  std::string PrimaryNodeName;  // E5, E7
};

// The text of the error box for a refused start, in the current language.
// Throws std::invalid_argument for TStartFailure::None, which has no box.
std::string StartFailureText(TStartFailure Failure, const TStartMessageArgs& Args);

// The server level line: role word, computer name and level, in the current
// language ("Primary SRV01 at 3.1.0.2").
std::string ServerLevelLine(const std::string& RoleName, const std::string& ComputerName, const std::string& Level);
