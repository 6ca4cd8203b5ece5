#include "SimSettings.h"

#include "AsciiText.h"

namespace oue_sim {

SimSettingsParse ParseSimSettings(const std::optional<std::string>& scenario,
                                  const std::optional<std::string>& delayMs,
                                  const std::optional<std::string>& needReboot,
                                  const std::optional<std::string>& maxSleepMs) {
  SimSettingsParse parse;
  if (scenario) parse.settings.scenarioPath = *scenario;
  if (delayMs && !delayMs->empty()) {
    if (const auto ms = ParseUnsignedDecimal(*delayMs, 600000UL))
      parse.settings.delayMs = *ms;
    else
      parse.errors.push_back("OUE_SIM_DELAY_MS must be milliseconds from 0 to 600000, got \"" + *delayMs + "\"");
  }
  if (needReboot && !needReboot->empty()) {
    if (*needReboot == "1")
      parse.settings.needReboot = true;
    else if (*needReboot != "0")
      parse.errors.push_back("OUE_SIM_NEED_REBOOT must be 1 or 0, got \"" + *needReboot + "\"");
  }
  if (maxSleepMs && !maxSleepMs->empty()) {
    if (const auto ms = ParseUnsignedDecimal(*maxSleepMs, 3600000UL))
      parse.settings.maxSleepMs = *ms;
    else
      parse.errors.push_back("OUE_SIM_MAX_SLEEP_MS must be milliseconds from 0 to 3600000, got \"" + *maxSleepMs +
                             "\"");
  }
  return parse;
}

}  // namespace oue_sim
