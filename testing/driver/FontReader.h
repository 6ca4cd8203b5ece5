// The weight of the font a control of the wizard draws with.
#pragma once
#include <windows.h>

// FW_NORMAL, FW_BOLD, ... of the font the control reports (WM_GETFONT), or of
// the system font when it reports none. Asked inside the wizard's process
// through the probe (WizardProbe.h). Throws TDriverError.
LONG ControlFontWeight(HWND Control, HANDLE Process);
