#pragma once
// Which files in the update folder are updates, and in which order they run.
#include <optional>
#include <string>
#include <vector>

namespace oue_sim {

struct UpdateFile {
  unsigned long number;
  std::string fileName;  // name only, as found in the folder
};

// The update number of "Orvane-3.1.0.<n>....oue", read by the wizard's own
// ParseUpdateNumber; none for a name the wizard does not list.
std::optional<unsigned long> UpdateNumberOf(const std::string& FileName);

// The update files among the names, by rising number; a second file with a
// number already taken (e.g. a bracketed variant) is left out, the first name
// in byte order wins.
std::vector<UpdateFile> SelectUpdates(std::vector<std::string> FileNames);

}  // namespace oue_sim
