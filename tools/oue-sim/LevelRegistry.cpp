#include "LevelRegistry.h"

#include <windows.h>

namespace oue_sim {
namespace {

class TRegKey {
 public:
  TRegKey() = default;
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;
  ~TRegKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

unsigned long WriteUpdateLevel(const std::string& level) {
  TRegKey key;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Dantor\\Kelvra\\Products\\Orvane", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(), nullptr);
  if (rc != ERROR_SUCCESS) return static_cast<unsigned long>(rc);
  rc = RegSetValueExA(key.Get(), "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(level.c_str()),
                      static_cast<DWORD>(level.size() + 1));
  return static_cast<unsigned long>(rc);
}

}  // namespace oue_sim
