// Update-file names and the scan: the wizard and the simulator read every
// name alike, and the scan's summary agrees with the names it was given.
// Input: file names separated by LF.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "UpdateFileNames.h"
#include "wizard/UpdateFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::vector<std::string> Names;
  std::set<int> Distinct;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) End = Text.size();
    Names.push_back(Text.substr(Start, End - Start));
    Start = End + 1;
    const int Number = ParseUpdateNumber(Names.back());
    const auto Simulator = oue_sim::UpdateNumberOf(Names.back());
    if ((Number >= 0) != Simulator.has_value()) std::abort();
    if (Simulator && *Simulator != static_cast<unsigned long>(Number)) std::abort();
    if (Number >= 0) Distinct.insert(Number);
  }

  const TUpdateScan Scan = ScanUpdateNames(Names);
  const std::vector<int> Expected(Distinct.begin(), Distinct.end());
  if (Scan.Numbers != Expected || Scan.Count != static_cast<int>(Expected.size())) std::abort();
  if (Scan.Rows.size() != Expected.size()) std::abort();
  for (int Number : Expected)
    if (!ColonListContains(Scan.FoundUpdates, std::to_string(Number))) std::abort();
  const bool Gap = !Expected.empty() && static_cast<long long>(Expected.back()) - Expected.front() + 1 >
                                            static_cast<long long>(Expected.size());
  if (Scan.UpdatesMissing != Gap) std::abort();

  std::vector<int> Selected;
  for (const oue_sim::UpdateFile& Update : oue_sim::SelectUpdates(Names))
    Selected.push_back(static_cast<int>(Update.number));
  if (Selected != Expected) std::abort();
  return 0;
}
