// A value's size is what the registry (possibly another machine's) claims:
// the reader allocates within a bound, retries a growing value a few times,
// and ends a text that was stored without its terminator.
#include "utils/BoundedValue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "utils/Errors.h"

namespace {

// A value as a registry would hold it, with the lies a server could tell.
struct TFakeValue : IValueQuery {
  std::string Bytes = "3.1.0.2";
  TValueKind Kind = TValueKind::Text;
  uint32_t ClaimedSize = 0;  // reported by the size query instead of the real size, when not 0
  size_t GrowBy = 0;         // the value grows by this much at every read
  bool SizeFails = false, ReadFails = false, OverClaims = false, BecomesNumber = false;
  int Calls = 0;

  TQueryStatus Query(char* Buffer, uint32_t& Size, TValueKind& Reported) override {
    ++Calls;
    Reported = Kind;
    if (!Buffer) {
      Size = ClaimedSize ? ClaimedSize : static_cast<uint32_t>(Bytes.size());
      return SizeFails ? TQueryStatus::Failed : TQueryStatus::Done;
    }
    Bytes.append(GrowBy, 'g');
    if (BecomesNumber) Reported = TValueKind::Other;
    if (ReadFails) return TQueryStatus::Failed;
    if (Bytes.size() > Size) {
      Size = static_cast<uint32_t>(Bytes.size());
      return TQueryStatus::MoreData;
    }
    std::memcpy(Buffer, Bytes.data(), Bytes.size());
    Size = static_cast<uint32_t>(Bytes.size()) + (OverClaims ? 1 : 0);
    return TQueryStatus::Done;
  }
};

struct TCase {
  const char* Name;
  std::function<void(TFakeValue&)> Setup;
  TValueVerdict Verdict;
  std::string Text;
};

const std::string Largest(MaxValueBytes - 1, 'x');

const TCase Cases[] = {
    {"with its terminator", [](TFakeValue& V) { V.Bytes = std::string("3.1.0.2", 8); }, TValueVerdict::Text, "3.1.0.2"},
    {"without its terminator", [](TFakeValue&) {}, TValueVerdict::Text, "3.1.0.2"},
    {"empty", [](TFakeValue& V) { V.Bytes.clear(); }, TValueVerdict::Text, ""},
    {"ends at the first NUL", [](TFakeValue& V) { V.Bytes = std::string("a\0b", 3); }, TValueVerdict::Text, "a"},
    {"64 KB with its terminator", [](TFakeValue& V) { V.Bytes = Largest + '\0'; }, TValueVerdict::Text, Largest},
    {"one byte over 64 KB", [](TFakeValue& V) { V.Bytes = Largest + "xx"; }, TValueVerdict::TooLarge, ""},
    {"a claimed size of 4 GB - 1", [](TFakeValue& V) { V.ClaimedSize = 0xFFFFFFFFu; }, TValueVerdict::TooLarge, ""},
    {"grows once", [](TFakeValue& V) { V.ClaimedSize = 3; }, TValueVerdict::Text, "3.1.0.2"},
    {"grows at every read", [](TFakeValue& V) { V.GrowBy = 1; }, TValueVerdict::TooLarge, ""},
    {"grows past 64 KB", [](TFakeValue& V) { V.GrowBy = MaxValueBytes; }, TValueVerdict::TooLarge, ""},
    {"claims more than its room", [](TFakeValue& V) { V.OverClaims = true; }, TValueVerdict::TooLarge, ""},
    {"a number", [](TFakeValue& V) { V.Kind = TValueKind::Other; }, TValueVerdict::WrongType, ""},
    {"a number by the time it is read", [](TFakeValue& V) { V.BecomesNumber = true; }, TValueVerdict::WrongType, ""},
    {"missing", [](TFakeValue& V) { V.SizeFails = true; }, TValueVerdict::Missing, ""},
    {"fails to read", [](TFakeValue& V) { V.ReadFails = true; }, TValueVerdict::Missing, ""},
};

}  // namespace

TEST(BoundedValue, EveryClaimOfTheRegistryIsCheckedBeforeItIsBelieved) {
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeValue Value;
    Case.Setup(Value);
    const TBoundedValue Got = ReadBoundedText(Value);
    EXPECT_EQ(static_cast<int>(Case.Verdict), static_cast<int>(Got.Verdict));
    EXPECT_EQ(Case.Text, Got.Text);
    EXPECT_LE(Value.Calls, 1 + MaxValueReads);
  }
}

TEST(BoundedValue, AValueBeyondTheBoundsIsUnreadableLikeOneOfAnotherType) {
  EXPECT_EQ(std::optional<std::string>("1"), TextOrThrow({TValueVerdict::Text, "1"}, "UpdateLevel"));
  EXPECT_EQ(std::nullopt, TextOrThrow({TValueVerdict::Missing, ""}, "UpdateLevel"));
  const std::pair<TValueVerdict, const char*> Errors[] = {
      {TValueVerdict::WrongType, "Invalid data type for 'UpdateLevel'"},
      {TValueVerdict::TooLarge, "Invalid data size for 'UpdateLevel'"},
  };
  for (const auto& [Verdict, Message] : Errors) {
    try {
      TextOrThrow({Verdict, ""}, "UpdateLevel");
      ADD_FAILURE() << "no exception for " << Message;
    } catch (const ERegistryException& Error) {
      EXPECT_STREQ(Message, Error.what());
    }
  }
}
