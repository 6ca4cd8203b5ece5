#include "utils/BoundedValue.h"

#include "utils/Errors.h"

TBoundedValue ReadBoundedText(IValueQuery& Query) {
  uint32_t Size = 0;
  TValueKind Kind = TValueKind::Other;
  if (Query.Query(nullptr, Size, Kind) == TQueryStatus::Failed) return {};
  for (int Read = 0; Read < MaxValueReads; ++Read) {
    if (Kind != TValueKind::Text) return {TValueVerdict::WrongType, {}};
    if (Size > MaxValueBytes) return {TValueVerdict::TooLarge, {}};
    // One byte more than asked for, always zero: the text ends even when the
    // value was stored without its terminator.
    std::string Data(static_cast<size_t>(Size) + 1, '\0');
    uint32_t Got = Size;
    const TQueryStatus Status = Query.Query(&Data[0], Got, Kind);
    if (Status == TQueryStatus::MoreData) {  // it grew since the size was asked
      Size = Got;
      continue;
    }
    if (Status != TQueryStatus::Done) return {};
    if (Kind != TValueKind::Text) return {TValueVerdict::WrongType, {}};
    if (Got > Size) return {TValueVerdict::TooLarge, {}};  // claims more than it was given room for
    Data.resize(Got);
    return {TValueVerdict::Text, Data.substr(0, Data.find('\0'))};
  }
  return {TValueVerdict::TooLarge, {}};
}

std::optional<std::string> TextOrThrow(const TBoundedValue& Value, const std::string& ValueName) {
  switch (Value.Verdict) {
    case TValueVerdict::Text:
      return Value.Text;
    case TValueVerdict::Missing:
      return std::nullopt;
    case TValueVerdict::WrongType:
      throw ERegistryException::InvalidDataType(ValueName);
    case TValueVerdict::TooLarge:
      break;
  }
  throw ERegistryException::InvalidDataSize(ValueName);
}
