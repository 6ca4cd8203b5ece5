#include "utils/win32/Win32Registry.h"

#include "utils/Errors.h"

#include <vector>

TRegistryKey TWin32RegistryHive::OpenForQuery(const std::string& Path) const {
  // Paths are written from the root with a leading backslash; the API wants
  // them relative to the root key.
  std::string::size_type First = Path.find_first_not_of('\\');
  const std::string SubKey = First == std::string::npos ? std::string() : Path.substr(First);
  HKEY Key = nullptr;
  if (RegOpenKeyExA(Root(), SubKey.c_str(), 0, KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS) return TRegistryKey();
  return TRegistryKey(Key);
}

bool TWin32RegistryHive::KeyExists(const std::string& Path) { return OpenForQuery(Path).IsValid(); }

std::optional<std::string> TWin32RegistryHive::ReadString(const std::string& Path, const std::string& ValueName) {
  TRegistryKey Key = OpenForQuery(Path);
  if (!Key) return std::nullopt;

  DWORD Type = 0;
  DWORD Size = 0;
  if (RegQueryValueExA(Key.Get(), ValueName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
    return std::nullopt;
  for (;;) {
    if (Type != REG_SZ && Type != REG_EXPAND_SZ) throw ERegistryException::InvalidDataType(ValueName);
    std::vector<char> Data(Size + 1, '\0');
    DWORD Got = Size;
    LONG Result =
        RegQueryValueExA(Key.Get(), ValueName.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &Got);
    if (Result == ERROR_MORE_DATA) {  // it grew since the size was asked
      Size = Got;
      continue;
    }
    if (Result != ERROR_SUCCESS) return std::nullopt;
    if (Type != REG_SZ && Type != REG_EXPAND_SZ) throw ERegistryException::InvalidDataType(ValueName);
    // Stored as written, with or without its terminator; the text ends at the
    // first NUL. An expandable value is returned unexpanded.
    Data[Got] = '\0';
    return std::string(Data.data());
  }
}

std::unique_ptr<IRegistryHive> TWin32Registry::Connect(const std::string& NodeName) {
  if (NodeName.empty()) return std::make_unique<TWin32RegistryHive>();
  const std::string Machine = "\\\\" + NodeName;
  HKEY Connection = nullptr;
  if (RegConnectRegistryA(Machine.c_str(), HKEY_LOCAL_MACHINE, &Connection) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<TWin32RegistryHive>(TRegistryKey(Connection));
}
