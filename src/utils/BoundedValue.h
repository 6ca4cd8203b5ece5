// Reading one string value of the registry within bounds. The registry of
// the primary node is read over the network from whatever answers to its
// name, so every size it reports is a claim to check, not a fact.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// No value the wizard reads is anywhere near this; a larger one is refused
// unread.
constexpr uint32_t MaxValueBytes = 64 * 1024;
// A value that keeps growing between the size query and the read is given up.
constexpr int MaxValueReads = 4;

enum class TValueKind { Text, Other };
enum class TQueryStatus { Done, MoreData, Failed };

// One query of one value, in the manner of RegQueryValueExA: with Buffer
// null it asks only for the size; otherwise it fills at most Size bytes.
// Size returns what the value holds (or needs, for MoreData), Kind its type.
class IValueQuery {
 public:
  virtual ~IValueQuery() = default;
  virtual TQueryStatus Query(char* Buffer, uint32_t& Size, TValueKind& Kind) = 0;
};

enum class TValueVerdict { Text, Missing, WrongType, TooLarge };
struct TBoundedValue {
  TValueVerdict Verdict = TValueVerdict::Missing;
  std::string Text;  // for Text: up to the first NUL, or all bytes when none ends it
};

TBoundedValue ReadBoundedText(IValueQuery& Query);

// The reader's answer for the hive: the text, nothing for a missing value,
// ERegistryException naming ValueName for a value of another type or one
// beyond the bounds (which the callers treat as unreadable).
std::optional<std::string> TextOrThrow(const TBoundedValue& Value, const std::string& ValueName);
