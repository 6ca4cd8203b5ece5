// The engine simulator: plays the update engine for rehearsals, the demo and
// the tests. Installed as oue.exe beside the wizard.
#include <windows.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "EngineCommandLine.h"
#include "ExitCodes.h"
#include "Grandchild.h"
#include "Scenario.h"
#include "ScenarioPlayer.h"
#include "SimConsole.h"
#include "SimSettings.h"
#include "StandardRunPlayer.h"

namespace {

using namespace oue_sim;

std::optional<std::string> EnvironmentValue(const char* name) {
  std::string value(256, '\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD n = GetEnvironmentVariableA(name, &value[0], static_cast<DWORD>(value.size()));
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);
  }
}

std::string OwnFileName() {
  char path[MAX_PATH * 4] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string full(path, n);
  const std::size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  text = content.str();
  return !file.bad();
}

unsigned long Run(TSimOutput& output, TSimInput& input) {
  const EngineArgumentsParse commandLine = ParseEngineArguments(SplitCommandLine(GetCommandLineA(), OwnFileName()));
  if (!commandLine.Ok()) {
    // No result line: the wizard must see this run as failed.
    for (const std::string& error : commandLine.errors) output.WriteLine("[Error]: " + error);
    output.WriteLine("[Error]: " + EngineUsage());
    return kExitBadCommandLine;
  }

  const SimSettingsParse settings = ParseSimSettings(
      EnvironmentValue("OUE_SIM_SCENARIO"), EnvironmentValue("OUE_SIM_DELAY_MS"), EnvironmentValue("OUE_SIM_NEED_REBOOT"),
      EnvironmentValue("OUE_SIM_MAX_SLEEP_MS"));
  if (!settings.Ok()) {
    for (const std::string& error : settings.errors) output.WriteLine("[Error]: " + error);
    return kExitBadScenario;
  }

  if (settings.settings.scenarioPath.empty()) {
    const unsigned long rc = PlayStandardRun(commandLine.arguments, settings.settings, output);
    output.WaitUntilRead();
    return rc;
  }

  std::string text;
  if (!ReadWholeFile(settings.settings.scenarioPath, text)) {
    output.WriteLine("[Error]: cannot read scenario file " + settings.settings.scenarioPath);
    return kExitBadScenario;
  }
  const ScenarioParse scenario = ParseScenario(text);
  if (!scenario.Ok()) {
    output.WriteLine("[Error]: " + scenario.error);
    return kExitBadScenario;
  }
  return PlayScenario(scenario.steps, commandLine.arguments, settings.settings, output, input);
}

}  // namespace

int main() {
  if (const auto text = EnvironmentValue(kGrandchildVariable)) RunGrandchild(*text);
  TSimOutput output;
  TSimInput input;
  ExitProcess(static_cast<UINT>(Run(output, input)));
}
