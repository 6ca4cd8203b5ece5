// The text catalogue: every caption and message of the wizard by text key,
// in the language loaded last.
//
// There is one catalogue in the process. It is filled with English the first
// time it is used, so every run starts in English; the language choice is
// kept for the run only. Everything here runs on the GUI thread.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// Names offered in the language list, indexed by language number, in
// Windows-1252 ("Fran\xE7ais", "Espa\xF1ol"). They read the same in every language.
constexpr int LanguageCount = 4;
extern const char* const LanguageNames[LanguageCount];

// LoadEnglish empties the catalogue first, so it leaves no trace of another
// language. The other three set their texts over whatever the catalogue
// holds, so a key they lack keeps its English text.
void LoadEnglish();
void LoadGerman();
void LoadFrench();
void LoadSpanish();

// 0 English, 1 German, 2 French, 3 Spanish; any other index loads English.
void SelectLanguage(int Index);

// The text of Key (letter case ignored), or "" when the catalogue lacks it.
// A missing message is not an error: the caller shows what it gets.
std::string GetLangText(const std::string& Key);

class EMissingResource : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// "str_" + Control + "_Caption" + Suffix, the key under which a control's
// text is kept; Suffix is "" or one of "_Next", "_Start", "_Initializing",
// "_Updating", "_Success", "_Failed".
std::string ControlTextKey(const std::string& Control, const std::string& Suffix = "");

// The text of a control's key. A control without a text is a defect of the
// program, so it raises EMissingResource("Missing resource string for
// component <Control>."), naming the control rather than the key.
std::string GetControlText(const std::string& Control, const std::string& Suffix = "");

struct TLangEntry {
  std::string Key;
  std::string Text;
};

// An ordered list of key/text entries; keys compare without regard to the
// case of the ASCII letters and occur once.
class TLangStrings {
 public:
  void Clear();
  // Replaces the text of a present key in place, or appends a new entry.
  // Raises std::invalid_argument for a key that is not ASCII, does not start
  // with "str_" or contains "=", and for an empty text: an empty lookup
  // result must mean "missing" and nothing else.
  void Set(const std::string& Key, const std::string& Text);
  std::string Get(const std::string& Key) const;
  std::size_t Count() const { return FEntries.size(); }
  const std::vector<TLangEntry>& Entries() const { return FEntries; }

 private:
  std::vector<TLangEntry> FEntries;
};

// The one catalogue of the process.
TLangStrings& LangStrings();

// Keys compare like this: only a-z and A-Z are folded, every other byte must
// match exactly.
bool SameTextKey(const std::string& A, const std::string& B);
