#include "LevelRegistry.h"

#include <windows.h>

#include "utils/win32/Handles.h"

namespace oue_sim {

unsigned long WriteUpdateLevel(const std::string& Level) {
  TRegistryKey Key;
  LONG Rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Dantor\\Kelvra\\Products\\Orvane", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, Key.Receive(), nullptr);
  if (Rc != ERROR_SUCCESS) return static_cast<unsigned long>(Rc);
  Rc = RegSetValueExA(Key.Get(), "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(Level.c_str()),
                      static_cast<DWORD>(Level.size() + 1));
  return static_cast<unsigned long>(Rc);
}

}  // namespace oue_sim
