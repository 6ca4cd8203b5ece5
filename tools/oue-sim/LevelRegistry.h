#pragma once
// Win32: records the node's update level where the wizard reads it, in the
// registry view of this program's own bitness (the shipped engine and wizard
// are both 32-bit, so both see the same view).
#include <string>

namespace oue_sim {

// HKEY_LOCAL_MACHINE "Software\Dantor\Kelvra\Products\Orvane", value
// "UpdateLevel" (REG_SZ); the key is created when missing. Returns 0 or the
// system error code.
unsigned long WriteUpdateLevel(const std::string& Level);

}  // namespace oue_sim
