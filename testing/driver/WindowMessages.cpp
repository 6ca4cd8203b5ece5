#include "WindowMessages.h"

#include "Cp1252.h"
#include "DriverError.h"

LRESULT SendToWindow(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, const char* What) {
  DWORD_PTR Result = 0;
  SetLastError(0);
  if (!SendMessageTimeoutW(Window, Message, WParam, LParam, SMTO_NORMAL, MessageTimeoutMs, &Result)) {
    DWORD Error = GetLastError();
    throw TDriverError(std::string(What) + ": the wizard did not answer within " + std::to_string(MessageTimeoutMs) +
                       " ms (error " + std::to_string(Error) + ")");
  }
  return static_cast<LRESULT>(Result);
}

std::string WindowText(HWND Window) {
  LRESULT Length = SendToWindow(Window, WM_GETTEXTLENGTH, 0, 0, "WM_GETTEXTLENGTH");
  std::wstring Buffer(static_cast<size_t>(Length) + 1, L'\0');
  LRESULT Copied =
      SendToWindow(Window, WM_GETTEXT, Buffer.size(), reinterpret_cast<LPARAM>(Buffer.data()), "WM_GETTEXT");
  Buffer.resize(static_cast<size_t>(Copied));
  return ToCp1252(Buffer);
}

void SetWindowTextTo(HWND Window, const std::string& Text) {
  std::wstring Wide = FromCp1252(Text);
  SendToWindow(Window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide.c_str()), "WM_SETTEXT");
}

std::string WindowClass(HWND Window) {
  char Name[256] = {};
  int Length = GetClassNameA(Window, Name, sizeof Name);
  return std::string(Name, Length > 0 ? static_cast<size_t>(Length) : 0);
}

DWORD WindowProcessId(HWND Window) {
  DWORD Pid = 0;
  GetWindowThreadProcessId(Window, &Pid);
  return Pid;
}
