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

// Deletes File at the next boot, before anybody logs on: RunOnce commands run
// only at a logon, and a fleet tool's reboot logs nobody on, so without this
// the reboot flag would outlive the reboot and the next run would refuse
// again. The platform keeps the request under
// PendingFileRenameOperations, which needs administrator rights (the wizard's
// manifest asks for them). Returns false when the platform refused.
bool RegisterDeletionAtBoot(const std::string& File);

// The full path of the running program.
std::string GetOwnProgramPath();
