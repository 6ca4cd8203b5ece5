#include "Cp1252.h"

#include <windows.h>

namespace {
constexpr UINT CodePage1252 = 1252;
}

std::string ToCp1252(const std::wstring& Text) {
  if (Text.empty()) return std::string();
  int Size =
      WideCharToMultiByte(CodePage1252, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0, nullptr, nullptr);
  std::string Result(static_cast<size_t>(Size), '\0');
  WideCharToMultiByte(CodePage1252, 0, Text.data(), static_cast<int>(Text.size()), Result.data(), Size, nullptr,
                      nullptr);
  return Result;
}

std::wstring FromCp1252(const std::string& Text) {
  if (Text.empty()) return std::wstring();
  int Size = MultiByteToWideChar(CodePage1252, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
  std::wstring Result(static_cast<size_t>(Size), L'\0');
  MultiByteToWideChar(CodePage1252, 0, Text.data(), static_cast<int>(Text.size()), Result.data(), Size);
  return Result;
}
