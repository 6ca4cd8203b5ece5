#include "UpdateFileNames.h"

#include <algorithm>
#include <unordered_set>

#include "wizard/UpdateFiles.h"

namespace oue_sim {

std::optional<unsigned long> UpdateNumberOf(const std::string& FileName) {
  // The wizard's own rule: a rehearsal must run exactly the updates the
  // wizard listed, no more and no fewer. Negative numbers the wizard skips.
  const int Number = ParseUpdateNumber(FileName);
  if (Number < 0) return std::nullopt;
  return static_cast<unsigned long>(Number);
}

std::vector<UpdateFile> SelectUpdates(std::vector<std::string> FileNames) {
  std::sort(FileNames.begin(), FileNames.end());
  std::vector<UpdateFile> Updates;
  std::unordered_set<unsigned long> Taken;
  for (const std::string& Name : FileNames) {
    const auto N = UpdateNumberOf(Name);
    if (N && Taken.insert(*N).second) Updates.push_back({*N, Name});
  }
  std::stable_sort(Updates.begin(), Updates.end(),
                   [](const UpdateFile& A, const UpdateFile& B) { return A.number < B.number; });
  return Updates;
}

}  // namespace oue_sim
