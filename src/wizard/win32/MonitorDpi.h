// The DPI of a monitor or of a window, where the system can tell it: a
// per-monitor aware window opens at the DPI of the monitor it is on, which
// need not be the system's.
#pragma once
#include <windows.h>

// The DPI of the whole desktop, as the system scales for programs that are
// not per-monitor aware.
int SystemDpi();

// The DPI of the monitor that holds Point (the primary one if none does);
// the system's where monitors have no DPI of their own.
int MonitorDpiAt(POINT Point);

// The DPI the system gives Window, or 0 where it cannot tell.
int WindowDpi(HWND Window);
