// What this node and the group's primary node say about themselves in the
// machine registry, and the decisions the wizard takes on those values. The
// registry is reached through the two small interfaces below, so every
// decision can be exercised without Windows.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

enum class NodeRole { Unknown = 0, Primary = 1, Secondary = 2, EpmSecondary = 3 };
enum class MaintenanceModeState { Unknown = 0, Off = 1, On = 2 };

// What a primary-node query returns when the node, a key or a value cannot be
// read. Callers compare against it exactly.
extern const char* const UNAVAILABLE;

// Key paths under HKEY_LOCAL_MACHINE, with their leading backslash.
extern const char* const PlatformKeyPath;  // "\Software\Dantor\Kelvra"
extern const char* const ProductKeyPath;   // "\Software\Dantor\Kelvra\Products\Orvane"
extern const char* const RunOnceKeyPath;   // "\Software\Microsoft\Windows\CurrentVersion\RunOnce"

// One machine's HKEY_LOCAL_MACHINE, read-only. Paths are full paths from the
// root, with a leading backslash.
class IRegistryHive {
 public:
  virtual ~IRegistryHive() = default;
  virtual bool KeyExists(const std::string& Path) = 0;
  // The value's text exactly as stored (an expandable value is not expanded);
  // nothing when the key or the value is missing. A value of a type other
  // than a string raises ERegistryException naming the value.
  virtual std::optional<std::string> ReadString(const std::string& Path, const std::string& ValueName) = 0;
};

// Gives the registry of a machine: this one for an empty name, another one
// over the network otherwise; nullptr when that machine cannot be reached.
// The hive holds its connection until it is destroyed.
class IRegistryConnector {
 public:
  virtual ~IRegistryConnector() = default;
  virtual std::unique_ptr<IRegistryHive> Connect(const std::string& NodeName) = 0;
};

// Connects to each machine at most once in its life, and lets every query
// made through it share that connection; a machine that cannot be reached is
// tried once. One check of the start conditions uses one, so a primary node
// that does not answer costs one connection time-out, not one per value.
class TSharedConnections : public IRegistryConnector {
 public:
  explicit TSharedConnections(IRegistryConnector& Registry) : FRegistry(Registry) {}
  std::unique_ptr<IRegistryHive> Connect(const std::string& NodeName) override;

 private:
  IRegistryConnector& FRegistry;
  std::map<std::string, std::shared_ptr<IRegistryHive>> FHives;  // by upper-case name; null: unreachable
};

// Base + "\" + Relative; a Relative that begins with a backslash is a path
// from the root instead, and an empty one names Base itself.
std::string JoinKeyPath(const std::string& Base, const std::string& Relative);

// The path of a section key: platform key, the subkey named by the platform
// key's "CurrentRelease", "Default", then Section.
std::string SectionKeyPath(const std::string& CurrentRelease, const std::string& Section);

// Decisions on values already read.
bool IsPrimaryNodeName(const std::string& PrimaryNodeName, const std::string& ComputerName);
NodeRole DecideNodeRole(const std::string& PrimaryNodeName, const std::string& ComputerName,
                        const std::string& OriginalPrimaryNodeName);
std::string NodeRoleName(NodeRole Role);
MaintenanceModeState MaintenanceModeFromText(const std::string& Value);
// Any text except an empty one and the UNAVAILABLE marker is a running backup;
// the value's content is not interpreted.
bool PidMeansBackupRunning(const std::string& Pid);

// The queries, over a registry connector. Each one connects, reads and lets
// go within the call, so it reflects the registry at that moment.
std::string ReadReleaseSetting(IRegistryConnector& Registry, const std::string& Section, const std::string& ValueName,
                               const std::string& Default, const std::string& NodeName);
std::string GetLocalUpdateLevel(IRegistryConnector& Registry);
// What the result page and the level line show: the local level, or
// UnknownUpdateLevel when the value is there but cannot be read as text, so
// that nothing shown at the end of a run depends on a read that can fail.
extern const char* const UnknownUpdateLevel;  // "<unknown>"
std::string GetShownLocalUpdateLevel(IRegistryConnector& Registry);
// What the level line shows as the node's role: its name, or "<unknown>"
// when CurrentRelease or a primary node's name cannot be read as text.
std::string GetShownNodeRoleName(IRegistryConnector& Registry, const std::string& ComputerName);
std::string GetPrimaryNodeUpdateLevel(IRegistryConnector& Registry);
std::string GetPrimaryNodeName(IRegistryConnector& Registry);
std::string GetOriginalPrimaryNodeName(IRegistryConnector& Registry);
std::string GetBackupPid(IRegistryConnector& Registry);
std::string GetDatabaseBackupPid(IRegistryConnector& Registry);
bool IsBackupRunning(IRegistryConnector& Registry);
NodeRole GetNodeRole(IRegistryConnector& Registry, const std::string& ComputerName);
MaintenanceModeState GetMaintenanceMode(IRegistryConnector& Registry);
