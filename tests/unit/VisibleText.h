// Shows control characters, so that a failing case prints what it got readably.
#pragma once
#include <string>

inline std::string Visible(const std::string& Text) {
  std::string Result;
  for (const unsigned char C : Text) {
    if (C == '\r')
      Result += "\\r";
    else if (C == '\n')
      Result += "\\n";
    else if (C < 32 || C >= 127)
      Result += "\\x" + std::to_string(C);
    else
      Result += static_cast<char>(C);
  }
  return Result;
}
