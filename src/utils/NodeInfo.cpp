#include "utils/NodeInfo.h"

#include "utils/AsciiCase.h"

#include "utils/Errors.h"

#include <stdexcept>

const char* const UNAVAILABLE = "<UNAVAILABLE>";
const char* const UnknownUpdateLevel = "<unknown>";
const char* const PlatformKeyPath = "\\Software\\Dantor\\Kelvra";
const char* const ProductKeyPath = "\\Software\\Dantor\\Kelvra\\Products\\Orvane";
const char* const RunOnceKeyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

namespace {
const char* const SystemSection = "System";
const char* const UpdateLevelValue = "UpdateLevel";

// A hive of TSharedConnections: the connection lives as long as the sharer
// or the last query still using it.
class TSharedHive : public IRegistryHive {
 public:
  explicit TSharedHive(std::shared_ptr<IRegistryHive> Hive) : FHive(std::move(Hive)) {}
  bool KeyExists(const std::string& Path) override { return FHive->KeyExists(Path); }
  std::optional<std::string> ReadString(const std::string& Path, const std::string& ValueName) override {
    return FHive->ReadString(Path, ValueName);
  }

 private:
  std::shared_ptr<IRegistryHive> FHive;
};
}  // namespace

std::unique_ptr<IRegistryHive> TSharedConnections::Connect(const std::string& NodeName) {
  const std::string Key = AsciiUpperCase(NodeName);
  auto Known = FHives.find(Key);
  if (Known == FHives.end())
    Known = FHives.emplace(Key, std::shared_ptr<IRegistryHive>(FRegistry.Connect(NodeName))).first;
  if (!Known->second) return nullptr;
  return std::make_unique<TSharedHive>(Known->second);
}

std::string JoinKeyPath(const std::string& Base, const std::string& Relative) {
  if (Relative.empty()) return Base;
  if (Relative[0] == '\\') return Relative;
  return Base + "\\" + Relative;
}

std::string SectionKeyPath(const std::string& CurrentRelease, const std::string& Section) {
  return JoinKeyPath(JoinKeyPath(JoinKeyPath(PlatformKeyPath, CurrentRelease), "Default"), Section);
}

bool IsPrimaryNodeName(const std::string& PrimaryNodeName, const std::string& ComputerName) {
  // A node that names no primary is never its own primary, even if the
  // computer name could not be read either.
  return !PrimaryNodeName.empty() && AsciiUpperCase(PrimaryNodeName) == AsciiUpperCase(ComputerName);
}

NodeRole DecideNodeRole(const std::string& PrimaryNodeName, const std::string& ComputerName,
                        const std::string& OriginalPrimaryNodeName) {
  if (IsPrimaryNodeName(PrimaryNodeName, ComputerName)) return NodeRole::Primary;
  return OriginalPrimaryNodeName.empty() ? NodeRole::Secondary : NodeRole::EpmSecondary;
}

std::string NodeRoleName(NodeRole Role) {
  switch (Role) {
    case NodeRole::Primary:
      return "Primary";
    case NodeRole::Secondary:
      return "Secondary";
    case NodeRole::EpmSecondary:
      return "EPM Secondary";
    default:
      return "<unknown>";
  }
}

MaintenanceModeState MaintenanceModeFromText(const std::string& Value) {
  // Whole words only: a blank around a word makes it unknown, on purpose, so
  // a hand-edited value that is not clearly on or off stops the update.
  const std::string Word = AsciiUpperCase(Value);
  for (const char* On : {"ON", "YES", "TRUE", "ENABLED", "1"})
    if (Word == On) return MaintenanceModeState::On;
  for (const char* Off : {"OFF", "NO", "FALSE", "DISABLED", "0"})
    if (Word == Off) return MaintenanceModeState::Off;
  return MaintenanceModeState::Unknown;
}

bool PidMeansBackupRunning(const std::string& Pid) { return !Pid.empty() && Pid != UNAVAILABLE; }

std::string ReadReleaseSetting(IRegistryConnector& Registry, const std::string& Section, const std::string& ValueName,
                               const std::string& Default, const std::string& NodeName) {
  std::unique_ptr<IRegistryHive> Hive = Registry.Connect(NodeName);
  if (!Hive) return Default;
  std::optional<std::string> Release = Hive->ReadString(PlatformKeyPath, "CurrentRelease");
  if (!Release) return Default;
  std::optional<std::string> Value = Hive->ReadString(SectionKeyPath(*Release, Section), ValueName);
  return Value ? *Value : Default;
}

std::string GetLocalUpdateLevel(IRegistryConnector& Registry) {
  std::unique_ptr<IRegistryHive> Hive = Registry.Connect("");
  if (!Hive) return "";
  // The platform key speaks for the product only on installations that have
  // no product key at all; a product key without a level means no level.
  const char* Key = Hive->KeyExists(ProductKeyPath) ? ProductKeyPath : PlatformKeyPath;
  return Hive->ReadString(Key, UpdateLevelValue).value_or("");
}

std::string GetShownLocalUpdateLevel(IRegistryConnector& Registry) {
  try {
    return GetLocalUpdateLevel(Registry);
  } catch (const std::exception&) {
    return UnknownUpdateLevel;
  }
}

std::string GetShownNodeRoleName(IRegistryConnector& Registry, const std::string& ComputerName) {
  try {
    return NodeRoleName(GetNodeRole(Registry, ComputerName));
  } catch (const std::exception&) {
    return NodeRoleName(NodeRole::Unknown);
  }
}

std::string GetPrimaryNodeUpdateLevel(IRegistryConnector& Registry) {
  std::unique_ptr<IRegistryHive> Hive = Registry.Connect(GetPrimaryNodeName(Registry));
  if (!Hive) return UNAVAILABLE;
  return Hive->ReadString(ProductKeyPath, UpdateLevelValue).value_or(UNAVAILABLE);
}

std::string GetPrimaryNodeName(IRegistryConnector& Registry) {
  return ReadReleaseSetting(Registry, SystemSection, "PrimaryNodeName", "", "");
}

std::string GetOriginalPrimaryNodeName(IRegistryConnector& Registry) {
  return ReadReleaseSetting(Registry, SystemSection, "OriginalPrimaryNodeName", "", "");
}

std::string GetBackupPid(IRegistryConnector& Registry) {
  return ReadReleaseSetting(Registry, SystemSection, "pid", UNAVAILABLE, GetPrimaryNodeName(Registry));
}

std::string GetDatabaseBackupPid(IRegistryConnector& Registry) {
  return ReadReleaseSetting(Registry, SystemSection, "DatabaseBackupPid", UNAVAILABLE, GetPrimaryNodeName(Registry));
}

bool IsBackupRunning(IRegistryConnector& Registry) {
  return PidMeansBackupRunning(GetBackupPid(Registry)) || PidMeansBackupRunning(GetDatabaseBackupPid(Registry));
}

NodeRole GetNodeRole(IRegistryConnector& Registry, const std::string& ComputerName) {
  const std::string Primary = GetPrimaryNodeName(Registry);
  // The original primary's name is read only when it can matter.
  if (IsPrimaryNodeName(Primary, ComputerName)) return NodeRole::Primary;
  return DecideNodeRole(Primary, ComputerName, GetOriginalPrimaryNodeName(Registry));
}

MaintenanceModeState GetMaintenanceMode(IRegistryConnector& Registry) {
  return MaintenanceModeFromText(
      ReadReleaseSetting(Registry, SystemSection, "MaintenanceMode", UNAVAILABLE, GetPrimaryNodeName(Registry)));
}
