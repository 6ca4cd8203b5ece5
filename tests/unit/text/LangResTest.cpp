// The process catalogue: loading languages, lookups and the errors of
// GetControlText.
#include "text/LangRes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/LangTable.h"
#include "text/TextFormat.h"

namespace {

const char* const KeyLevelUnknown = "str_Message_Cant_Determine_Remote_Server_UpdateLevel";
const char* const KeyBackupsRunning = "str_Message_Cant_Start_System_While_Backups_Running";

// Every test starts from the state of program start.
class LangRes : public testing::Test {
 protected:
  void SetUp() override { LoadEnglish(); }
  void TearDown() override { LoadEnglish(); }
};

std::string EnglishText(const std::string& Key) {
  for (const TLangText& Entry : LangTableEnglish)
    if (Key == Entry.Key) return Entry.Text;
  return std::string();
}

// Checks that the catalogue holds the English table's keys in its order,
// each with the text of Table when Table has the key and English otherwise.
void ExpectCatalogueIs(const TLangText* Table, std::size_t Count, const char* Language) {
  const std::vector<TLangEntry>& Entries = LangStrings().Entries();
  ASSERT_EQ(Entries.size(), LangTableEnglishCount) << Language;
  for (std::size_t I = 0; I < Entries.size(); ++I) {
    EXPECT_EQ(Entries[I].Key, LangTableEnglish[I].Key) << Language << " entry " << I;
    std::string Expected = LangTableEnglish[I].Text;
    for (std::size_t J = 0; J < Count; ++J)
      if (Entries[I].Key == Table[J].Key) Expected = Table[J].Text;
    EXPECT_EQ(Entries[I].Text, Expected) << Language << " " << Entries[I].Key;
  }
}

TEST_F(LangRes, LoadEnglishHoldsTheEnglishTable) {
  EXPECT_EQ(LangStrings().Count(), LangTableEnglishCount);
  ExpectCatalogueIs(LangTableEnglish, LangTableEnglishCount, "English");
  EXPECT_EQ(GetLangText("str_LauncherForm_Caption"), "Orvane Update Utility");
}

TEST_F(LangRes, EachTranslationLeavesEveryEnglishKey) {
  const struct {
    void (*Load)();
    const TLangText* Table;
    const char* Language;
  } Cases[] = {{LoadGerman, LangTableGerman, "German"},
               {LoadFrench, LangTableFrench, "French"},
               {LoadSpanish, LangTableSpanish, "Spanish"}};
  for (const auto& Case : Cases) {
    LoadEnglish();
    Case.Load();
    EXPECT_EQ(LangStrings().Count(), LangTableEnglishCount) << Case.Language;
    ExpectCatalogueIs(Case.Table, LangTableTranslatedCount, Case.Language);
  }
}

TEST_F(LangRes, GermanThenFrenchLeavesNoGerman) {
  LoadGerman();
  LoadFrench();
  ExpectCatalogueIs(LangTableFrench, LangTableTranslatedCount, "German then French");
}

TEST_F(LangRes, GermanThenEnglishLeavesNoGerman) {
  LoadGerman();
  // A stray entry must go too: LoadEnglish starts from an empty catalogue.
  LangStrings().Set("str_Stray_Entry", "stray");
  LoadEnglish();
  ExpectCatalogueIs(LangTableEnglish, LangTableEnglishCount, "German then English");
  EXPECT_EQ(GetLangText("str_Stray_Entry"), "");
}

TEST_F(LangRes, TranslationsOverlayWhateverIsThere) {
  LangStrings().Set("str_Stray_Entry", "stray");
  LoadSpanish();
  EXPECT_EQ(LangStrings().Count(), LangTableEnglishCount + 1);
  EXPECT_EQ(GetLangText("str_Stray_Entry"), "stray");
}

TEST_F(LangRes, TwoMessagesStayEnglishInEveryLanguage) {
  const std::vector<std::vector<int>> Sequences = {{0}, {1}, {2}, {3}, {1, 2}, {2, 3, 1}, {3, 0}};
  for (const std::vector<int>& Sequence : Sequences) {
    std::string Picked;
    for (int Index : Sequence) {
      SelectLanguage(Index);
      Picked += std::to_string(Index) + " ";
    }
    EXPECT_EQ(GetLangText(KeyLevelUnknown), EnglishText(KeyLevelUnknown)) << "after " << Picked;
    EXPECT_EQ(GetLangText(KeyBackupsRunning), EnglishText(KeyBackupsRunning)) << "after " << Picked;
    EXPECT_EQ(GetLangText(KeyBackupsRunning),
              "Cannot start an update at this time, because backup is running on the Primary Server."
              "\r\rThe Orvane Administrator application (SYSA) can be used to stop the backups.");
  }
}

TEST_F(LangRes, LookupIgnoresCase) {
  EXPECT_EQ(GetLangText("STR_TITLE_ERROR"), "Error");
  EXPECT_EQ(GetLangText("str_title_error"), "Error");
  LoadGerman();
  EXPECT_EQ(GetLangText("STR_TITLE_ERROR"), "Fehler");
  EXPECT_EQ(GetControlText("BTNEXT", "_START"), "Start");
}

TEST_F(LangRes, MissingMessageKeyGivesEmptyText) {
  for (const char* Key : {"str_Message_Does_Not_Exist", "", "str_", "Title_Error"}) {
    std::string Got = "unchanged";
    EXPECT_NO_THROW(Got = GetLangText(Key)) << Key;
    EXPECT_EQ(Got, "") << "\"" << Key << "\"";
  }
}

TEST_F(LangRes, MissingControlTextNamesTheControl) {
  const struct {
    const char* Control;
    const char* Suffix;
    int Language;
  } Cases[] = {{"btNowhere", "", 0},
               {"btNext", "_Finish", 0},
               {"lbSnapshotDriveSizeInfo", "_Next", 2},
               {"txtProgressDetails", "", 1},
               {"", "", 3}};
  for (const auto& Case : Cases) {
    SelectLanguage(Case.Language);
    try {
      const std::string Got = GetControlText(Case.Control, Case.Suffix);
      ADD_FAILURE() << Case.Control << Case.Suffix << ": expected EMissingResource, got \"" << Got << "\"";
    } catch (const EMissingResource& Error) {
      EXPECT_EQ(std::string(Error.what()), std::string("Missing resource string for component ") + Case.Control + ".")
          << "suffix \"" << Case.Suffix << "\"";
    }
  }
}

TEST_F(LangRes, ControlTextKeyJoinsTheParts) {
  EXPECT_EQ(ControlTextKey("btExit"), "str_btExit_Caption");
  EXPECT_EQ(ControlTextKey("btNext", "_Start"), "str_btNext_Caption_Start");
  EXPECT_EQ(ControlTextKey("LauncherForm", ""), "str_LauncherForm_Caption");
}

// Every control text the window composes exists in every language.
TEST_F(LangRes, EveryControlTextExistsInEveryLanguage) {
  const struct {
    const char* Control;
    const char* Suffix;
  } Keys[] = {
      {"LauncherForm", ""},
      {"lbServerVersionTitle", ""},
      {"lbServerVersion", ""},
      {"lbResponceCenter", ""},
      {"lbUpdateSystemTitle", ""},
      {"lbUpdateSystemInfo", ""},
      {"lbUpdateFilesPathTitle", ""},
      {"lbUpdateFilesPathInfo", ""},
      {"lbUpdateFilesPathEchoTitle", ""},
      {"lbUpdateFileListTitle", ""},
      {"lbSnapshotDriveTitle", ""},
      {"lbSnapshotDriveInfo", ""},
      {"lbSnapshotDriveSizeInfo", ""},
      {"lbAboutToInstallInfo1", ""},
      {"lbAboutToInstallInfo2", ""},
      {"lbProgressTitle", ""},
      {"lbProgressInfo", ""},
      {"lbCurrentStepTitle", ""},
      {"lbProgressDetailsTitle", ""},
      {"txtCurrentStep", "_Initializing"},
      {"txtCurrentStep", "_Updating"},
      {"txtCompletionStatusInfo", "_Success"},
      {"txtCompletionStatusInfo", "_Failed"},
      {"btPrev", ""},
      {"btNext", "_Next"},
      {"btNext", "_Start"},
      {"btExit", ""},
  };
  for (int Language = 0; Language < LanguageCount; ++Language) {
    SelectLanguage(Language);
    for (const auto& Key : Keys) {
      std::string Got;
      EXPECT_NO_THROW(Got = GetControlText(Key.Control, Key.Suffix))
          << LanguageNames[Language] << " " << Key.Control << Key.Suffix;
      EXPECT_FALSE(Got.empty()) << Key.Control << Key.Suffix;
    }
  }
}

TEST_F(LangRes, SelectLanguageLoadsByIndex) {
  const struct {
    int Index;
    const char* Progress;  // key 15 expanded with 0
    const char* Next;
    const char* Exit;
  } Cases[] = {
      {0, "Progress 0%", "&Next >", "E&xit"},       {1, "Status 0%", "&Weiter >", "&Beenden"},
      {2, "Progression 0%", "&Suiv >", "&Quitter"}, {3, "Progreso 0%", "&Siguiente >", "Sali&r"},
      {-1, "Progress 0%", "&Next >", "E&xit"},      {4, "Progress 0%", "&Next >", "E&xit"},
      {INT_MIN, "Progress 0%", "&Next >", "E&xit"}, {INT_MAX, "Progress 0%", "&Next >", "E&xit"},
  };
  for (const auto& Case : Cases) {
    // Start from German so that falling back to English shows.
    LoadGerman();
    SelectLanguage(Case.Index);
    EXPECT_EQ(FormatText(GetControlText("lbProgressTitle"), {0}), Case.Progress) << "index " << Case.Index;
    EXPECT_EQ(GetControlText("btNext", "_Next"), Case.Next) << "index " << Case.Index;
    EXPECT_EQ(GetControlText("btExit"), Case.Exit) << "index " << Case.Index;
    EXPECT_EQ(LangStrings().Count(), LangTableEnglishCount) << "index " << Case.Index;
  }
}

TEST_F(LangRes, OutOfRangeIndexLoadsEnglishNotJustKeepsIt) {
  for (int Index : {-1, 4}) {
    LoadFrench();
    SelectLanguage(Index);
    ExpectCatalogueIs(LangTableEnglish, LangTableEnglishCount, Index < 0 ? "index -1" : "index 4");
  }
}

TEST_F(LangRes, FreeSpaceLine) {
  const struct {
    int Language;
    std::string Separator;
    const char* Expected;
  } Cases[] = {
      {0, ",", "12,345 MB free [37%]"},  {0, ".", "12.345 MB free [37%]"},   {1, ".", "12.345 MB frei [37%]"},
      {2, ",", "12,345 Mo disp. [37%]"}, {3, ",", "12,345 MB libres [37%]"},
  };
  for (const auto& Case : Cases) {
    SelectLanguage(Case.Language);
    EXPECT_EQ(FormatText(GetControlText("lbSnapshotDriveSizeInfo"), {12345.0, 37}, Case.Separator), Case.Expected)
        << LanguageNames[Case.Language] << " separator \"" << Case.Separator << "\"";
  }
}

// One text in each language, after selecting it; the languages' own names
// stay the same whatever language is selected.
TEST_F(LangRes, TextOfEachLanguage) {
  const char* const Names[] = {"English", "Deutsch",
                               "Fran\xE7"
                               "ais",
                               "Espa\xF1"
                               "ol"};
  const struct {
    const char* Name;
    std::string (*Text)();
    const char* Expected[LanguageCount];
  } Rows[] = {
      {"start button caption",
       [] { return GetControlText("btNext", "_Start"); },
       {"Start", "Start", "D\xE9marrer", "Iniciar"}},
      {"server level line",
       [] {
         return FormatText(GetControlText("lbServerVersion"), {"Secondary", "SRV07", "3.0.3.2"});
       },
       {"Secondary SRV07 at 3.0.3.2", "Secondary SRV07 bei 3.0.3.2", "Secondary SRV07 a la version 3.0.3.2",
        "Secondary SRV07 a 3.0.3.2"}},
  };
  for (const auto& Row : Rows) {
    for (int Language = 0; Language < LanguageCount; ++Language) {
      SCOPED_TRACE(std::string(Row.Name) + " in " + LanguageNames[Language]);
      SelectLanguage(Language);
      EXPECT_EQ(Row.Text(), Row.Expected[Language]);
      for (int Other = 0; Other < LanguageCount; ++Other) EXPECT_STREQ(LanguageNames[Other], Names[Other]);
    }
  }
}

// The catalogue must already be English when the program first asks for a
// text, with no explicit load. Other tests have loaded languages in this
// process, so the check runs in a fresh copy of the test program.
TEST(LangResStartUp, CatalogueIsEnglishOnFirstUse) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const std::size_t Count = LangStrings().Count();
        const std::string Caption = GetLangText("str_LauncherForm_Caption");
        std::fprintf(stderr, "count %zu caption \"%s\"\n", Count, Caption.c_str());
        std::exit(Count == LangTableEnglishCount && Caption == "Orvane Update Utility" ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
