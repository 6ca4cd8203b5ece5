// Messages to windows of another process, bounded in time: a wizard that hangs
// fails the test with a message instead of hanging the test program.
#pragma once
#include <windows.h>

#include <string>

constexpr UINT MessageTimeoutMs = 5000;

// SendMessageTimeoutW; throws TDriverError naming What when the window does
// not answer in time or has gone.
LRESULT SendToWindow(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, const char* What);

// The window's text by WM_GETTEXT, as Windows-1252 bytes.
std::string WindowText(HWND Window);
void SetWindowTextTo(HWND Window, const std::string& Text);

std::string WindowClass(HWND Window);
DWORD WindowProcessId(HWND Window);
