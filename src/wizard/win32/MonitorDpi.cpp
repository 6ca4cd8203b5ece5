#include "wizard/win32/MonitorDpi.h"

#include "utils/win32/Handles.h"
#include "utils/win32/SystemLibrary.h"

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

}  // namespace

int SystemDpi() {
  const TWindowDc Screen = WindowDc(nullptr);
  const int Dpi = Screen ? GetDeviceCaps(Screen.Get().Dc, LOGPIXELSY) : 96;
  return Dpi > 0 ? Dpi : 96;
}

int MonitorDpiAt(POINT Point) {
  const TSystemLibrary Shcore("shcore.dll");
  const auto GetDpiForMonitor = Shcore.Function<TGetDpiForMonitor>("GetDpiForMonitor");
  UINT X = 0, Y = 0;
  if (GetDpiForMonitor &&
      SUCCEEDED(GetDpiForMonitor(MonitorFromPoint(Point, MONITOR_DEFAULTTOPRIMARY), EffectiveDpi, &X, &Y)) && Y > 0)
    return static_cast<int>(Y);
  return SystemDpi();
}

int WindowDpi(HWND Window) {
  const auto GetDpiForWindow = Function<TGetDpiForWindow>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
  return GetDpiForWindow && Window ? static_cast<int>(GetDpiForWindow(Window)) : 0;
}
