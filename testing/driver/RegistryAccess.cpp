#include "RegistryAccess.h"

#include "DriverError.h"
#include "utils/win32/Handles.h"

namespace {

void Check(LSTATUS Status, const std::string& What) {
  if (Status != ERROR_SUCCESS)
    throw TDriverError("registry: cannot " + What + " (error " + std::to_string(Status) + ")");
}

void WriteValue(const std::string& KeyPath, const std::string& Name, DWORD Type, const void* Data, DWORD Size) {
  TRegistryKey Key;
  Check(RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, Key.Receive(),
                        nullptr),
        "create HKLM\\" + KeyPath);
  Check(RegSetValueExA(Key.Get(), Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size),
        "write " + Name + " in HKLM\\" + KeyPath);
}

}  // namespace

void WriteRegistryString(const std::string& KeyPath, const std::string& Name, const std::string& Value, DWORD Type) {
  WriteValue(KeyPath, Name, Type, Value.c_str(), static_cast<DWORD>(Value.size() + 1));
}

void WriteRegistryDword(const std::string& KeyPath, const std::string& Name, DWORD Value) {
  WriteValue(KeyPath, Name, REG_DWORD, &Value, sizeof Value);
}

void CreateRegistryKey(const std::string& KeyPath) {
  TRegistryKey Key;
  Check(RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, nullptr, 0, KEY_READ, nullptr, Key.Receive(), nullptr),
        "create HKLM\\" + KeyPath);
}

std::optional<TRegistryValue> ReadRegistryValue(const std::string& KeyPath, const std::string& Name) {
  TRegistryKey Key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, KEY_QUERY_VALUE, Key.Receive()) != ERROR_SUCCESS)
    return std::nullopt;
  TRegistryValue Value;
  DWORD Size = 0;
  if (RegQueryValueExA(Key.Get(), Name.c_str(), nullptr, &Value.Type, nullptr, &Size) != ERROR_SUCCESS)
    return std::nullopt;
  Value.Data.resize(Size);
  if (RegQueryValueExA(Key.Get(), Name.c_str(), nullptr, &Value.Type, reinterpret_cast<BYTE*>(Value.Data.data()),
                       &Size) != ERROR_SUCCESS)
    return std::nullopt;
  Value.Data.resize(Size);
  bool IsString = Value.Type == REG_SZ || Value.Type == REG_EXPAND_SZ;
  if (IsString && !Value.Data.empty() && Value.Data.back() == '\0') Value.Data.pop_back();
  return Value;
}

bool RegistryKeyExists(const std::string& KeyPath) {
  TRegistryKey Key;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, KEY_QUERY_VALUE, Key.Receive()) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(const std::string& KeyPath, const std::string& Name) {
  TRegistryKey Key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, Key.Receive()) !=
      ERROR_SUCCESS)
    return true;
  LSTATUS Status = RegDeleteValueA(Key.Get(), Name.c_str());
  return Status == ERROR_SUCCESS || Status == ERROR_FILE_NOT_FOUND;
}

bool DeleteRegistryTree(const std::string& KeyPath) {
  LSTATUS Status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, KeyPath.c_str());
  if (Status == ERROR_SUCCESS) Status = RegDeleteKeyA(HKEY_LOCAL_MACHINE, KeyPath.c_str());
  return Status == ERROR_SUCCESS || Status == ERROR_FILE_NOT_FOUND || !RegistryKeyExists(KeyPath);
}
