// TLangStrings on its own: a private instance, not the process catalogue.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "text/LangRes.h"

namespace {

std::vector<std::string> KeysOf(const TLangStrings& Strings) {
  std::vector<std::string> Keys;
  for (const TLangEntry& Entry : Strings.Entries()) Keys.push_back(Entry.Key);
  return Keys;
}

// Keys and texts set in order (a key "" clears), then the keys in their order
// (Count must agree) and what Get gives for some keys.
TEST(TLangStrings, SetGetAndClear) {
  using TPairs = std::vector<std::pair<std::string, std::string>>;
  const std::string Bytes = "a\r\r\"b\"  \xE9\xFF ";
  const struct {
    const char* Name;
    TPairs Sets;
    std::vector<std::string> Keys;
    TPairs Gets;
  } Rows[] = {
      {"starts empty", {}, {}, {{"str_A", ""}}},
      {"set appends in order",
       {{"str_B", "b"}, {"str_A", "a"}, {"str_C", "c"}},
       {"str_B", "str_A", "str_C"},
       {{"str_A", "a"}, {"str_B", "b"}, {"str_C", "c"}}},
      // Position and the key's first spelling stay; only the text changes.
      {"set of a present key replaces in place",
       {{"str_A", "a"}, {"str_B", "b"}, {"str_C", "c"}, {"STR_b", "new b"}},
       {"str_A", "str_B", "str_C"},
       {{"str_B", "new b"}}},
      {"clear empties", {{"str_A", "a"}, {"", ""}}, {}, {{"str_A", ""}}},
      {"keeps the bytes of the text", {{"str_A", Bytes}}, {"str_A"}, {{"str_A", Bytes}}},
  };
  for (const auto& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TLangStrings Strings;
    for (const auto& [Key, Text] : Row.Sets) {
      if (Key.empty())
        Strings.Clear();
      else
        Strings.Set(Key, Text);
    }
    EXPECT_EQ(KeysOf(Strings), Row.Keys);
    EXPECT_EQ(Strings.Count(), Row.Keys.size());
    for (const auto& [Key, Text] : Row.Gets) EXPECT_EQ(Strings.Get(Key), Text) << Key;
  }
}

TEST(TLangStrings, GetIgnoresAsciiCase) {
  TLangStrings Strings;
  Strings.Set("str_Title_Error", "Error");
  for (const char* Key : {"str_Title_Error", "STR_TITLE_ERROR", "str_title_error", "sTr_TiTlE_eRrOr"})
    EXPECT_EQ(Strings.Get(Key), "Error") << Key;
  for (const char* Key : {"str_Title_Erro", "str_Title_Errors", "str_Title_Error ", ""})
    EXPECT_EQ(Strings.Get(Key), "") << "\"" << Key << "\"";
}

TEST(TLangStrings, RefusesBadKeysAndEmptyText) {
  const struct {
    const char* Key;
    const char* Text;
  } Cases[] = {
      {"", "x"},        {"str", "x"},      {"Title_Error", "x"}, {"xstr_A", "x"},
      {"str_A=B", "x"}, {"str_\xE9", "x"}, {"str_A\r", "x"},     {"str_A", ""},
  };
  for (const auto& Case : Cases) {
    TLangStrings Strings;
    EXPECT_THROW(Strings.Set(Case.Key, Case.Text), std::invalid_argument)
        << "key \"" << Case.Key << "\" text \"" << Case.Text << "\"";
    EXPECT_EQ(Strings.Count(), 0u) << Case.Key;
  }
  TLangStrings Strings;
  EXPECT_NO_THROW(Strings.Set("STR_upper_prefix", "x"));
}

TEST(SameTextKey, FoldsOnlyAsciiLetters) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } Cases[] = {
      {"str_a", "STR_A", true},
      {"str_Z", "str_z", true},
      {"str_a", "str_b", false},
      {"str_a", "str_ab", false},
      // Case folding by flipping bit 0x20 would wrongly match these.
      {"str_[", "str_{", false},
      {"str_@", "str_`", false},
      {"str_1", "str_\x11", false},
      // Accented letters of the ANSI code page are not folded.
      {"str_\xE9", "str_\xC9", false},
      {"str_\xE9", "str_\xE9", true},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(SameTextKey(Case.A, Case.B), Case.Same) << "\"" << Case.A << "\" vs \"" << Case.B << "\"";
}

}  // namespace
