#include "utils/win32/OSError.h"

#include "utils/Errors.h"

std::string SysErrorMessage(DWORD Code) {
  char Buffer[512];
  DWORD Length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                     nullptr, Code, 0, Buffer, sizeof(Buffer), nullptr);
  // The messages end in ".\r\n", which would break the patterns they are put in.
  while (Length > 0 && (static_cast<unsigned char>(Buffer[Length - 1]) <= ' ' || Buffer[Length - 1] == '.')) --Length;
  return std::string(Buffer, Length);
}

void RaiseLastOSError() {
  const DWORD Code = GetLastError();
  throw EOSError(Code, Code != 0 ? SysErrorMessage(Code) : std::string());
}
