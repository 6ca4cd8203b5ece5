#pragma once
// Exit codes of the simulator; scenarios choose their own with "exit <code>".
namespace oue_sim {

constexpr unsigned long kExitSuccess = 0;
constexpr unsigned long kExitRunFailed = 1;  // no update files, folder missing, level not written
constexpr unsigned long kExitBadCommandLine = 2;
constexpr unsigned long kExitBadScenario = 3;  // also a bad OUE_SIM_* variable
constexpr unsigned long kExitOutputLost = 4;   // nobody reads the output any more

}  // namespace oue_sim
