#pragma once
// Win32: plays a parsed scenario, step by step.
#include <vector>

#include "EngineCommandLine.h"
#include "Scenario.h"
#include "SimConsole.h"
#include "SimSettings.h"

namespace oue_sim {

// Returns the exit code; "exit-unread" and "crash" do not return.
unsigned long PlayScenario(const std::vector<ScenarioStep>& Steps, const EngineArguments& Arguments,
                           const SimSettings& Settings, TSimOutput& Output, TSimInput& Input);

}  // namespace oue_sim
