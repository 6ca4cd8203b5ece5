#include "UpdateFileNames.h"

#include <algorithm>

#include "AsciiText.h"

namespace oue_sim {

std::optional<unsigned long> UpdateNumberOf(const std::string& fileName) {
  std::string rest = ToLowerAscii(fileName);
  const std::string prefix = "orvane-";
  if (!StartsWith(rest, prefix)) return std::nullopt;
  rest.erase(0, prefix.size());

  // The extension must be the one and only ".oue", at the very end.
  const std::size_t ext = rest.find(".oue");
  if (ext == std::string::npos || ext + 4 != rest.size()) return std::nullopt;
  rest.erase(ext);

  for (;;) {
    const std::size_t open = rest.find('[');
    const std::size_t close = rest.find(']');
    if (open == std::string::npos || close == std::string::npos || close < open) break;
    rest.erase(open, close - open + 1);
  }

  const std::string level = "3.1.0.";
  if (!StartsWith(rest, level)) return std::nullopt;
  rest.erase(0, level.size());
  const std::size_t dot = rest.find('.');
  if (dot != std::string::npos) rest.erase(dot);

  // Nine digits keep every number within the wizard's 32-bit range.
  const unsigned long max = 999999999UL;
  if (auto n = ParseUnsignedDecimal(rest, max)) return n;
  if (rest.size() > 1) return ParseUnsignedDecimal(rest.substr(0, rest.size() - 1), max);
  return std::nullopt;
}

std::vector<UpdateFile> SelectUpdates(std::vector<std::string> fileNames) {
  std::sort(fileNames.begin(), fileNames.end());
  std::vector<UpdateFile> updates;
  for (const std::string& name : fileNames) {
    const auto n = UpdateNumberOf(name);
    if (!n) continue;
    const bool taken = std::any_of(updates.begin(), updates.end(),
                                   [&](const UpdateFile& u) { return u.number == *n; });
    if (!taken) updates.push_back({*n, name});
  }
  std::stable_sort(updates.begin(), updates.end(),
                   [](const UpdateFile& a, const UpdateFile& b) { return a.number < b.number; });
  return updates;
}

}  // namespace oue_sim
