#pragma once
// The believable run the simulator plays when no scenario is named: what it
// says, in which order, and when the new update level is recorded.
#include <string>
#include <vector>

#include "UpdateFileNames.h"

namespace oue_sim {

enum class RunActionKind { Line, WriteLevel };

struct RunAction {
  RunActionKind kind;
  std::string text;  // the line without terminator, or the level to record
};

struct StandardRunInput {
  std::string dir;
  std::string snapshotLocation;     // empty: no snapshot section
  std::vector<UpdateFile> updates;  // by rising number, at least one
  bool needReboot = false;
};

std::string UpdateLevelOf(unsigned long UpdateNumber);

// Each update records its own level right after its work and before its final
// 100, so a caller that rereads the level at 90% or more sees the new one; the
// last update leaves the highest level behind.
std::vector<RunAction> StandardRunScript(const StandardRunInput& Input);

}  // namespace oue_sim
