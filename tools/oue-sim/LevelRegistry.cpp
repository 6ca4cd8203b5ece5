#include "LevelRegistry.h"

#include <windows.h>

#include "utils/win32/Handles.h"

namespace oue_sim {

unsigned long WriteUpdateLevel(const std::string& level) {
  TRegistryKey key;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Dantor\\Kelvra\\Products\\Orvane", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
  if (rc != ERROR_SUCCESS) return static_cast<unsigned long>(rc);
  rc = RegSetValueExA(key.Get(), "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(level.c_str()),
                      static_cast<DWORD>(level.size() + 1));
  return static_cast<unsigned long>(rc);
}

}  // namespace oue_sim
