#include "wizard/Preconditions.h"

#include <cstdint>
#include <stdexcept>

#include "text/LangRes.h"
#include "wizard/UpdateFiles.h"

const char* const SupportedReleases = ":2.3.0:2.3.1:3.0.0:3.0.1:3.0.2:3.0.3:3.1.0:";
const char* const KelvraHomeErrorPattern = "%s\r\r[%d] %s: \"KelvraHome\"";
const char* const SystemErrorPattern = "%s\r\r[%d] %s: %s";

namespace {

// The release whose update files this wizard carries.
const char* const TargetRelease = "3.1.0";
// From this primary level on, backups block an update instead of maintenance mode.
const char* const BackupRuleLevel = "3.0.0.0";
const char* const EngineName = "oue.exe";

// A whole decimal number with an optional sign, in the signed 32-bit range.
bool TryDecimalToInt(const std::string& Text, int64_t& Value) {
  size_t I = 0;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) Negative = Text[I++] == '-';
  if (I >= Text.size()) return false;
  int64_t Magnitude = 0;
  for (; I < Text.size(); ++I) {
    if (Text[I] < '0' || Text[I] > '9') return false;
    Magnitude = Magnitude * 10 + (Text[I] - '0');
    if (Magnitude > INT64_C(2147483648)) return false;
  }
  if (!Negative && Magnitude > INT64_C(2147483647)) return false;
  Value = Negative ? -Magnitude : Magnitude;
  return true;
}

template <typename TFact>
const TFact& Need(const TFact& Fact, const char* Name) {
  if (!Fact) throw std::invalid_argument(std::string("the start check needs the fact ") + Name);
  return Fact;
}

}  // namespace

bool LevelBelow(const std::string& Level, const std::string& Other) {
  size_t Common = Level.size() < Other.size() ? Level.size() : Other.size();
  for (size_t I = 0; I < Common; ++I) {
    unsigned char A = static_cast<unsigned char>(Level[I]);
    unsigned char B = static_cast<unsigned char>(Other[I]);
    if (A != B) return A < B;
  }
  return Level.size() < Other.size();
}

bool HasApplicableUpdates(const std::string& LocalLevel, const std::string& FoundUpdates) {
  // A level reads "R.R.R.N...": the release is the first five characters and
  // the update number starts at the seventh.
  std::string Release = LocalLevel.substr(0, 5);
  std::string NumberText = LocalLevel.size() > 6 ? LocalLevel.substr(6) : std::string();
  if (!ColonListContains(SupportedReleases, Release)) return false;
  if (Release != TargetRelease) return ColonListContains(FoundUpdates, "0");
  int64_t Number = -1;
  if (!TryDecimalToInt(NumberText, Number)) Number = -1;
  if (Number == -1) return false;
  // 64 bits, so a server at 2147483647 looks for 2147483648 (never found)
  // instead of wrapping to a negative number.
  return ColonListContains(FoundUpdates, std::to_string(Number + 1));
}

TStartVerdict CheckStartFacts(const TStartFacts& Facts) {
  TStartVerdict Verdict;
  auto Fail = [&Verdict](TStartFailure Failure) {
    Verdict.Failure = Failure;
    return Verdict;
  };
  // A running engine is checked before anything else: a second run started
  // on top of it would corrupt the server whatever the rest says.
  if (Need(Facts.EngineRunning, "EngineRunning")()) return Fail(TStartFailure::E1);
  Verdict.InstallRoot = Need(Facts.InstallRoot, "InstallRoot")();
  if (Verdict.InstallRoot.empty()) return Fail(TStartFailure::E2);
  if (!Need(Facts.FolderExists, "FolderExists")(Verdict.InstallRoot)) return Fail(TStartFailure::E3);
  if (!Need(Facts.EngineBesideWizard, "EngineBesideWizard")()) return Fail(TStartFailure::E4);
  std::string PrimaryLevel = Need(Facts.PrimaryLevel, "PrimaryLevel")();
  if (PrimaryLevel == UNAVAILABLE) return Fail(TStartFailure::E5);
  if (LevelBelow(PrimaryLevel, BackupRuleLevel)) {
    switch (Need(Facts.Maintenance, "Maintenance")()) {
      case MaintenanceModeState::On:
        break;
      case MaintenanceModeState::Off:
        return Fail(TStartFailure::E6);
      default:
        // The primary reads its own registry, so Unknown there is no failure to
        // reach it; any other node cannot tell whether the primary is ready.
        if (Need(Facts.Role, "Role")() != NodeRole::Primary) return Fail(TStartFailure::E7);
        break;
    }
  } else if (Need(Facts.BackupRunning, "BackupRunning")()) {
    return Fail(TStartFailure::E8);
  }
  return Verdict;
}

std::string SystemErrorReport(const std::string& Pattern, unsigned long ErrorCode, const std::string& SystemMessage,
                              const std::vector<TFormatArg>& Details) {
  std::vector<TFormatArg> Args = {GetLangText("str_Message_Generic_Error"), static_cast<long long>(ErrorCode),
                                  SystemMessage};
  Args.insert(Args.end(), Details.begin(), Details.end());
  return FormatText(Pattern, Args);
}

std::string InstallRootMissingReport(const std::string& SystemMessage) {
  return SystemErrorReport(KelvraHomeErrorPattern, InstallRootMissingError, SystemMessage);
}

std::string StartFailureText(TStartFailure Failure, const TStartMessageArgs& Args) {
  switch (Failure) {
    case TStartFailure::E1:
      return FormatText(GetLangText("str_Message_Cant_Start_Update_Utility_Engine_Already_Running"), {EngineName});
    case TStartFailure::E2:
      return InstallRootMissingReport(Args.SystemMessage);
    case TStartFailure::E3:
      return SystemErrorReport(SystemErrorPattern, Args.ErrorCode, Args.SystemMessage, {Args.InstallRoot});
    case TStartFailure::E4:
      return FormatText(GetLangText("str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder"),
                        {EngineName, Args.ProgramDir});
    case TStartFailure::E5:
      return FormatText(GetLangText("str_Message_Cant_Determine_Remote_Server_UpdateLevel"), {Args.PrimaryNodeName});
    case TStartFailure::E6:
      return GetLangText("str_Message_Cant_Start_System_Not_In_MaintenanceMode");
    case TStartFailure::E7:
      return FormatText(GetLangText("str_Message_Cant_Determine_Remote_MaintenanceMode"), {Args.PrimaryNodeName});
    case TStartFailure::E8:
      return GetLangText("str_Message_Cant_Start_System_While_Backups_Running");
    default:
      throw std::invalid_argument("no error text for a start that did not fail");
  }
}

std::string ServerLevelLine(const std::string& RoleName, const std::string& ComputerName, const std::string& Level) {
  return FormatText(GetControlText("lbServerVersion"), {RoleName, ComputerName, Level});
}
