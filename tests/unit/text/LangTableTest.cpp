// Checks of the four language tables themselves: their keys, their bytes and
// the templates they hold. No catalogue state is involved.
#include "text/LangTable.h"

#include <gtest/gtest.h>

#include "VisibleText.h"

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "text/LangRes.h"
#include "text/TextFormat.h"

namespace {

struct TTable {
  const char* Language;
  const TLangText* Texts;
  std::size_t Count;
};

const TTable Tables[] = {
    {"English", LangTableEnglish, std::size(LangTableEnglish)},
    {"German", LangTableGerman, std::size(LangTableGerman)},
    {"French", LangTableFrench, std::size(LangTableFrench)},
    {"Spanish", LangTableSpanish, std::size(LangTableSpanish)},
};

// The text of Key in Table, or "" when the table lacks it (no text is empty).
std::string Find(const TTable& Table, const std::string& Key) {
  for (std::size_t I = 0; I < Table.Count; ++I) {
    if (Key == Table.Texts[I].Key) return Table.Texts[I].Text;
  }
  return std::string();
}

// Key by its number in the key list (1-based), from the English table.
std::string KeyNo(int Number) { return LangTableEnglish[Number - 1].Key; }

const char* const KeysOnlyInEnglish[] = {
    "str_Message_Cant_Determine_Remote_Server_UpdateLevel",
    "str_Message_Cant_Start_System_While_Backups_Running",
};

TEST(LangTables, HaveTheExpectedNumberOfEntries) {
  EXPECT_EQ(std::size(LangTableEnglish), 60u);
  EXPECT_EQ(std::size(LangTableGerman), 58u);
  EXPECT_EQ(std::size(LangTableFrench), 58u);
  EXPECT_EQ(std::size(LangTableSpanish), 58u);
}

TEST(LangTables, KeysAreValidAndUnique) {
  for (const TTable& Table : Tables) {
    std::set<std::string> Folded;
    for (std::size_t I = 0; I < Table.Count; ++I) {
      const std::string Key = Table.Texts[I].Key;
      EXPECT_EQ(Key.rfind("str_", 0), 0u) << Table.Language << " key " << Key;
      EXPECT_EQ(Key.find('='), std::string::npos) << Table.Language << " key " << Key;
      for (unsigned char Byte : Key)
        EXPECT_TRUE(Byte > 0x20 && Byte < 0x7F) << Table.Language << " key " << Visible(Key);
      std::string Lower;
      for (char C : Key) Lower += static_cast<char>(C >= 'A' && C <= 'Z' ? C + 32 : C);
      EXPECT_TRUE(Folded.insert(Lower).second) << Table.Language << " repeats key " << Key;
    }
  }
}

TEST(LangTables, TranslationsHaveEnglishKeysInEnglishOrderLessTwo) {
  std::vector<std::string> Expected;
  for (const TLangText& Entry : LangTableEnglish) {
    const std::string Key = Entry.Key;
    if (Key != KeysOnlyInEnglish[0] && Key != KeysOnlyInEnglish[1]) Expected.push_back(Key);
  }
  ASSERT_EQ(Expected.size(), 58u);
  for (const TTable& Table : Tables) {
    if (Table.Texts == LangTableEnglish) continue;
    std::vector<std::string> Got;
    for (std::size_t I = 0; I < Table.Count; ++I) Got.push_back(Table.Texts[I].Key);
    EXPECT_EQ(Got, Expected) << Table.Language;
  }
}

TEST(LangTables, EnglishKeysFollowTheKeyList) {
  // Spot checks of numbers other tests and the window rely on.
  const struct {
    int Number;
    const char* Key;
  } Cases[] = {{1, "str_LauncherForm_Caption"},
               {15, "str_lbProgressTitle_Caption"},
               {22, "str_txtCompletionStatusInfo_Caption_Failed"},
               {23, "str_lbSnapshotDriveSizeInfo_Caption"},
               {24, "str_btPrev_Caption"},
               {25, "str_btNext_Caption_Next"},
               {26, "str_btNext_Caption_Start"},
               {27, "str_btExit_Caption"},
               {32, "str_Message_No_Files_Matching"},
               {42, "str_Message_Server_Needs_Reboot"},
               {43, "str_Message_Cant_Determine_Remote_Server_UpdateLevel"},
               {44, "str_Message_Cant_Start_System_While_Backups_Running"},
               {45, "str_Message_Please_Reboot_Before_Updating"},
               {46, "str_Message_Earlier_Errors_In_Log"},
               {47, "str_Message_Log_Not_Written"}};
  for (const auto& Case : Cases) EXPECT_EQ(KeyNo(Case.Number), Case.Key) << "key " << Case.Number;
}

// Every byte must be a character that Windows-1252 defines: printable ASCII,
// CR as the line break, or a defined high byte. A byte outside that means a
// text slipped through without being converted to the ANSI code page.
TEST(LangTables, EveryTextIsWindows1252) {
  const std::set<unsigned char> Undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (const TTable& Table : Tables) {
    for (std::size_t I = 0; I < Table.Count; ++I) {
      const std::string Text = Table.Texts[I].Text;
      EXPECT_FALSE(Text.empty()) << Table.Language << " " << Table.Texts[I].Key;
      for (std::size_t At = 0; At < Text.size(); ++At) {
        const unsigned char Byte = static_cast<unsigned char>(Text[At]);
        const bool Ok = Byte == '\r' || (Byte >= 0x20 && Byte < 0x7F) || (Byte >= 0x80 && Undefined.count(Byte) == 0);
        EXPECT_TRUE(Ok) << Table.Language << " " << Table.Texts[I].Key << " byte " << At << " is " << int(Byte) << ": "
                        << Visible(Text);
        // "Ã" and "Â" occur in none of the texts; seeing them means the
        // compiler kept the source's UTF-8 instead of converting it.
        EXPECT_TRUE(Byte != 0xC2 && Byte != 0xC3)
            << Table.Language << " " << Table.Texts[I].Key << " looks like UTF-8: " << Visible(Text);
      }
    }
  }
}

TEST(LangTables, NoTextContainsLineFeed) {
  for (const TTable& Table : Tables) {
    for (std::size_t I = 0; I < Table.Count; ++I)
      EXPECT_EQ(std::string(Table.Texts[I].Text).find('\n'), std::string::npos)
          << Table.Language << " " << Table.Texts[I].Key;
  }
}

TEST(LangTables, RepresentativeBytesAreWindows1252) {
  const struct {
    const TLangText* Table;
    std::size_t Count;
    int Number;
    const char* Expected;
  } Cases[] = {
      {LangTableFrench, 43, 26,
       "D\xE9"
       "marrer"},
      {LangTableFrench, 43, 1, "Utilitaire de mise \xE0 jour Orvane"},
      {LangTableGerman, 43, 24,
       "< &Zur\xFC"
       "ck"},
      {LangTableGerman, 43, 21,
       "Herzlichen Gl\xFC"
       "ckwunsch!\r\rSie haben diesen Server erfolgreich auf %s aktualisiert."},
      {LangTableSpanish, 43, 31, "Informaci\xF3n"},
      {LangTableSpanish, 43, 21,
       "\xA1"
       "Enhorabuena!\r\rEl servidor se ha actualizado correctamente a %s."},
      {LangTableSpanish, 43, 40,
       "Faltan algunos archivos de actualizaci\xF3n en la secuencia.\r\r\xBF"
       "Desea continuar de todos modos?"},
  };
  for (const auto& Case : Cases) {
    const TTable Table{"", Case.Table, Case.Count};
    const std::string Got = Find(Table, KeyNo(Case.Number));
    EXPECT_EQ(Got, Case.Expected) << "key " << Case.Number << " got " << Visible(Got);
  }
  // "tama\xF1o" carries the one n-tilde of the tables.
  EXPECT_NE(Find(Tables[3], KeyNo(16)).find("tama\xF1o"), std::string::npos);
  // "Gr\xF6\xDF" "e": o-umlaut and sharp s.
  EXPECT_NE(Find(Tables[1], KeyNo(16))
                .find("Gr\xF6\xDF"
                      "e"),
            std::string::npos);
}

TEST(LangTables, EnglishTemplatesTakeTheDocumentedArguments) {
  const std::vector<std::string> None;
  const std::vector<std::string> OneString = {"%s"};
  const struct {
    int Number;
    std::vector<std::string> Specifiers;
  } WithArguments[] = {
      {3, {"%s", "%s", "%s"}},
      {15, {"%d", "%%"}},
      {20, OneString},
      {21, OneString},
      {22, {"%s", "%s", "%s", "%s"}},
      {23, {"%0.0n", "%0.0d", "%%"}},
      {32, OneString},
      {34, OneString},
      {35, {"%s", "%s"}},
      {36, OneString},
      {37, OneString},
      {41, OneString},
      {43, OneString},
  };
  for (int Number = 1; Number <= 45; ++Number) {
    std::vector<std::string> Expected = None;
    for (const auto& Case : WithArguments)
      if (Case.Number == Number) Expected = Case.Specifiers;
    const std::string Text = LangTableEnglish[Number - 1].Text;
    EXPECT_EQ(FormatSpecifiers(Text), Expected) << "key " << Number << ": " << Visible(Text);
  }
}

// Callers pass the same arguments whatever the language, so every template
// must ask for the same kinds in the same order as its English original.
TEST(LangTables, TranslationsUseTheEnglishSpecifiers) {
  for (const TTable& Table : Tables) {
    for (std::size_t I = 0; I < Table.Count; ++I) {
      const std::string English = Find(Tables[0], Table.Texts[I].Key);
      ASSERT_FALSE(English.empty()) << Table.Language << " " << Table.Texts[I].Key;
      std::vector<std::string> Got;
      ASSERT_NO_THROW(Got = FormatSpecifiers(Table.Texts[I].Text))
          << Table.Language << " " << Table.Texts[I].Key << ": " << Visible(Table.Texts[I].Text);
      EXPECT_EQ(Got, FormatSpecifiers(English))
          << Table.Language << " " << Table.Texts[I].Key << ": " << Visible(Table.Texts[I].Text);
    }
  }
}

TEST(LangTables, RebootMessageEndsInCarriageReturn) {
  for (const TTable& Table : Tables) {
    const std::string Text = Find(Table, "str_Message_Server_Needs_Reboot");
    ASSERT_FALSE(Text.empty()) << Table.Language;
    EXPECT_EQ(Text.back(), '\r') << Table.Language << ": " << Visible(Text);
    EXPECT_NE(Text[Text.size() - 2], '\r') << Table.Language << ": " << Visible(Text);
  }
}

TEST(LangTables, GermanNoFilesMessageEndsInBlank) {
  const std::string Text = Find(Tables[1], "str_Message_No_Files_Matching");
  EXPECT_EQ(Text,
            "Keine Dateien, die mit %s \xFC"
            "bereinstimmen ")
      << Visible(Text);
  // The others end without one.
  for (const TTable& Table : Tables) {
    if (Table.Texts == LangTableGerman) continue;
    const std::string Other = Find(Table, "str_Message_No_Files_Matching");
    ASSERT_FALSE(Other.empty()) << Table.Language;
    EXPECT_NE(Other.back(), ' ') << Table.Language << ": " << Visible(Other);
  }
}

TEST(LangTables, FailedResultHasFourInsertionsWithTheThirdQuoted) {
  for (const TTable& Table : Tables) {
    const std::string Template = Find(Table, "str_txtCompletionStatusInfo_Caption_Failed");
    ASSERT_FALSE(Template.empty()) << Table.Language;
    const std::string Got = FormatText(Template, {"<SECTION>", "<CODE>", "<STEP>", "<ERROR>"});
    for (const char* Insert : {"<SECTION>", "<CODE>", "<STEP>", "<ERROR>"}) {
      const std::size_t At = Got.find(Insert);
      EXPECT_NE(At, std::string::npos) << Table.Language << " lacks " << Insert << ": " << Visible(Got);
      if (At != std::string::npos) {
        EXPECT_EQ(Got.find(Insert, At + 1), std::string::npos)
            << Table.Language << " repeats " << Insert << ": " << Visible(Got);
      }
    }
    EXPECT_NE(Got.find("<SECTION> <CODE>:\"<STEP>\""), std::string::npos) << Table.Language << ": " << Visible(Got);
    EXPECT_EQ(Got.substr(Got.size() - 9), "\r\r<ERROR>") << Table.Language << ": " << Visible(Got);
  }
}

bool HasAccelerator(const std::string& Caption) {
  for (std::size_t I = 0; I + 1 < Caption.size(); ++I) {
    const char Next = Caption[I + 1];
    if (Caption[I] == '&' && ((Next >= 'a' && Next <= 'z') || (Next >= 'A' && Next <= 'Z'))) return true;
  }
  return false;
}

TEST(LangTables, ButtonAccelerators) {
  for (const TTable& Table : Tables) {
    for (int Number : {24, 25, 27}) {
      const std::string Caption = Find(Table, KeyNo(Number));
      ASSERT_FALSE(Caption.empty()) << Table.Language << " key " << Number;
      EXPECT_TRUE(HasAccelerator(Caption)) << Table.Language << " key " << Number << ": " << Visible(Caption);
      EXPECT_EQ(Caption.find('&'), Caption.rfind('&'))
          << Table.Language << " key " << Number << " has two: " << Visible(Caption);
    }
    const std::string Start = Find(Table, KeyNo(26));
    ASSERT_FALSE(Start.empty()) << Table.Language;
    EXPECT_EQ(Start.find('&'), std::string::npos) << Table.Language << ": " << Visible(Start);
  }
}

}  // namespace
