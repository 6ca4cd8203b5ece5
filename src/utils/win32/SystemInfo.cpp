#include "utils/win32/SystemInfo.h"

#include "utils/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

std::string ReadEnvironmentVariable(const std::string& Name) {
  std::vector<char> Buffer(4096);
  for (;;) {
    DWORD Length = GetEnvironmentVariableA(Name.c_str(), Buffer.data(), static_cast<DWORD>(Buffer.size()));
    if (Length == 0) return "";
    if (Length < Buffer.size()) return std::string(Buffer.data(), Length);
    // Too long for the buffer: Length is the room it needs. Read it whole.
    Buffer.resize(Length);
  }
}

std::string GetLocalComputerName() {
  char Name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD Size = sizeof(Name);
  if (!GetComputerNameA(Name, &Size)) return "";
  return std::string(Name, Size);
}

std::string ReadReleaseSetting(const std::string& Section, const std::string& ValueName, const std::string& Default,
                               const std::string& NodeName) {
  TWin32Registry Registry;
  return ReadReleaseSetting(Registry, Section, ValueName, Default, NodeName);
}

std::string GetLocalUpdateLevel() {
  TWin32Registry Registry;
  return GetLocalUpdateLevel(Registry);
}

std::string GetShownLocalUpdateLevel() {
  TWin32Registry Registry;
  return GetShownLocalUpdateLevel(Registry);
}

std::string GetPrimaryNodeUpdateLevel() {
  TWin32Registry Registry;
  return GetPrimaryNodeUpdateLevel(Registry);
}

std::string GetPrimaryNodeName() {
  TWin32Registry Registry;
  return GetPrimaryNodeName(Registry);
}

std::string GetOriginalPrimaryNodeName() {
  TWin32Registry Registry;
  return GetOriginalPrimaryNodeName(Registry);
}

std::string GetBackupPid() {
  TWin32Registry Registry;
  return GetBackupPid(Registry);
}

std::string GetDatabaseBackupPid() {
  TWin32Registry Registry;
  return GetDatabaseBackupPid(Registry);
}

bool IsBackupRunning() {
  TWin32Registry Registry;
  return IsBackupRunning(Registry);
}

NodeRole GetNodeRole() {
  TWin32Registry Registry;
  return GetNodeRole(Registry, GetLocalComputerName());
}

std::string GetNodeRoleName() { return NodeRoleName(GetNodeRole()); }

std::string GetShownNodeRoleName() {
  TWin32Registry Registry;
  return GetShownNodeRoleName(Registry, GetLocalComputerName());
}

MaintenanceModeState GetMaintenanceMode() {
  TWin32Registry Registry;
  return GetMaintenanceMode(Registry);
}
