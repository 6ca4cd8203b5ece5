// The four built-in language tables of the text catalogue.
//
// The tables are written in UTF-8 so they stay readable; the build compiles
// the LangTable*.cpp files with the execution charset Windows-1252, so the
// texts are the ANSI bytes the window shows. A line break inside a text is a
// single CR. Each table lists its keys in the same order as the English one.
#pragma once

#include <cstddef>

struct TLangText {
  const char* Key;
  const char* Text;
};

// English holds every key. The other languages lack the two messages about
// the primary server's update level and running backups, which therefore
// stay English whatever language is loaded.
constexpr std::size_t LangTableEnglishCount = 60;
constexpr std::size_t LangTableTranslatedCount = 58;

// The declared sizes make a table with a missing or extra row a compile error.
extern const TLangText LangTableEnglish[LangTableEnglishCount];
extern const TLangText LangTableGerman[LangTableTranslatedCount];
extern const TLangText LangTableFrench[LangTableTranslatedCount];
extern const TLangText LangTableSpanish[LangTableTranslatedCount];
