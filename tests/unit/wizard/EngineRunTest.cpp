// The engine's command line, the support folder, the copy failure's text and
// the run's log: name and content.
#include <gtest/gtest.h>

#include "VisibleText.h"

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "wizard/EngineRun.h"

namespace {

// How the engine's C runtime splits its command line: the program name runs
// to the next quote without escapes; in the arguments 2n backslashes before a
// quote give n backslashes and the quote toggles quoting, 2n+1 give n and a
// literal quote, backslashes elsewhere are literal, and blanks or tabs outside
// quotes separate arguments. The tests judge the quoting by what this reads
// back, not by how the quoted text happens to look.
std::vector<std::string> ParseCommandLine(const std::string& Line) {
  std::vector<std::string> Args;
  std::size_t I = 0;
  std::string Program;
  if (I < Line.size() && Line[I] == '"') {
    ++I;
    while (I < Line.size() && Line[I] != '"') Program += Line[I++];
    if (I < Line.size()) ++I;
  } else {
    while (I < Line.size() && Line[I] != ' ' && Line[I] != '\t') Program += Line[I++];
  }
  Args.push_back(Program);
  for (;;) {
    while (I < Line.size() && (Line[I] == ' ' || Line[I] == '\t')) ++I;
    if (I >= Line.size()) break;
    std::string Arg;
    bool Quoted = false;
    while (I < Line.size()) {
      std::size_t Backslashes = 0;
      while (I < Line.size() && Line[I] == '\\') {
        ++Backslashes;
        ++I;
      }
      if (I < Line.size() && Line[I] == '"') {
        Arg.append(Backslashes / 2, '\\');
        if (Backslashes % 2 == 1) {
          Arg += '"';
        } else if (Quoted && I + 1 < Line.size() && Line[I + 1] == '"') {
          Arg += '"';
          ++I;
        } else {
          Quoted = !Quoted;
        }
        ++I;
        continue;
      }
      Arg.append(Backslashes, '\\');
      if (I >= Line.size()) break;
      if (!Quoted && (Line[I] == ' ' || Line[I] == '\t')) break;
      Arg += Line[I++];
    }
    Args.push_back(Arg);
  }
  return Args;
}

std::vector<std::string> ArgumentsOf(const std::string& Arguments) {
  std::vector<std::string> All = ParseCommandLine("\"x.exe\" " + Arguments);
  return std::vector<std::string>(All.begin() + 1, All.end());
}

std::string Joined(const std::vector<std::string>& Items) {
  std::string Result;
  for (const std::string& Item : Items) Result += "[" + Visible(Item) + "]";
  return Result;
}

// -------------------------------------------------------------- QuoteArgument

struct TQuoteCase {
  const char* Value;
  const char* Quoted;
};

const TQuoteCase QuoteCases[] = {
    {"C:\\Upd", "\"C:\\Upd\""},  // ordinary folder: unchanged inside the quotes
    {"J:\\Updates", "\"J:\\Updates\""},
    {"D:", "\"D:\""},
    {"C:\\My Updates\\Orvane 3.1", "\"C:\\My Updates\\Orvane 3.1\""},  // blanks need nothing more
    {"\\\\server\\share\\upd", "\"\\\\server\\share\\upd\""},          // leading backslashes are literal
    {"C:\\Upd\\", "\"C:\\Upd\\\\\""},        // a backslash before the closing quote is doubled
    {"C:\\Upd\\\\", "\"C:\\Upd\\\\\\\\\""},  // a run of them: all doubled
    {"C:\\a\"b", "\"C:\\a\\\"b\""},          // an inner quote becomes \"
    {"C:\\a\\\"b", "\"C:\\a\\\\\\\"b\""},    // backslash before an inner quote: doubled, then \"
    {"\"", "\"\\\"\""},
    {"", "\"\""},
};

TEST(QuoteArgument, QuotesByTheRuntimeRules) {
  for (const TQuoteCase& Case : QuoteCases) {
    const std::string Got = QuoteArgument(Case.Value);
    EXPECT_EQ(Got, Case.Quoted) << "value " << Visible(Case.Value) << " gave " << Visible(Got);
  }
}

TEST(QuoteArgument, RuntimeReadsBackExactlyTheValue) {
  for (const TQuoteCase& Case : QuoteCases) {
    const std::vector<std::string> Got = ArgumentsOf(QuoteArgument(Case.Value));
    ASSERT_EQ(Got.size(), 1u) << "value " << Visible(Case.Value) << " read back as " << Joined(Got);
    EXPECT_EQ(Got[0], Case.Value) << "read back as " << Visible(Got[0]);
  }
}

TEST(QuoteArgument, RandomValuesOfBackslashesQuotesAndBlanksSurviveTheRuntime) {
  const char Alphabet[] = {'\\', '"', ' ', '\t', 'a', ':'};
  std::mt19937 Random(20060314);
  for (int Round = 0; Round < 2000; ++Round) {
    std::string Value;
    const int Length = static_cast<int>(Random() % 12);
    for (int I = 0; I < Length; ++I) Value += Alphabet[Random() % sizeof Alphabet];
    const std::vector<std::string> Got = ArgumentsOf(QuoteArgument(Value) + " next");
    ASSERT_EQ(Got.size(), 2u) << "value " << Visible(Value) << " read back as " << Joined(Got);
    EXPECT_EQ(Got[0], Value) << "read back as " << Visible(Got[0]);
    EXPECT_EQ(Got[1], "next") << "value " << Visible(Value) << " swallowed what follows";
  }
}

// ------------------------------------------------------------ EngineArguments

struct TArgumentsCase {
  const char* Name;
  bool NoSnapshot;
  char Drive;
  const char* Folder;
  const char* Arguments;   // exactly as passed
  const char* FolderRead;  // what the engine reads after -dir
};

const TArgumentsCase ArgumentsCases[] = {
    {"no snapshot, trailing backslash removed", true, 'D', "C:\\Upd\\",
     "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"", "C:\\Upd"},
    {"snapshot on D:", false, 'D', "J:\\Updates",
     "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"J:\\Updates\"", "J:\\Updates"},
    {"no snapshot, J:\\Updates", true, 'D', "J:\\Updates", "-ouegui -product orvane -nosnapshot -dir \"J:\\Updates\"",
     "J:\\Updates"},
    {"snapshot, C:\\Upd\\", false, 'E', "C:\\Upd\\",
     "-ouegui -product orvane -snapshotlocation \"E:\" -dir \"C:\\Upd\"", "C:\\Upd"},
    {"folder with a blank", false, 'D', "J:\\Orvane Updates\\",
     "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"J:\\Orvane Updates\"", "J:\\Orvane Updates"},
    {"root of a drive keeps its backslash", true, 'D', "D:\\", "-ouegui -product orvane -nosnapshot -dir \"D:\\\\\"",
     "D:\\"},
    {"root of a drive, snapshot form", false, 'E', "d:\\",
     "-ouegui -product orvane -snapshotlocation \"E:\" -dir \"d:\\\\\"", "d:\\"},
    {"root with two backslashes: one removed, the root stays", true, 'D', "J:\\\\",
     "-ouegui -product orvane -nosnapshot -dir \"J:\\\\\"", "J:\\"},
    {"drive without a backslash stays as typed", true, 'D', "D:", "-ouegui -product orvane -nosnapshot -dir \"D:\"",
     "D:"},
    {"a folder named like a drive is not a root", true, 'D', "C:\\D:\\",
     "-ouegui -product orvane -nosnapshot -dir \"C:\\D:\"", "C:\\D:"},
    {"two trailing backslashes: the one left is doubled", true, 'D', "C:\\Upd\\\\",
     "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\\\\\"", "C:\\Upd\\"},
    {"folder with a quote", false, 'D', "J:\\Up\"dates",
     "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"J:\\Up\\\"dates\"", "J:\\Up\"dates"},
    {"network path", true, 'D', "\\\\srv\\share\\", "-ouegui -product orvane -nosnapshot -dir \"\\\\srv\\share\"",
     "\\\\srv\\share"},
    {"empty folder", true, 'D', "", "-ouegui -product orvane -nosnapshot -dir \"\"", ""},
    {"lower-case drive is raised", false, 'd', "J:\\Updates",
     "-ouegui -product orvane -snapshotlocation \"D:\" -dir \"J:\\Updates\"", "J:\\Updates"},
    {"no drive needed without snapshot", true, '\0', "C:\\Upd", "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"",
     "C:\\Upd"},
};

TEST(EngineArguments, BothFormsForEveryFolder) {
  for (const TArgumentsCase& Case : ArgumentsCases) {
    const std::string Got = EngineArguments(Case.NoSnapshot, Case.Drive, Case.Folder);
    EXPECT_EQ(Got, Case.Arguments) << Case.Name << ": got " << Visible(Got);
  }
}

TEST(EngineArguments, EngineReadsExactlyTheDriveAndTheFolder) {
  for (const TArgumentsCase& Case : ArgumentsCases) {
    const std::string Line =
        EngineCommandLine("C:\\Tools\\oue.exe", EngineArguments(Case.NoSnapshot, Case.Drive, Case.Folder));
    std::vector<std::string> Expected = {"C:\\Tools\\oue.exe", "-ouegui", "-product", "orvane"};
    if (Case.NoSnapshot) {
      Expected.push_back("-nosnapshot");
    } else {
      Expected.push_back("-snapshotlocation");
      Expected.push_back(std::string(1, static_cast<char>(Case.Drive & ~0x20)) + ":");
    }
    Expected.push_back("-dir");
    Expected.push_back(Case.FolderRead);
    const std::vector<std::string> Got = ParseCommandLine(Line);
    EXPECT_EQ(Got, Expected) << Case.Name << ": " << Visible(Line) << " read as " << Joined(Got);
  }
}

TEST(EngineArguments, SnapshotDriveMustBeALetter) {
  for (const char Drive : {'\0', '1', ':', '@', '[', '`', '{', '\xC4'}) {
    try {
      EngineArguments(false, Drive, "J:\\Updates");
      ADD_FAILURE() << "drive code " << static_cast<int>(static_cast<unsigned char>(Drive)) << " was accepted";
    } catch (const std::invalid_argument& Error) {
      EXPECT_NE(std::string(Error.what()).find("snapshot drive"), std::string::npos) << Error.what();
      EXPECT_NE(std::string(Error.what()).find(std::to_string(static_cast<unsigned char>(Drive))), std::string::npos)
          << Error.what();
    }
  }
}

// ---------------------------------------------------------- EngineCommandLine

TEST(EngineCommandLine, ProgramPathInQuotesThenTheArguments) {
  const struct {
    const char* Program;
    const char* Arguments;
    const char* Line;
  } Cases[] = {
      {"C:\\Tools\\oue.exe", "-ouegui -product orvane -nosnapshot -dir \"C:\\Upd\"",
       "\"C:\\Tools\\oue.exe\" -ouegui -product orvane -nosnapshot -dir \"C:\\Upd\""},
      {"C:\\Program Files\\Orvane\\oue.exe", "-x", "\"C:\\Program Files\\Orvane\\oue.exe\" -x"},
  };
  for (const auto& Case : Cases) {
    const std::string Got = EngineCommandLine(Case.Program, Case.Arguments);
    EXPECT_EQ(Got, Case.Line) << "got " << Visible(Got);
    EXPECT_EQ(ParseCommandLine(Got)[0], Case.Program);
  }
}

TEST(EngineCommandLine, QuoteInProgramPathIsRefused) {
  EXPECT_THROW(EngineCommandLine("C:\\To\"ols\\oue.exe", "-x"), std::invalid_argument);
}

// ---------------------------------------------------------------- LogFileName

struct TLogNameCase {
  const char* ExePath;
  int Year, Month, Day, Hour, Minute;
  const char* Abbreviation;
  const char* Name;
};

const TLogNameCase LogNameCases[] = {
    {"C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "Mar", "C:\\Tools\\OUpdate.2006Mar14_15_42.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 1, 5, 7, 3, "Jan", "C:\\Tools\\OUpdate.2006Jan05_07_03.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 12, 31, 0, 0, "Dec", "C:\\Tools\\OUpdate.2006Dec31_00_00.log"},
    {"C:\\Tools\\OUpdate.exe", 999, 6, 1, 23, 59, "Jun", "C:\\Tools\\OUpdate.0999Jun01_23_59.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "M\xE4r", "C:\\Tools\\OUpdate.2006M\xE4r14_15_42.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "mars", "C:\\Tools\\OUpdate.2006mars14_15_42.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "", "C:\\Tools\\OUpdate.2006Mar14_15_42.log"},
    {"C:\\Tools\\OUpdate.exe", 2006, 11, 14, 15, 42, "", "C:\\Tools\\OUpdate.2006Nov14_15_42.log"},
    // Only the last dot after the last backslash starts the extension.
    {"C:\\Tools\\OUpdate.backup.exe", 2006, 3, 14, 15, 42, "Mar", "C:\\Tools\\OUpdate.backup.2006Mar14_15_42.log"},
    {"C:\\My.Tools\\OUpdate", 2006, 3, 14, 15, 42, "Mar", "C:\\My.Tools\\OUpdate.2006Mar14_15_42.log"},
    {"C:\\Tools\\OUpdate.", 2006, 3, 14, 15, 42, "Mar", "C:\\Tools\\OUpdate.2006Mar14_15_42.log"},
    {"C:OUpdate", 2006, 3, 14, 15, 42, "Mar", "C:OUpdate.2006Mar14_15_42.log"},
    {"OUpdate.exe", 2006, 3, 14, 15, 42, "Mar", "OUpdate.2006Mar14_15_42.log"},
};

TEST(LogFileName, DatedNameBesideTheWizard) {
  for (const TLogNameCase& Case : LogNameCases) {
    const std::string Got =
        LogFileName(Case.ExePath, Case.Year, Case.Month, Case.Day, Case.Hour, Case.Minute, Case.Abbreviation);
    EXPECT_EQ(Got, Case.Name) << Case.ExePath << " gave " << Visible(Got);
  }
}

TEST(LogFileName, SameMinuteGivesTheSameName) {
  EXPECT_EQ(LogFileName("C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "Mar"),
            LogFileName("C:\\Tools\\OUpdate.exe", 2006, 3, 14, 15, 42, "Mar"));
}

TEST(LogFileName, OutOfRangeDateOrTimeIsRefused) {
  const struct {
    int Year, Month, Day, Hour, Minute;
    const char* Part;
  } Cases[] = {
      {2006, 0, 14, 15, 42, "month"},  {2006, 13, 14, 15, 42, "month"}, {2006, 3, 0, 15, 42, "day"},
      {2006, 3, 32, 15, 42, "day"},    {2006, 3, 14, 24, 42, "hour"},   {2006, 3, 14, -1, 42, "hour"},
      {2006, 3, 14, 15, 60, "minute"}, {-1, 3, 14, 15, 42, "year"},     {10000, 3, 14, 15, 42, "year"},
  };
  for (const auto& Case : Cases) {
    try {
      const std::string Got =
          LogFileName("C:\\OUpdate.exe", Case.Year, Case.Month, Case.Day, Case.Hour, Case.Minute, "Mar");
      ADD_FAILURE() << Case.Part << " out of range was accepted: " << Got;
    } catch (const std::invalid_argument& Error) {
      EXPECT_NE(std::string(Error.what()).find(Case.Part), std::string::npos) << Error.what();
    }
  }
}

// ---------------------------------------------------------- TranscriptRecord

TEST(TranscriptRecord, ResultThenBannerThenOutput) {
  EXPECT_EQ(std::string(OutputBanner), "\r\n** output ******************************************\r\n");
  const std::string Got = TranscriptRecord("Congratulations!\r\n\r\nDone.", "\r\nline 1\r\nline 2");
  EXPECT_EQ(Got,
            "Congratulations!\r\n\r\nDone.\r\n** output ******************************************\r\n"
            "\r\nline 1\r\nline 2")
      << Visible(Got);
  EXPECT_EQ(TranscriptRecord("", ""), OutputBanner);
}

// ------------------------------------------------------ SamePathIgnoringCase

TEST(SamePathIgnoringCase, FoldsOnlyAsciiLetters) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } Cases[] = {
      {"C:\\Kelvra\\DantorKelvra\\support\\bin\\oue.exe", "c:\\KELVRA\\dantorkelvra\\SUPPORT\\Bin\\OUE.EXE", true},
      {"C:\\Tools\\OUpdate.exe", "C:\\Tools\\OUpdate.exe", true},
      {"", "", true},
      {"C:\\Tools\\oue.exe", "C:\\Tools\\oue.ex", false},
      {"C:\\Tools\\oue.exe", "D:\\Tools\\oue.exe", false},
      {"C:\\\xC4rger\\oue.exe", "C:\\\xE4rger\\oue.exe", false},  // Ä and ä: not ASCII, compared exactly
      {"C:\\a[b", "C:\\a{b", false},                              // differ by 0x20 but are not letters
      {"C:\\a@b", "C:\\a`b", false},
      {"C:\\a/b", "C:\\a\\b", false},
  };
  for (const auto& Case : Cases) {
    EXPECT_EQ(SamePathIgnoringCase(Case.A, Case.B), Case.Same) << Visible(Case.A) << " vs " << Visible(Case.B);
    EXPECT_EQ(SamePathIgnoringCase(Case.B, Case.A), Case.Same) << Visible(Case.B) << " vs " << Visible(Case.A);
  }
}

// ---------------------------------------------------------- SupportBinFolder

TEST(SupportBinFolder, UnderTheInstallRoot) {
  EXPECT_EQ(SupportBinFolder("C:\\Kelvra"), "C:\\Kelvra\\DantorKelvra\\support\\bin\\");
  EXPECT_EQ(SupportBinFolder("D:\\Program Files\\Kelvra"), "D:\\Program Files\\Kelvra\\DantorKelvra\\support\\bin\\");
}

// ----------------------------------------------------------- CopyFailureText

TEST(CopyFailureText, GenericCodeMessageSourceAndTarget) {
  const std::string Generic = "The program can not continue because of a configuration or system problem.";
  const struct {
    unsigned long Code;
    const char* Message;
    const char* Source;
    const char* Target;
    std::string Text;
  } Cases[] = {
      {5, "Access is denied", "C:\\Tools\\oue.exe", "C:\\Kelvra\\DantorKelvra\\support\\bin\\oue.exe",
       Generic + "\r\r[5] Access is denied:\r\rC:\\Tools\\oue.exe\r\rC:\\Kelvra\\DantorKelvra\\support\\bin\\oue.exe"},
      // The code is the system's unsigned error code, never shown negative.
      {0xE0000001UL, "x", "a", "b", Generic + "\r\r[3758096385] x:\r\ra\r\rb"},
      {0, "", "", "", Generic + "\r\r[0] :\r\r\r\r"},
      // Paths are inserted as they are, never read as templates.
      {3, "Path not found", "C:\\100%s\\oue.exe", "C:\\%d\\oue.exe",
       Generic + "\r\r[3] Path not found:\r\rC:\\100%s\\oue.exe\r\rC:\\%d\\oue.exe"},
  };
  for (const auto& Case : Cases) {
    const std::string Got = CopyFailureText(Generic, Case.Code, Case.Message, Case.Source, Case.Target);
    EXPECT_EQ(Got, Case.Text) << "got " << Visible(Got);
  }
}

}  // namespace
