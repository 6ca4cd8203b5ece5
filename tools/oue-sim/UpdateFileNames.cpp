#include "UpdateFileNames.h"

#include <algorithm>
#include <unordered_set>

#include "wizard/UpdateFiles.h"

namespace oue_sim {

std::optional<unsigned long> UpdateNumberOf(const std::string& fileName) {
  // The wizard's own rule: a rehearsal must run exactly the updates the
  // wizard listed, no more and no fewer. Negative numbers the wizard skips.
  const int number = ParseUpdateNumber(fileName);
  if (number < 0) return std::nullopt;
  return static_cast<unsigned long>(number);
}

std::vector<UpdateFile> SelectUpdates(std::vector<std::string> fileNames) {
  std::sort(fileNames.begin(), fileNames.end());
  std::vector<UpdateFile> updates;
  std::unordered_set<unsigned long> taken;
  for (const std::string& name : fileNames) {
    const auto n = UpdateNumberOf(name);
    if (n && taken.insert(*n).second) updates.push_back({*n, name});
  }
  std::stable_sort(updates.begin(), updates.end(),
                   [](const UpdateFile& a, const UpdateFile& b) { return a.number < b.number; });
  return updates;
}

}  // namespace oue_sim
