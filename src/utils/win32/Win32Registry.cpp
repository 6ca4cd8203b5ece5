#include "utils/win32/Win32Registry.h"

#include "utils/BoundedValue.h"

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

namespace {
// RegQueryValueExA for the bounded reader (BoundedValue.h), which decides
// what the sizes it reports are worth.
class TValueQuery : public IValueQuery {
 public:
  TValueQuery(HKEY Key, const std::string& Name) : FKey(Key), FName(Name) {}
  TQueryStatus Query(char* Buffer, uint32_t& Size, TValueKind& Kind) override {
    DWORD Type = REG_NONE;
    DWORD Bytes = Size;
    const LONG Result = RegQueryValueExA(FKey, FName.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Buffer), &Bytes);
    Size = Bytes;
    // An expandable value is returned unexpanded.
    Kind = Type == REG_SZ || Type == REG_EXPAND_SZ ? TValueKind::Text : TValueKind::Other;
    if (Result == ERROR_MORE_DATA) return TQueryStatus::MoreData;
    return Result == ERROR_SUCCESS ? TQueryStatus::Done : TQueryStatus::Failed;
  }

 private:
  HKEY FKey;
  const std::string& FName;
};
}  // namespace

std::optional<std::string> TWin32RegistryHive::ReadString(const std::string& Path, const std::string& ValueName) {
  TRegistryKey Key = OpenForQuery(Path);
  if (!Key) return std::nullopt;
  TValueQuery Query(Key.Get(), ValueName);
  return TextOrThrow(ReadBoundedText(Query), ValueName);
}

std::unique_ptr<IRegistryHive> TWin32Registry::Connect(const std::string& NodeName) {
  if (NodeName.empty()) return std::make_unique<TWin32RegistryHive>();
  const std::string Machine = "\\\\" + NodeName;
  HKEY Connection = nullptr;
  if (RegConnectRegistryA(Machine.c_str(), HKEY_LOCAL_MACHINE, &Connection) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<TWin32RegistryHive>(TRegistryKey(Connection));
}
