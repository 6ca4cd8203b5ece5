#include "RegistrySandbox.h"

#include "utils/win32/Handles.h"

#include <stdexcept>

namespace {

const char* const OwnedTree = "Software\\Dantor";
const char* const RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char* const RunOnceNames[] = {"StartOUpdate", "DeleteOUERebootFlag"};

TRegistryKey OpenOrCreate(const std::string& Path) {
  HKEY Key = nullptr;
  LONG Result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                nullptr, &Key, nullptr);
  if (Result != ERROR_SUCCESS) throw std::runtime_error("cannot create HKLM\\" + Path);
  return TRegistryKey(Key);
}

TRegistryKey OpenExisting(const std::string& Path) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Path.c_str(), 0, KEY_ALL_ACCESS, &Key) != ERROR_SUCCESS) return TRegistryKey();
  return TRegistryKey(Key);
}

void CopyTree(const std::string& From, const std::string& To) {
  TRegistryKey Source = OpenExisting(From);
  TRegistryKey Target = OpenOrCreate(To);
  if (RegCopyTreeA(Source.Get(), nullptr, Target.Get()) != ERROR_SUCCESS)
    throw std::runtime_error("cannot copy HKLM\\" + From);
}

void DeleteTree(const std::string& Path) { RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path.c_str()); }

}  // namespace

TRegistrySandbox::TRegistrySandbox()
    : FBackupKey("Software\\OUpdateTestSaved-" + std::to_string(GetCurrentProcessId())) {
  if (OpenExisting(OwnedTree)) {
    CopyTree(OwnedTree, FBackupKey);
    DeleteTree(OwnedTree);
    FMovedTree = true;
  }
  TRegistryKey RunOnce = OpenOrCreate(RunOnceKey);
  for (const char* Name : RunOnceNames) {
    DWORD Type = 0, Size = 0;
    if (RegQueryValueExA(RunOnce.Get(), Name, nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS) continue;
    TSavedValue Saved{Name, Type, std::vector<BYTE>(Size)};
    RegQueryValueExA(RunOnce.Get(), Name, nullptr, &Type, Saved.Data.data(), &Size);
    FRunOnce.push_back(Saved);
    RegDeleteValueA(RunOnce.Get(), Name);
  }
}

TRegistrySandbox::~TRegistrySandbox() {
  DeleteTree(OwnedTree);
  if (FMovedTree) {
    CopyTree(FBackupKey, OwnedTree);
    DeleteTree(FBackupKey);
  }
  TRegistryKey RunOnce = OpenOrCreate(RunOnceKey);
  for (const char* Name : RunOnceNames) RegDeleteValueA(RunOnce.Get(), Name);
  for (const TSavedValue& Saved : FRunOnce)
    RegSetValueExA(RunOnce.Get(), Saved.Name.c_str(), 0, Saved.Type, Saved.Data.data(),
                   static_cast<DWORD>(Saved.Data.size()));
}
