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

std::optional<std::string> EnvironmentValue(const char* Name) {
  std::string Value(256, '\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD N = GetEnvironmentVariableA(Name, &Value[0], static_cast<DWORD>(Value.size()));
    if (N == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (N < Value.size()) {
      Value.resize(N);
      return Value;
    }
    Value.resize(N);
  }
}

std::string OwnFileName() {
  char Path[MAX_PATH * 4] = {};
  const DWORD N = GetModuleFileNameA(nullptr, Path, sizeof Path);
  const std::string Full(Path, N);
  const std::size_t Slash = Full.find_last_of("\\/");
  return Slash == std::string::npos ? Full : Full.substr(Slash + 1);
}

bool ReadWholeFile(const std::string& Path, std::string& Text) {
  std::ifstream File(Path, std::ios::binary);
  if (!File) return false;
  std::ostringstream Content;
  Content << File.rdbuf();
  Text = Content.str();
  return !File.bad();
}

unsigned long Run(TSimOutput& Output, TSimInput& Input) {
  const EngineArgumentsParse CommandLine = ParseEngineArguments(SplitCommandLine(GetCommandLineA(), OwnFileName()));
  if (!CommandLine.Ok()) {
    // No result line: the wizard must see this run as failed.
    for (const std::string& Error : CommandLine.errors) Output.WriteLine("[Error]: " + Error);
    Output.WriteLine("[Error]: " + EngineUsage());
    return kExitBadCommandLine;
  }

  const SimSettingsParse Settings =
      ParseSimSettings(EnvironmentValue("OUE_SIM_SCENARIO"), EnvironmentValue("OUE_SIM_DELAY_MS"),
                       EnvironmentValue("OUE_SIM_NEED_REBOOT"), EnvironmentValue("OUE_SIM_MAX_SLEEP_MS"));
  if (!Settings.Ok()) {
    for (const std::string& Error : Settings.errors) Output.WriteLine("[Error]: " + Error);
    return kExitBadScenario;
  }

  if (Settings.settings.scenarioPath.empty()) {
    const unsigned long Rc = PlayStandardRun(CommandLine.arguments, Settings.settings, Output);
    Output.WaitUntilRead();
    return Rc;
  }

  std::string Text;
  if (!ReadWholeFile(Settings.settings.scenarioPath, Text)) {
    Output.WriteLine("[Error]: cannot read scenario file " + Settings.settings.scenarioPath);
    return kExitBadScenario;
  }
  const ScenarioParse Scenario = ParseScenario(Text);
  if (!Scenario.Ok()) {
    Output.WriteLine("[Error]: " + Scenario.error);
    return kExitBadScenario;
  }
  return PlayScenario(Scenario.steps, CommandLine.arguments, Settings.settings, Output, Input);
}

}  // namespace

int main() {
  if (const auto Text = EnvironmentValue(kGrandchildVariable)) RunGrandchild(*Text);
  TSimOutput Output;
  TSimInput Input;
  ExitProcess(static_cast<UINT>(Run(Output, Input)));
}
