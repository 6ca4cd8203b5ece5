#include "text/LangRes.h"

#include "text/LangTable.h"
#include "text/TextFormat.h"

// Written with escapes because this file is not compiled with the tables'
// charset conversion; the literals are split so the hex escape cannot run
// into the letters that follow.
const char* const LanguageNames[LanguageCount] = {
    "English",
    "Deutsch",
    "Fran\xE7"
    "ais",
    "Espa\xF1"
    "ol",
};

namespace {

char FoldAsciiCase(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

bool IsValidKey(const std::string& Key) {
  // Keys compare without regard to case, their prefix included.
  if (!SameTextKey(Key.substr(0, 4), "str_")) return false;
  for (char C : Key) {
    const unsigned char Byte = static_cast<unsigned char>(C);
    if (Byte < 0x20 || Byte > 0x7E || C == '=') return false;
  }
  return true;
}

template <std::size_t N>
void SetTable(TLangStrings& Strings, const TLangText (&Table)[N]) {
  for (const TLangText& Entry : Table) Strings.Set(Entry.Key, Entry.Text);
}

}  // namespace

bool SameTextKey(const std::string& A, const std::string& B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I) {
    if (FoldAsciiCase(A[I]) != FoldAsciiCase(B[I])) return false;
  }
  return true;
}

void TLangStrings::Clear() { FEntries.clear(); }

void TLangStrings::Set(const std::string& Key, const std::string& Text) {
  if (!IsValidKey(Key))
    throw std::invalid_argument("Invalid text key \"" + Key +
                                "\": keys are ASCII, start with \"str_\" and contain no \"=\"");
  if (Text.empty()) throw std::invalid_argument("Empty text for key \"" + Key + "\"");
  for (TLangEntry& Entry : FEntries) {
    if (SameTextKey(Entry.Key, Key)) {
      Entry.Text = Text;
      return;
    }
  }
  FEntries.push_back({Key, Text});
}

std::string TLangStrings::Get(const std::string& Key) const {
  for (const TLangEntry& Entry : FEntries) {
    if (SameTextKey(Entry.Key, Key)) return Entry.Text;
  }
  return std::string();
}

TLangStrings& LangStrings() {
  // Built on first use, so the catalogue is in English before anything can
  // ask it for a text, whatever the order of start-up.
  static TLangStrings Strings = [] {
    TLangStrings Initial;
    SetTable(Initial, LangTableEnglish);
    return Initial;
  }();
  return Strings;
}

void LoadEnglish() {
  TLangStrings& Strings = LangStrings();
  Strings.Clear();
  SetTable(Strings, LangTableEnglish);
}

void LoadGerman() { SetTable(LangStrings(), LangTableGerman); }
void LoadFrench() { SetTable(LangStrings(), LangTableFrench); }
void LoadSpanish() { SetTable(LangStrings(), LangTableSpanish); }

void SelectLanguage(int Index) {
  switch (Index) {
    case 1:
      LoadGerman();
      break;
    case 2:
      LoadFrench();
      break;
    case 3:
      LoadSpanish();
      break;
    default:
      LoadEnglish();
      break;
  }
}

std::string GetLangText(const std::string& Key) { return LangStrings().Get(Key); }

std::string ControlTextKey(const std::string& Control, const std::string& Suffix) {
  return "str_" + Control + "_Caption" + Suffix;
}

std::string GetControlText(const std::string& Control, const std::string& Suffix) {
  std::string Text = GetLangText(ControlTextKey(Control, Suffix));
  if (Text.empty()) throw EMissingResource(FormatText("Missing resource string for component %s.", {Control}));
  return Text;
}
