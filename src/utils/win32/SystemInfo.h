// What this machine and the group's primary node say about the installation:
// environment, computer name and the machine registry, read afresh each call.
#pragma once

#include "utils/NodeInfo.h"

#include <string>

// The variable's value, whole whatever its length; empty when not defined.
std::string ReadEnvironmentVariable(const std::string& Name);
// This machine's NetBIOS name.
std::string GetLocalComputerName();

// Section value of the current release, on this machine (empty NodeName) or
// on another one; Default when the machine, a key or the value is missing.
std::string ReadReleaseSetting(const std::string& Section, const std::string& ValueName, const std::string& Default,
                               const std::string& NodeName);
std::string GetLocalUpdateLevel();
// For display: UnknownUpdateLevel when the value cannot be read as text.
std::string GetShownLocalUpdateLevel();
std::string GetPrimaryNodeUpdateLevel();
std::string GetPrimaryNodeName();
std::string GetOriginalPrimaryNodeName();
std::string GetBackupPid();
std::string GetDatabaseBackupPid();
bool IsBackupRunning();
NodeRole GetNodeRole();
std::string GetNodeRoleName();
// For display: "<unknown>" when the role cannot be read.
std::string GetShownNodeRoleName();
MaintenanceModeState GetMaintenanceMode();
