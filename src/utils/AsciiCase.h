// Letter case folded for ASCII only: names of files, switches, registry keys
// and nodes compare the same whatever the code page, since every other byte
// passes unchanged.
#pragma once
#include <cstddef>
#include <string>

inline char AsciiUpper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }
inline char AsciiLower(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

inline std::string AsciiUpperCase(std::string Text) {
  for (char& C : Text) C = AsciiUpper(C);
  return Text;
}

inline std::string AsciiLowerCase(std::string Text) {
  for (char& C : Text) C = AsciiLower(C);
  return Text;
}

inline bool SameTextIgnoringAsciiCase(const std::string& A, const std::string& B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (AsciiUpper(A[I]) != AsciiUpper(B[I])) return false;
  return true;
}
