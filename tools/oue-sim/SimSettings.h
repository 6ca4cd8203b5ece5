#pragma once
// What the environment tells the simulator (the wizard passes its own
// environment on to the engine, so tests and operators set these there):
//   OUE_SIM_SCENARIO     path of a scenario file; unset or empty: standard run
//   OUE_SIM_DELAY_MS     pause after each line of the standard run (default 40)
//   OUE_SIM_NEED_REBOOT  "1": the standard run asks for a reboot
//   OUE_SIM_MAX_SLEEP_MS the longest a scenario's "sleep" pauses, so a scenario
//                        written with real waits (ten minutes of silence)
//                        plays in a test as a long pause; default no limit
#include <optional>
#include <string>
#include <vector>

namespace oue_sim {

struct SimSettings {
  std::string scenarioPath;
  unsigned long delayMs = 40;
  bool needReboot = false;
  unsigned long maxSleepMs = 3600000;
};

struct SimSettingsParse {
  SimSettings settings;
  std::vector<std::string> errors;
  bool Ok() const { return errors.empty(); }
};

// Each argument is the variable's value, or nullopt when it is not set.
SimSettingsParse ParseSimSettings(const std::optional<std::string>& Scenario, const std::optional<std::string>& DelayMs,
                                  const std::optional<std::string>& NeedReboot,
                                  const std::optional<std::string>& MaxSleepMs = std::nullopt);

}  // namespace oue_sim
