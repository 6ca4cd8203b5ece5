#include "text/TextFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

struct TFormatCase {
  const char* Name;
  std::string Template;
  std::vector<TFormatArg> Args;
  std::string Separator;
  std::string Expected;
};

std::ostream& operator<<(std::ostream& Out, const TFormatCase& Case) { return Out << Case.Name; }

// A case's name as a test name: letters and digits, the rest as "_".
std::string TestName(const char* Name) {
  std::string Result;
  for (const char* P = Name; *P; ++P) {
    const char C = *P;
    const bool Keep = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
    Result += Keep ? C : '_';
  }
  return Result;
}

class FormatTextCases : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatTextCases, Expands) {
  const TFormatCase& Case = GetParam();
  std::string Got;
  ASSERT_NO_THROW(Got = FormatText(Case.Template, Case.Args, Case.Separator)) << Case.Name;
  EXPECT_EQ(Got, Case.Expected) << Case.Name << ": template \"" << Case.Template << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Specifiers, FormatTextCases,
    testing::Values(TFormatCase{"plain text", "No specifiers here.", {}, ",", "No specifiers here."},
                    TFormatCase{"empty template", "", {}, ",", ""},
                    TFormatCase{"string", "Updating %s", {"C:\\x\\oue.exe"}, ",", "Updating C:\\x\\oue.exe"},
                    TFormatCase{"std::string", "[%s]", {std::string("abc")}, ",", "[abc]"},
                    TFormatCase{"empty string", "[%s]", {""}, ",", "[]"},
                    TFormatCase{"string with percent is not re-expanded", "%s!", {"50%d%%"}, ",", "50%d%%!"},
                    TFormatCase{"three strings in order",
                                "%s %s at %s",
                                {"Secondary", "SRV07", "3.0.3.2"},
                                ",",
                                "Secondary SRV07 at 3.0.3.2"},
                    TFormatCase{"integer", "Progress %d%%", {0}, ",", "Progress 0%"},
                    TFormatCase{"integer 100", "Progress %d%%", {100}, ",", "Progress 100%"},
                    TFormatCase{"negative integer", "%d", {-42}, ",", "-42"},
                    TFormatCase{"integer is never grouped", "%d", {1234567}, ",", "1234567"},
                    TFormatCase{"long long", "%d", {9876543210LL}, ",", "9876543210"},
                    TFormatCase{"most negative long long", "%d", {LLONG_MIN}, ",", "-9223372036854775808"},
                    TFormatCase{"largest unsigned", "%d", {ULLONG_MAX}, ",", "18446744073709551615"},
                    TFormatCase{"unsigned long like an error code", "[%d]", {5UL}, ",", "[5]"},
                    TFormatCase{"size_t", "%d", {std::size_t(3)}, ",", "3"},
                    TFormatCase{"%0.0d is plain %d", "[%0.0d%%]", {37}, ",", "[37%]"},
                    TFormatCase{"%0.0d has no zero fill", "%0.0d", {7}, ",", "7"},
                    TFormatCase{"%0.0d negative", "%0.0d", {-7}, ",", "-7"},
                    TFormatCase{"percent alone", "%%", {}, ",", "%"},
                    TFormatCase{"two percents", "%%%%", {}, ",", "%%"},
                    TFormatCase{"percent before specifier", "%%%d", {5}, ",", "%5"},
                    TFormatCase{"mixed kinds", "%0.0n MB free [%0.0d%%]", {12345.0, 37}, ",", "12,345 MB free [37%]"},
                    TFormatCase{"n zero", "%0.0n", {0.0}, ",", "0"}, TFormatCase{"n 999", "%0.0n", {999.0}, ",", "999"},
                    TFormatCase{"n 1000", "%0.0n", {1000.0}, ",", "1,000"},
                    TFormatCase{"n 1234567", "%0.0n", {1234567.0}, ",", "1,234,567"},
                    TFormatCase{"n 100000", "%0.0n", {100000.0}, ",", "100,000"},
                    TFormatCase{"n negative", "%0.0n", {-1234567.0}, ",", "-1,234,567"},
                    TFormatCase{"n negative small", "%0.0n", {-12.0}, ",", "-12"},
                    TFormatCase{"n negative three digits", "%0.0n", {-123.0}, ",", "-123"},
                    TFormatCase{"n dot separator", "%0.0n", {12345.0}, ".", "12.345"},
                    TFormatCase{"n empty separator", "%0.0n", {1234567.0}, "", "1234567"},
                    TFormatCase{"n multi-byte separator",
                                "%0.0n",
                                {1234567.0},
                                "\xA0\xA0",
                                "1\xA0\xA0"
                                "234\xA0\xA0"
                                "567"},
                    TFormatCase{"n rounds down", "%0.0n", {1234.4}, ",", "1,234"},
                    TFormatCase{"n rounds up", "%0.0n", {1234.6}, ",", "1,235"},
                    TFormatCase{"n half goes away from zero", "%0.0n", {2.5}, ",", "3"},
                    TFormatCase{"n half goes away from zero (odd)", "%0.0n", {3.5}, ",", "4"},
                    TFormatCase{"n negative half", "%0.0n", {-2.5}, ",", "-3"},
                    TFormatCase{"n rounding carries into a new group", "%0.0n", {999.5}, ",", "1,000"},
                    TFormatCase{"n small negative shows no minus", "%0.0n", {-0.4}, ",", "0"},
                    TFormatCase{"n negative zero", "%0.0n", {-0.0}, ",", "0"},
                    TFormatCase{"n float argument", "%0.0n", {1500.0f}, ",", "1,500"},
                    TFormatCase{"n large", "%0.0n", {1e15}, ",", "1,000,000,000,000,000"},
                    TFormatCase{"n beyond 64 bits", "%0.0n", {1e20}, ",", "100,000,000,000,000,000,000"},
                    TFormatCase{"failed-step template",
                                "step %s %s:\"%s\", message:\r\r%s",
                                {"Sec", "E12", "Copy", "disk full"},
                                ",",
                                "step Sec E12:\"Copy\", message:\r\rdisk full"},
                    TFormatCase{"high bytes pass through", "\xE9%s\xFC", {"\xF1"}, ",", "\xE9\xF1\xFC"}),
    [](const testing::TestParamInfo<TFormatCase>& Info) { return TestName(Info.param.Name); });

struct TErrorCase {
  const char* Name;
  std::string Template;
  std::vector<TFormatArg> Args;
  std::string MessagePart;  // the error must say what went wrong
};

std::ostream& operator<<(std::ostream& Out, const TErrorCase& Case) { return Out << Case.Name; }

class FormatTextErrors : public testing::TestWithParam<TErrorCase> {};

TEST_P(FormatTextErrors, RaiseConvertError) {
  const TErrorCase& Case = GetParam();
  try {
    const std::string Got = FormatText(Case.Template, Case.Args);
    ADD_FAILURE() << Case.Name << ": expected EConvertError, got \"" << Got << "\"";
  } catch (const EConvertError& Error) {
    EXPECT_NE(std::string(Error.what()).find(Case.MessagePart), std::string::npos)
        << Case.Name << ": message was \"" << Error.what() << "\"";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, FormatTextErrors,
    testing::Values(TErrorCase{"unknown letter", "Value %x", {1}, "\"%x\""},
                    TErrorCase{"printf float", "%5.2f", {1.0}, "\"%5.2f\""},
                    TErrorCase{"plain n is not supported", "%n", {1.0}, "\"%n\""},
                    TErrorCase{"other precision", "%0.1n", {1.0}, "\"%0.1n\""},
                    TErrorCase{"width on s", "%0.0s", {"a"}, "\"%0.0s\""},
                    TErrorCase{"upper-case S", "%S", {"a"}, "\"%S\""},
                    TErrorCase{"percent at the end", "100%", {}, "position 3"},
                    TErrorCase{"percent before a blank", "50% off", {}, "\"% o\""},
                    TErrorCase{"missing only argument", "Progress %d%%", {}, "Missing argument 1"},
                    TErrorCase{"missing fourth argument", "%s %s %s %s", {"a", "b", "c"}, "Missing argument 4"},
                    TErrorCase{"string for %d", "%d", {"5"}, "is a string, not an integer"},
                    TErrorCase{"float for %d", "%d", {5.0}, "is a floating-point number, not an integer"},
                    TErrorCase{"integer for %s", "%s", {5}, "is an integer, not a string"},
                    TErrorCase{"integer for %0.0n", "%0.0n", {12345}, "is an integer, not a floating-point number"},
                    TErrorCase{"float for %0.0d", "[%0.0d%%]", {37.0}, "not an integer"},
                    TErrorCase{"second argument wrong", "%0.0n MB [%0.0d%%]", {1.0, "37"}, "Argument 2"},
                    TErrorCase{"argument left over", "%s", {"a", "b"}, "2 arguments given"},
                    TErrorCase{"argument for plain text", "no specifiers", {1}, "uses 0"},
                    TErrorCase{"infinite number", "%0.0n", {std::numeric_limits<double>::infinity()}, "not finite"},
                    TErrorCase{"not a number", "%0.0n", {std::numeric_limits<double>::quiet_NaN()}, "not finite"}),
    [](const testing::TestParamInfo<TErrorCase>& Info) { return TestName(Info.param.Name); });

TEST(FormatText, DefaultSeparatorIsComma) { EXPECT_EQ(FormatText("%0.0n", {12345.0}), "12,345"); }

TEST(FormatText, NullStringArgumentIsRefused) {
  const char* Null = nullptr;
  EXPECT_THROW(TFormatArg{Null}, EConvertError);
}

TEST(TFormatArg, KindFollowsTheValue) {
  EXPECT_EQ(TFormatArg("a").Kind(), TFormatArg::fkString);
  EXPECT_EQ(TFormatArg(std::string("a")).Kind(), TFormatArg::fkString);
  EXPECT_EQ(TFormatArg(1).Kind(), TFormatArg::fkInteger);
  EXPECT_EQ(TFormatArg(1LL).Kind(), TFormatArg::fkInteger);
  EXPECT_EQ(TFormatArg(std::uint32_t(1)).Kind(), TFormatArg::fkInteger);
  EXPECT_EQ(TFormatArg(1.0).Kind(), TFormatArg::fkFloat);
  EXPECT_EQ(TFormatArg(1.0f).Kind(), TFormatArg::fkFloat);
}

struct TSpecifierCase {
  std::string Template;
  std::vector<std::string> Expected;
};

TEST(FormatSpecifiers, ListsSpecifiersInOrder) {
  const TSpecifierCase Cases[] = {
      {"", {}},
      {"plain", {}},
      {"%s %s at %s", {"%s", "%s", "%s"}},
      {"Progress %d%%", {"%d", "%%"}},
      {"%0.0n MB free [%0.0d%%]", {"%0.0n", "%0.0d", "%%"}},
      {"%%%s%%", {"%%", "%s", "%%"}},
  };
  for (const TSpecifierCase& Case : Cases) {
    EXPECT_EQ(FormatSpecifiers(Case.Template), Case.Expected) << "template \"" << Case.Template << "\"";
  }
}

TEST(FormatSpecifiers, RefusesUnknownSpecifier) {
  EXPECT_THROW(FormatSpecifiers("%s and %i"), EConvertError);
  EXPECT_THROW(FormatSpecifiers("trailing %"), EConvertError);
}

TEST(GroupThousands, GroupsFromTheRight) {
  const struct {
    const char* Digits;
    const char* Expected;
  } Cases[] = {{"", ""},
               {"1", "1"},
               {"12", "12"},
               {"123", "123"},
               {"1234", "1,234"},
               {"123456", "123,456"},
               {"1234567", "1,234,567"}};
  for (const auto& Case : Cases) {
    EXPECT_EQ(GroupThousands(Case.Digits, ","), Case.Expected) << "digits \"" << Case.Digits << "\"";
  }
}

}  // namespace
