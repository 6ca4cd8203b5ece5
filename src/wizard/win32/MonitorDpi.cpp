#include "wizard/win32/MonitorDpi.h"

namespace {
// Both arrived after the systems the wizard still runs on, so they are
// looked up rather than linked.
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using TGetDpiForWindow = UINT(WINAPI*)(HWND);
constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename T>
T Function(HMODULE Module, const char* Name) {
  return Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

// A system library for as long as one question takes. The DLL search is
// limited to System32 before the window exists (DllSearch.h), so the plain
// name cannot load a stranger.
class TSystemLibrary {
 public:
  explicit TSystemLibrary(const char* Name) : FModule(LoadLibraryA(Name)) {}
  ~TSystemLibrary() { if (FModule) FreeLibrary(FModule); }
  TSystemLibrary(const TSystemLibrary&) = delete;
  TSystemLibrary& operator=(const TSystemLibrary&) = delete;
  HMODULE Get() const { return FModule; }

 private:
  HMODULE FModule;
};
}  // namespace

int SystemDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int MonitorDpiAt(POINT Point) {
  TSystemLibrary shcore("shcore.dll");
  const auto getDpiForMonitor = Function<TGetDpiForMonitor>(shcore.Get(), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor &&
      SUCCEEDED(getDpiForMonitor(MonitorFromPoint(Point, MONITOR_DEFAULTTOPRIMARY), EffectiveDpi, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return SystemDpi();
}

int WindowDpi(HWND Window) {
  const auto getDpiForWindow = Function<TGetDpiForWindow>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
  return getDpiForWindow && Window ? static_cast<int>(getDpiForWindow(Window)) : 0;
}
