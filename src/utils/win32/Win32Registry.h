// The machine registry of this computer or of another one on the network,
// read with query-value access only.
#pragma once

#include "utils/NodeInfo.h"
#include "utils/win32/Handles.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

class TWin32RegistryHive : public IRegistryHive {
 public:
  // This computer's HKEY_LOCAL_MACHINE.
  TWin32RegistryHive() = default;
  // Another computer's, over a connection this hive now owns.
  explicit TWin32RegistryHive(TRegistryKey Connection) : FConnection(std::move(Connection)) {}

  bool KeyExists(const std::string& Path) override;
  std::optional<std::string> ReadString(const std::string& Path, const std::string& ValueName) override;

 private:
  HKEY Root() const { return FConnection ? FConnection.Get() : HKEY_LOCAL_MACHINE; }
  TRegistryKey OpenForQuery(const std::string& Path) const;

  TRegistryKey FConnection;
};

class TWin32Registry : public IRegistryConnector {
 public:
  // Empty name: this computer. Otherwise RegConnectRegistryA to "\\" + name;
  // nullptr when that fails.
  std::unique_ptr<IRegistryHive> Connect(const std::string& NodeName) override;
};
