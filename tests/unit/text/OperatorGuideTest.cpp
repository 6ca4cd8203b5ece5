// The operator's guide quotes every message the wizard can show an operator;
// a text changed in the catalogue must not leave the guide telling another.
#include "text/LangRes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string GuideText() {
  std::ifstream In(OUPDATE_SOURCE_DIR "/docs/operator-guide.md", std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  std::string Flat = Text.str();
  // The guide wraps long quotes over several lines.
  for (char& C : Flat)
    if (C == '\n') C = ' ';
  return Flat;
}

// A catalogue text as the guide writes it: each run of line breaks becomes
// one blank, a trailing break disappears.
std::string AsQuoted(std::string Text) {
  std::string Out;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r') {
      Out += Text[I];
      continue;
    }
    while (I + 1 < Text.size() && Text[I + 1] == '\r') ++I;
    Out += ' ';
  }
  while (!Out.empty() && Out.back() == ' ') Out.pop_back();
  return Out;
}

TEST(OperatorGuide, QuotesEveryMessageAnOperatorCanSeeWithItsEnglishText) {
  const std::string Guide = GuideText();
  ASSERT_FALSE(Guide.empty()) << "docs/operator-guide.md not found";
  LoadEnglish();
  int Messages = 0;
  for (const TLangEntry& Entry : LangStrings().Entries()) {
    const bool Shown =
        Entry.Key.rfind("str_Message_", 0) == 0 || Entry.Key == ControlTextKey("txtCompletionStatusInfo", "_Failed");
    if (!Shown) continue;
    ++Messages;
    const std::string Quoted = AsQuoted(Entry.Text);
    EXPECT_NE(Guide.find(Quoted), std::string::npos) << Entry.Key << " is not quoted in the guide as: " << Quoted;
    EXPECT_NE(Guide.find(Entry.Key), std::string::npos) << Entry.Key << " is not named in the guide";
  }
  EXPECT_EQ(Messages, 30) << "the catalogue's messages changed: check the guide's tables";
}

}  // namespace
