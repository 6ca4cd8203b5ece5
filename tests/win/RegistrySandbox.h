// Lets a test own the installation's registry keys: whatever the prefix held
// under HKLM\Software\Dantor and in the two RunOnce values is moved aside
// first and put back afterwards, so the tests run in any copy of the prefix.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "RegistryAccess.h"  // seeding and inspecting HKLM: the harness's

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
