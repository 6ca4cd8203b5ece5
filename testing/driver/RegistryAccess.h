// The machine registry as the tests seed and inspect it. Key paths are under
// HKEY_LOCAL_MACHINE, without a leading backslash, and are seen in this
// program's registry view, which is the wizard's own: both are built for the
// same word size.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

struct TRegistryValue {
  DWORD Type = REG_NONE;
  std::string Data;  // strings without their terminating zero
};

// Create the key when missing; throw TDriverError on failure.
void WriteRegistryString(const std::string& KeyPath, const std::string& Name, const std::string& Value,
                         DWORD Type = REG_SZ);
void WriteRegistryDword(const std::string& KeyPath, const std::string& Name, DWORD Value);
void CreateRegistryKey(const std::string& KeyPath);

std::optional<TRegistryValue> ReadRegistryValue(const std::string& KeyPath, const std::string& Name);
bool RegistryKeyExists(const std::string& KeyPath);

// True when the value or key is gone afterwards (also when it never was).
bool DeleteRegistryValue(const std::string& KeyPath, const std::string& Name);
bool DeleteRegistryTree(const std::string& KeyPath);
