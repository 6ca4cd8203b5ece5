#include "SimSettings.h"

#include "AsciiText.h"

namespace oue_sim {

SimSettingsParse ParseSimSettings(const std::optional<std::string>& Scenario, const std::optional<std::string>& DelayMs,
                                  const std::optional<std::string>& NeedReboot,
                                  const std::optional<std::string>& MaxSleepMs) {
  SimSettingsParse Parse;
  if (Scenario) Parse.settings.scenarioPath = *Scenario;
  if (DelayMs && !DelayMs->empty()) {
    if (const auto Ms = ParseUnsignedDecimal(*DelayMs, 600000UL))
      Parse.settings.delayMs = *Ms;
    else
      Parse.errors.push_back("OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"" + *DelayMs + "\"");
  }
  if (NeedReboot && !NeedReboot->empty()) {
    if (*NeedReboot == "1")
      Parse.settings.needReboot = true;
    else if (*NeedReboot != "0")
      Parse.errors.push_back("OUE_SIM_NEED_REBOOT must be 1 or 0, got \"" + *NeedReboot + "\"");
  }
  if (MaxSleepMs && !MaxSleepMs->empty()) {
    if (const auto Ms = ParseUnsignedDecimal(*MaxSleepMs, 3600000UL))
      Parse.settings.maxSleepMs = *Ms;
    else
      Parse.errors.push_back("OUE_SIM_MAX_SLEEP_MS must be milliseconds from 0 to 3600000, got \"" + *MaxSleepMs +
                             "\"");
  }
  return Parse;
}

}  // namespace oue_sim
