#include "AsciiText.h"

namespace oue_sim {

bool StartsWith(const std::string& Text, const std::string& Prefix) {
  return Text.compare(0, Prefix.size(), Prefix) == 0;
}

bool EndsWith(const std::string& Text, const std::string& Suffix) {
  return Text.size() >= Suffix.size() && Text.compare(Text.size() - Suffix.size(), Suffix.size(), Suffix) == 0;
}

std::optional<unsigned long> ParseUnsignedDecimal(const std::string& Text, unsigned long Max) {
  if (Text.empty()) return std::nullopt;
  unsigned long Value = 0;
  for (char C : Text) {
    if (C < '0' || C > '9') return std::nullopt;
    const unsigned long Digit = static_cast<unsigned long>(C - '0');
    if (Value > (Max - Digit) / 10) return std::nullopt;
    Value = Value * 10 + Digit;
  }
  return Value;
}

}  // namespace oue_sim
