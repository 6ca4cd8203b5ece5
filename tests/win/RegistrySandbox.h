// Lets a test own the installation's registry keys: whatever the prefix held
// under HKLM\Software\Dantor and in the two RunOnce values is moved aside
// first and put back afterwards, so the tests run in any copy of the prefix.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class TRegistrySandbox {
 public:
  TRegistrySandbox();
  ~TRegistrySandbox();
  TRegistrySandbox(const TRegistrySandbox&) = delete;
  TRegistrySandbox& operator=(const TRegistrySandbox&) = delete;

 private:
  struct TSavedValue {
    std::string Name;
    DWORD Type = 0;
    std::vector<BYTE> Data;
  };

  std::string FBackupKey;
  bool FMovedTree = false;
  std::vector<TSavedValue> FRunOnce;
};

// Seeding and inspecting HKLM (paths without the leading backslash).
void SetRegistryText(const std::string& Path, const std::string& Name, const std::string& Text, DWORD Type = REG_SZ);
void SetRegistryNumber(const std::string& Path, const std::string& Name, DWORD Value);
void CreateRegistryKey(const std::string& Path);
struct TRegistryText {
  DWORD Type;
  std::string Text;
};
std::optional<TRegistryText> GetRegistryText(const std::string& Path, const std::string& Name);
