// /check: what the log says for a server that would start the update now.
#pragma once
#include <string>

// The smallest and largest update numbers of a colon list; false for a list
// without a number.
bool UpdateNumberRange(const std::string& FoundUpdates, long long& First, long long& Last);

// One line in the current language: from which level to which the update
// would take the server, with which update files, and whether the engine
// would store a snapshot first, on which drive (e.g. "D:") with how much
// room (the snapshot page's free-space text). Throws std::invalid_argument
// for a list without a number.
std::string PreflightReadyText(const std::string& LocalLevel, const std::string& FoundUpdates, bool Snapshot,
                               const std::string& Drive, const std::string& DriveSpace);
