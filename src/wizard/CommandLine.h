// The wizard's one command-line switch.
#pragma once
#include <string>

// True for an argument that is exactly "~" followed by "nosnapshot" in any
// letter case. Only the tilde introduces a switch: "-nosnapshot" and
// "/nosnapshot" are ordinary arguments and are ignored like any other.
bool IsNoSnapshotSwitch(const std::string& Arg);
