// The simulator's command line and settings: any text is split and judged
// without a fault, and an accepted command line holds what the engine needs.
// Input: the command line, then (after LF) the three settings, LF separated.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "EngineCommandLine.h"
#include "SimSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::vector<std::string> Parts;
  std::size_t Start = 0;
  while (Start <= Text.size() && Parts.size() < 4) {
    std::size_t End = Parts.size() < 3 ? Text.find('\n', Start) : std::string::npos;
    if (End == std::string::npos) End = Text.size();
    Parts.push_back(Text.substr(Start, End - Start));
    Start = End + 1;
  }

  for (const char* Own : {"oue.exe", "", "OUE.EXE"}) {
    const std::vector<std::string> Args = oue_sim::SplitCommandLine(Parts[0], Own);
    const oue_sim::EngineArgumentsParse Parse = oue_sim::ParseEngineArguments(Args);
    if (Parse.Ok()) {
      const oue_sim::EngineArguments& A = Parse.arguments;
      if (A.product != "orvane" || A.dir.empty() || A.noSnapshot == !A.snapshotLocation.empty()) std::abort();
    }
  }
  auto Setting = [&](std::size_t I) { return I < Parts.size() ? std::optional<std::string>(Parts[I]) : std::nullopt; };
  const oue_sim::SimSettingsParse Settings = oue_sim::ParseSimSettings(Setting(1), Setting(2), Setting(3));
  if (Settings.Ok() && Settings.settings.delayMs > 600000UL) std::abort();
  return 0;
}
