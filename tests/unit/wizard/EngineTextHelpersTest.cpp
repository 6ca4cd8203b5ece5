// The small text and number helpers the engine's protocol rests on:
// MulDiv, the CR LF conversion, Trim and the percentage reading.
#include <gtest/gtest.h>

#include "VisibleText.h"

#include <climits>
#include <string>

#include "wizard/EngineProtocol.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroOverA64BitProduct) {
  const struct {
    int Number, Numerator, Denominator, Result;
  } Cases[] = {
      {145, 100, 300, 48},  // 48.33
      {150, 100, 300, 50},
      {50, 100, 300, 17},  // 16.67
      {1, 100, 200, 1},    // 0.5: half up
      {1, 1, 2, 1},
      {3, 1, 2, 2},    // 1.5
      {5, 1, 2, 3},    // 2.5: away from zero, not to even
      {-5, 1, 2, -3},  // -2.5: away from zero
      {-1, 1, 2, -1},
      {5, -1, 2, -3},
      {5, 1, -2, -3},
      {-5, 1, -2, 3},
      {1, 1, 3, 0},  // 0.33
      {2, 1, 3, 1},  // 0.67
      {0, 100, 300, 0},
      {300, 100, 300, 100},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},  // the product needs 64 bits
      {INT_MAX, 2, 1, -1},                   // result does not fit: -1
      {INT_MIN, 2, 1, -1},
      {INT_MIN, 1, 1, INT_MIN},
      {INT_MIN, 1, -1, -1},  // 2^31 does not fit
      {7, 100, 0, -1},       // no division by zero
      {0, 0, 0, -1},
  };
  for (const auto& Case : Cases) {
    EXPECT_EQ(PortableMulDiv(Case.Number, Case.Numerator, Case.Denominator), Case.Result)
        << "PortableMulDiv(" << Case.Number << ", " << Case.Numerator << ", " << Case.Denominator << ")";
  }
}

TEST(ToCRLF, EveryLoneBreakBecomesCRLF) {
  const struct {
    const char* Text;
    const char* Result;
  } Cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"a\rb", "a\r\nb"},
      {"a\nb", "a\r\nb"},
      {"a\r\nb", "a\r\nb"},
      {"Congratulations!\r\rYou", "Congratulations!\r\n\r\nYou"},
      {"\n\r", "\r\n\r\n"},
      {"\r\n\n", "\r\n\r\n"},
      {"\r\r\n", "\r\n\r\n"},
      {"\r\n\r\n", "\r\n\r\n"},
      {"end\r", "end\r\n"},
      {"\nstart", "\r\nstart"},
  };
  for (const auto& Case : Cases) {
    const std::string Got = ToCRLF(Case.Text);
    EXPECT_EQ(Got, Case.Result) << Visible(Case.Text) << " gave " << Visible(Got);
  }
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
  const struct {
    std::string Text;
    std::string Result;
  } Cases[] = {
      {"", ""},
      {"   ", ""},
      {"  a b  ", "a b"},
      {"\t\r\n\x01step\x1F ", "step"},
      {std::string("\0x\0", 3), "x"},
      {"\xA0x\xA0", "\xA0x\xA0"},  // 1252 text bytes above 127 are not blanks
      {"\xFFx", "\xFFx"},
      {"!x~", "!x~"},
  };
  for (const auto& Case : Cases) {
    const std::string Got = Trim(Case.Text);
    EXPECT_EQ(Got, Case.Result) << Visible(Case.Text) << " gave " << Visible(Got);
  }
}

TEST(ParsePercent, BlanksSignDigitsAndNothingAfter) {
  const struct {
    const char* Text;
    bool Converts;
    int Value;
  } Cases[] = {
      {"50", true, 50},
      {" 50", true, 50},
      {"   -5", true, -5},
      {"+7", true, 7},
      {"007", true, 7},
      {"-0", true, 0},
      {"150", true, 150},
      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999999999", false, 0},
      {"50 ", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"--5", false, 0},
      {"+-5", false, 0},
      {"- 5", false, 0},
      {"5 0", false, 0},
      {"\t50", false, 0},
      {"1.5", false, 0},
      {"0x10", false, 0},
      {"$10", false, 0},
      {"50,60", false, 0},
      {"Copying files", false, 0},
  };
  for (const auto& Case : Cases) {
    int Value = 12345;
    const bool Converts = ParsePercent(Case.Text, Value);
    EXPECT_EQ(Converts, Case.Converts) << "\"" << Case.Text << "\" gave " << Value;
    if (Case.Converts && Converts) {
      EXPECT_EQ(Value, Case.Value) << "\"" << Case.Text << "\"";
    }
  }
}

}  // namespace
