#pragma once
// Win32: the names of the ordinary files in the update folder.
#include <string>
#include <vector>

namespace oue_sim {

bool FolderExists(const std::string& Dir);

// Names (without folder) of the files matching "Orvane-*.oue"; hidden and
// system files and folders are left out, as the wizard leaves them out.
std::vector<std::string> ListUpdateFileNames(const std::string& Dir);

}  // namespace oue_sim
