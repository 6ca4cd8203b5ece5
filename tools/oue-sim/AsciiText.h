#pragma once
// Small text helpers of the simulator. Letter case is folded for ASCII only,
// as the engine's callers do: file names and switches are ANSI byte strings.
#include <optional>
#include <string>

namespace oue_sim {

bool StartsWith(const std::string& Text, const std::string& Prefix);
bool EndsWith(const std::string& Text, const std::string& Suffix);

// The whole text must be decimal digits (no sign, no blanks) and not above max.
std::optional<unsigned long> ParseUnsignedDecimal(const std::string& Text, unsigned long Max);

}  // namespace oue_sim
