// Makes the wizard start again at the next logon, after the reboot-flag file
// of an earlier update has been deleted.
#pragma once

#include <string>

// RunOnce entries of the local machine: "StartOUpdate", rewritten each time
// (only with RestartWizard), and "DeleteOUERebootFlag", written only when
// missing. Does nothing when the
// RunOnce key cannot be opened or created; a failed write raises
// ERegistryException.
void RegisterRestartAfterReboot(bool RestartWizard = true);

// The full path of the running program.
std::string GetOwnProgramPath();
