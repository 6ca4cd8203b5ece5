// TLangStrings on its own: a private instance, not the process catalogue.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/LangRes.h"

namespace {

std::vector<std::string> KeysOf(const TLangStrings& Strings) {
  std::vector<std::string> Keys;
  for (const TLangEntry& Entry : Strings.Entries()) Keys.push_back(Entry.Key);
  return Keys;
}

TEST(TLangStrings, StartsEmpty) {
  TLangStrings Strings;
  EXPECT_EQ(Strings.Count(), 0u);
  EXPECT_EQ(Strings.Get("str_A"), "");
}

TEST(TLangStrings, SetAppendsInOrder) {
  TLangStrings Strings;
  Strings.Set("str_B", "b");
  Strings.Set("str_A", "a");
  Strings.Set("str_C", "c");
  EXPECT_EQ(KeysOf(Strings), (std::vector<std::string>{"str_B", "str_A", "str_C"}));
  EXPECT_EQ(Strings.Get("str_A"), "a");
  EXPECT_EQ(Strings.Get("str_B"), "b");
  EXPECT_EQ(Strings.Get("str_C"), "c");
}

TEST(TLangStrings, SetOfPresentKeyReplacesInPlace) {
  TLangStrings Strings;
  Strings.Set("str_A", "a");
  Strings.Set("str_B", "b");
  Strings.Set("str_C", "c");
  Strings.Set("STR_b", "new b");
  EXPECT_EQ(Strings.Count(), 3u);
  // Position and the key's first spelling stay; only the text changes.
  EXPECT_EQ(KeysOf(Strings), (std::vector<std::string>{"str_A", "str_B", "str_C"}));
  EXPECT_EQ(Strings.Get("str_B"), "new b");
}

TEST(TLangStrings, GetIgnoresAsciiCase) {
  TLangStrings Strings;
  Strings.Set("str_Title_Error", "Error");
  for (const char* Key : {"str_Title_Error", "STR_TITLE_ERROR", "str_title_error", "sTr_TiTlE_eRrOr"})
    EXPECT_EQ(Strings.Get(Key), "Error") << Key;
  for (const char* Key : {"str_Title_Erro", "str_Title_Errors", "str_Title_Error ", ""})
    EXPECT_EQ(Strings.Get(Key), "") << "\"" << Key << "\"";
}

TEST(TLangStrings, ClearEmpties) {
  TLangStrings Strings;
  Strings.Set("str_A", "a");
  Strings.Clear();
  EXPECT_EQ(Strings.Count(), 0u);
  EXPECT_EQ(Strings.Get("str_A"), "");
}

TEST(TLangStrings, KeepsBytesOfTheText) {
  TLangStrings Strings;
  const std::string Text = "a\r\r\"b\"  \xE9\xFF ";
  Strings.Set("str_A", Text);
  EXPECT_EQ(Strings.Get("str_A"), Text);
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
