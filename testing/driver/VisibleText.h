// Shows control bytes, so that a failing case prints what it got readably.
// Portable: the native unit tests print with it as well. Every byte has one
// spelling (a backslash is doubled), so two texts are equal exactly when
// what it makes of them is, and a NUL (a pipe reader's "no line") never
// reads like an empty line.
#pragma once
#include <string>

inline std::string Visible(const std::string& Text) {
  static const char Digits[] = "0123456789ABCDEF";
  std::string Result;
  for (const unsigned char C : Text) {
    if (C == '\r')
      Result += "\\r";
    else if (C == '\n')
      Result += "\\n";
    else if (C == '\t')
      Result += "\\t";
    else if (C == '\\')
      Result += "\\\\";
    else if (C < 32 || C >= 127)
      Result += std::string("\\x") + Digits[C >> 4] + Digits[C & 15];
    else
      Result += static_cast<char>(C);
  }
  return Result;
}
