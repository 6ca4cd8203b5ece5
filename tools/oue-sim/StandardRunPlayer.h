#pragma once
// Win32: plays the standard run over the update files of the -dir folder.
#include "EngineCommandLine.h"
#include "SimConsole.h"
#include "SimSettings.h"

namespace oue_sim {

// Returns the exit code the run ends with (kExitSuccess or kExitRunFailed).
unsigned long PlayStandardRun(const EngineArguments& Arguments, const SimSettings& Settings, TSimOutput& Output);

}  // namespace oue_sim
