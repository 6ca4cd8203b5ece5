// The simulator's scenario parser: any text is accepted or refused with the
// line at fault, never a crash; accepted steps come in file order with their
// arguments in range.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  const oue_sim::ScenarioParse Parse = oue_sim::ParseScenario(Text);
  if (!Parse.Ok()) {
    if (!Parse.steps.empty() || Parse.error.rfind("scenario line ", 0) != 0) std::abort();
    return 0;
  }
  unsigned Previous = 0;
  for (const oue_sim::ScenarioStep& Step : Parse.steps) {
    if (Step.lineNumber <= Previous) std::abort();
    Previous = Step.lineNumber;
    if (Step.kind == oue_sim::StepKind::Sleep && Step.number > 3600000UL) std::abort();
    if (Step.kind == oue_sim::StepKind::Flood && Step.number > 100000000UL) std::abort();
  }
  std::string Bytes, Reason;
  oue_sim::DecodeEscapes(Text, Bytes, Reason);
  return 0;
}
