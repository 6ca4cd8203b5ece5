// Windows DLLs outside its known-DLL list, loaded at run time from System32
// and nowhere else.
#pragma once
#include <windows.h>

#include "utils/win32/Handles.h"

// The wizard runs elevated from whatever folder holds it. A DLL it imports
// and Windows does not keep among its known DLLs is searched for in the
// program's folder first, before WinMain can restrict anything: whoever can
// drop a file there would run code as the administrator. So the wizard
// imports only known DLLs and takes every other one through this owner.
class TSystemLibrary {
 public:
  // Name is a bare file name ("mpr.dll"). Holds nothing when System32 has
  // no such DLL (or it does not load); every function is then missing.
  explicit TSystemLibrary(const char* Name);
  TSystemLibrary(const TSystemLibrary&) = delete;
  TSystemLibrary& operator=(const TSystemLibrary&) = delete;

  // The export Name as a pointer of type T, or nullptr.
  template <typename T>
  T Function(const char* Name) const {
    return FModule ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(FModule.Get(), Name))) : nullptr;
  }

 private:
  TLibrary FModule;
};
