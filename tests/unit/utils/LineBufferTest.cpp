#include "utils/LineBuffer.h"

#include <gtest/gtest.h>

#include "VisibleText.h"

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace {

// A pipe stand-in: bytes "arrive" between reader calls and wait until read.
class TFakeSource : public ILineSource {
 public:
  void Arrive(const std::string& Bytes) { Waiting += Bytes; }

  std::size_t BytesWaiting() override {
    ++Queries;
    return Waiting.size() - Taken;
  }
  std::size_t ReadBytes(char* Buffer, std::size_t Count) override {
    ReadSizes.push_back(Count);
    if (FailReads) return 0;
    std::size_t N = std::min(Count, Waiting.size() - Taken);
    std::copy_n(Waiting.data() + Taken, N, Buffer);
    Taken += N;
    if (Taken > (1u << 20)) {  // keep long floods cheap
      Waiting.erase(0, Taken);
      Taken = 0;
    }
    return N;
  }
  std::size_t Left() const { return Waiting.size() - Taken; }

  std::string Waiting;
  std::size_t Taken = 0;
  int Queries = 0;
  bool FailReads = false;
  std::vector<std::size_t> ReadSizes;
};

// Control bytes visible in failure messages; the no-line mark apart.
std::string Show(const std::string& Text) {
  return Text == TLineBuffer::NoLine ? "<no line>" : "\"" + Visible(Text) + "\"";
}

std::string Shown(const std::vector<std::string>& Lines) {
  std::string Out;
  for (const std::string& L : Lines) Out += (Out.empty() ? "" : ", ") + Show(L);
  return "[" + Out + "]";
}

const std::string NoLine = TLineBuffer::NoLine;

struct TStep {
  std::string Arriving;               // bytes that arrive before the reads
  std::vector<std::string> Expected;  // results of consecutive ReadLine calls
};

struct TReadCase {
  const char* Name;
  std::vector<TStep> Steps;
  std::string PendingAfter;
};

std::string Bytes(const char* Data, std::size_t Size) { return std::string(Data, Size); }

const TReadCase ReadCases[] = {
    {"nothing pending", {{"", {NoLine, NoLine}}}, ""},
    {"partial line waits for its terminator", {{"abc", {NoLine, NoLine}}, {"\r\n", {"abc", NoLine}}}, ""},
    {"two lines, CR LF and LF", {{"a\r\nb\n", {"a", "b", NoLine}}}, ""},
    {"CR ends at once, late LF ends an empty line", {{"x\r", {"x", NoLine}}, {"\ny\r\n", {"", "y", NoLine}}}, ""},
    {"CR LF alone is the empty line", {{"\r\n", {"", NoLine}}}, ""},
    {"LF alone is the empty line", {{"\n", {"", NoLine}}}, ""},
    {"LF CR is two lines", {{"\n\r", {"", "", NoLine}}}, ""},
    {"CR CR LF is two lines", {{"\r\r\n", {"", "", NoLine}}}, ""},
    {"CR then other text", {{"a\rb\r\n", {"a", "b", NoLine}}}, ""},
    {"NUL inside a line is dropped", {{Bytes("a\0b\n", 4), {"ab", NoLine}}}, ""},
    {"NUL alone does not stop reading", {{Bytes("\0", 1), {NoLine}}, {"c\n", {"c", NoLine}}}, ""},
    {"NUL between CR and LF", {{Bytes("q\r\0\n", 4), {"q", NoLine}}}, ""},
    {"rest stays pending", {{"one\ntw", {"one", NoLine}}}, "tw"},
    {"partial line grows over several arrivals",
     {{"ab", {NoLine}}, {"cd", {NoLine}}, {"ef\r", {"abcdef", NoLine}}, {"\n", {"", NoLine}}},
     ""},
    {"line longer than one take-in", {{std::string(600, 'L') + "\n", {std::string(600, 'L'), NoLine}}}, ""},
    {"CR closes the first take-in, LF opens the next",
     {{std::string(TLineBuffer::MaxTakeIn - 1, 'a') + "\r\nb\n",
       {NoLine, std::string(TLineBuffer::MaxTakeIn - 1, 'a'), "b", NoLine}}},
     ""},
};

class ReadLineCases : public ::testing::TestWithParam<TReadCase> {};

TEST_P(ReadLineCases, GivesTheExpectedLines) {
  const TReadCase& Case = GetParam();
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  for (std::size_t S = 0; S < Case.Steps.size(); ++S) {
    Source.Arrive(Case.Steps[S].Arriving);
    std::vector<std::string> Got;
    for (std::size_t I = 0; I < Case.Steps[S].Expected.size(); ++I) Got.push_back(Buffer.ReadLine());
    EXPECT_EQ(Got, Case.Steps[S].Expected)
        << "step " << S << " got " << Shown(Got) << ", expected " << Shown(Case.Steps[S].Expected);
  }
  EXPECT_EQ(Buffer.PendingText(), Case.PendingAfter) << "pending " << Show(Buffer.PendingText());
}

INSTANTIATE_TEST_SUITE_P(LineBuffer, ReadLineCases, ::testing::ValuesIn(ReadCases),
                         [](const ::testing::TestParamInfo<TReadCase>& Info) {
                           std::string Name;
                           for (const char* P = Info.param.Name; *P; ++P)
                             Name += std::isalnum(static_cast<unsigned char>(*P)) ? *P : '_';
                           return Name;
                         });

TEST(LineBuffer, NoLineMarkIsOneNulAndNotTheEmptyLine) {
  EXPECT_EQ(TLineBuffer::NoLine.size(), 1u);
  EXPECT_EQ(TLineBuffer::NoLine[0], '\0');
  EXPECT_NE(TLineBuffer::NoLine, std::string());
}

TEST(LineBuffer, NothingPendingLeavesThePendingTextEmpty) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  EXPECT_EQ(Buffer.ReadLine(), NoLine);
  EXPECT_EQ(Buffer.PendingSize(), 0u);
  EXPECT_TRUE(Source.ReadSizes.empty()) << "read " << Source.ReadSizes.size() << " times with nothing waiting";
}

TEST(LineBuffer, EveryByteWaitingIsTakenInOneRead) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  Source.Arrive(std::string(300, 'z'));
  EXPECT_EQ(Buffer.PeekChar(), 'z');
  EXPECT_EQ(Buffer.PendingSize(), 300u);
  EXPECT_EQ(Source.Left(), 0u);
  EXPECT_EQ(Source.ReadSizes, (std::vector<std::size_t>{300}));
}

const std::size_t Max = TLineBuffer::MaxTakeIn;

// However the engine writes, one call takes in at most MaxTakeIn bytes and
// returns; the next call goes on where it stopped.
struct TBudgetCase {
  const char* Name;
  std::string Arriving;
  std::vector<std::string> Expected;   // consecutive ReadLine calls
  std::vector<std::size_t> LeftAfter;  // bytes still in the source after each call
};

const TBudgetCase BudgetCases[] = {
    {"a line of three budgets",
     std::string(3 * Max - 1, 'm') + "\n",
     {NoLine, NoLine, std::string(3 * Max - 1, 'm'), NoLine},
     {2 * Max, Max, 0, 0}},
    {"a CR at the end of a budget waits for its LF",
     std::string(Max - 1, 'c') + "\r\nn\n",
     {NoLine, std::string(Max - 1, 'c'), "n", NoLine},
     {3, 0, 0, 0}},
    {"endless NULs after a CR",
     "x\r" + std::string(2 * Max, '\0') + "\ny\n",
     {NoLine, NoLine, "x", "y", NoLine},
     {Max + 5, 5, 0, 0, 0}},
    {"complete lines pending need no budget",
     std::string(Max, 'p') + "q\nr\n",
     {NoLine, std::string(Max, 'p') + "q", "r", NoLine},
     {4, 0, 0, 0}},
};

class ReadLineBudget : public ::testing::TestWithParam<TBudgetCase> {};

TEST_P(ReadLineBudget, OneCallTakesAtMostMaxTakeIn) {
  const TBudgetCase& Case = GetParam();
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  Source.Arrive(Case.Arriving);
  for (std::size_t I = 0; I < Case.Expected.size(); ++I) {
    const std::size_t Before = Source.Left();
    const std::string Got = Buffer.ReadLine();
    EXPECT_EQ(Got.size(), Case.Expected[I].size()) << "call " << I;
    EXPECT_EQ(Got == NoLine, Case.Expected[I] == NoLine) << "call " << I << " got " << Show(Got.substr(0, 20));
    EXPECT_EQ(Source.Left(), Case.LeftAfter[I]) << "call " << I;
    EXPECT_LE(Before - Source.Left(), Max) << "call " << I << " took in more than its budget";
  }
}

INSTANTIATE_TEST_SUITE_P(LineBuffer, ReadLineBudget, ::testing::ValuesIn(BudgetCases),
                         [](const ::testing::TestParamInfo<TBudgetCase>& Info) {
                           std::string Name;
                           for (const char* P = Info.param.Name; *P; ++P)
                             Name += std::isalnum(static_cast<unsigned char>(*P)) ? *P : '_';
                           return Name;
                         });

TEST(LineBuffer, PeekCharAndReadChar) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  EXPECT_EQ(Buffer.PeekChar(), '\0');
  EXPECT_EQ(Buffer.ReadChar(), '\0');
  Source.Arrive("ab");
  EXPECT_EQ(Buffer.PeekChar(), 'a');
  EXPECT_EQ(Buffer.PeekChar(), 'a');
  EXPECT_EQ(Buffer.ReadChar(), 'a');
  EXPECT_EQ(Buffer.ReadChar(), 'b');
  EXPECT_EQ(Buffer.ReadChar(), '\0');
  EXPECT_EQ(Buffer.PendingSize(), 0u);
  Source.Arrive(Bytes("\0c", 2));
  EXPECT_EQ(Buffer.PeekChar(), 'c') << "a NUL byte must not be handed out";
}

TEST(LineBuffer, ReadCharAndReadLineShareThePendingText) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  Source.Arrive("hello\nworld\n");
  EXPECT_EQ(Buffer.ReadChar(), 'h');
  EXPECT_EQ(Buffer.ReadLine(), "ello");
  EXPECT_EQ(Buffer.ReadChar(), 'w');
  EXPECT_EQ(Buffer.ReadLine(), "orld");
  EXPECT_EQ(Buffer.ReadLine(), NoLine);
}

TEST(LineBuffer, ACompleteLinePendingIsReturnedWithoutAskingTheSource) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  std::string Burst;
  for (int I = 0; I < 100; ++I) Burst += "l\n";
  Source.Arrive(Burst);  // 200 bytes: one take-in holds all of them
  ASSERT_EQ(Buffer.ReadLine(), "l");
  int QueriesAfterFirst = Source.Queries;
  EXPECT_TRUE(Buffer.HasPendingLine());
  for (int I = 1; I < 100; ++I) ASSERT_EQ(Buffer.ReadLine(), "l") << "line " << I;
  EXPECT_EQ(Source.Queries, QueriesAfterFirst) << "the source was asked although lines were pending";
  EXPECT_FALSE(Buffer.HasPendingLine());
  EXPECT_EQ(Buffer.ReadLine(), NoLine);
}

TEST(LineBuffer, HasPendingLine) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  EXPECT_FALSE(Buffer.HasPendingLine());
  Source.Arrive("ab");
  Buffer.PeekChar();
  EXPECT_FALSE(Buffer.HasPendingLine());
  Source.Arrive("\r");
  Buffer.PeekChar();
  EXPECT_TRUE(Buffer.HasPendingLine()) << "a CR ends its line at once";
}

TEST(LineBuffer, AFailedReadDeliversNothingAndChangesNothing) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  Source.Arrive("ab");
  Buffer.PeekChar();
  Source.Arrive("c\n");
  Source.FailReads = true;
  EXPECT_EQ(Buffer.ReadLine(), NoLine);
  EXPECT_EQ(Buffer.PeekChar(), 'a');
  EXPECT_EQ(Buffer.PendingText(), "ab");
  Source.FailReads = false;
  EXPECT_EQ(Buffer.ReadLine(), "abc");
}

// The reader as first described, one character and one source query at a
// time: the fast reader must give exactly its lines.
class TReferenceReader {
 public:
  explicit TReferenceReader(ILineSource& Source) : FSource(Source) {}
  char PeekChar() {
    std::size_t N = FSource.BytesWaiting();
    if (N >= 256) N = 255;
    if (N > 0) {
      char Buffer[255];
      std::size_t Got = FSource.ReadBytes(Buffer, N);
      for (std::size_t I = 0; I < Got; ++I)
        if (Buffer[I] != '\0') FPending += Buffer[I];
    }
    return FPending.empty() ? '\0' : FPending[0];
  }
  char ReadChar() {
    char C = PeekChar();
    if (!FPending.empty()) FPending.erase(0, 1);
    return C;
  }
  std::string ReadLine() {
    std::string Line;
    char C = PeekChar();
    while (C != '\0' && C != '\n' && C != '\r') {
      Line += ReadChar();
      C = PeekChar();
    }
    if (C == '\0') {
      FPending = Line + FPending;
      return TLineBuffer::NoLine;
    }
    ReadChar();
    if (C == '\r' && PeekChar() == '\n') ReadChar();
    return Line;
  }

 private:
  ILineSource& FSource;
  std::string FPending;
};

TEST(LineBuffer, GivesTheSameLinesAsTheCharacterByCharacterReader) {
  std::mt19937 Random(20060314);
  const char Alphabet[] = {'a', 'b', '\r', '\n', '\0', 'c'};
  for (int Round = 0; Round < 120; ++Round) {
    TFakeSource FastSource, SlowSource;
    TLineBuffer Fast(FastSource);
    TReferenceReader Slow(SlowSource);
    std::vector<std::string> FastLines, SlowLines;
    for (int Step = 0; Step < 40; ++Step) {
      std::string Chunk;
      int Length = std::uniform_int_distribution<int>(0, Random() % 4 == 0 ? 600 : 12)(Random);
      for (int I = 0; I < Length; ++I) {
        // Mostly letters, so lines of every length occur.
        int Pick = std::uniform_int_distribution<int>(0, 19)(Random);
        Chunk += Pick < 6 ? Alphabet[Pick] : 'x';
      }
      FastSource.Arrive(Chunk);
      SlowSource.Arrive(Chunk);
      int Reads = std::uniform_int_distribution<int>(0, 4)(Random);
      for (int I = 0; I < Reads; ++I) {
        FastLines.push_back(Fast.ReadLine());
        SlowLines.push_back(Slow.ReadLine());
      }
    }
    // Then read until both are drained.
    for (;;) {
      FastLines.push_back(Fast.ReadLine());
      SlowLines.push_back(Slow.ReadLine());
      if (FastLines.back() == NoLine && SlowLines.back() == NoLine) break;
      ASSERT_LT(FastLines.size(), 100000u) << "round " << Round << ": the readers never drain";
    }
    ASSERT_EQ(FastLines, SlowLines) << "round " << Round << "\nfast: " << Shown(FastLines)
                                    << "\nslow: " << Shown(SlowLines);
  }
}

// Whether reading stays linear in the bytes read is measured by
// bench/LineReaderBench.cpp; here the same two shapes of output must come out
// whole: a long line in small pieces, and short lines behind characters that
// were taken one at a time.
TEST(LineBuffer, ALongLineArrivingInSmallPiecesComesOutWhole) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  const std::size_t Total = 1u << 20;
  const std::string Piece(255, 'p');
  for (std::size_t Sent = 0; Sent < Total; Sent += Piece.size()) {
    Source.Arrive(Piece);
    ASSERT_EQ(Buffer.ReadLine(), NoLine) << "after " << Sent << " bytes";
  }
  Source.Arrive("\n");
  EXPECT_EQ(Buffer.ReadLine().size(), (Total + Piece.size() - 1) / Piece.size() * Piece.size());
}

TEST(LineBuffer, ShortLinesAfterOneCharacterReadsComeOutWhole) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  const int Lines = 1 << 16;
  std::string Flood;
  for (int I = 0; I < Lines; ++I) Flood += "s\r\n";
  Source.Arrive(Flood);
  // Characters taken by PeekChar pile up in the pending text first.
  for (int I = 0; I < 20000; ++I) Buffer.PeekChar();
  int Count = 0;
  while (Buffer.ReadLine() == "s") ++Count;
  EXPECT_EQ(Count, Lines);
}

}  // namespace

namespace {

// A line of megabytes leaves by a move of the pending text: what was before
// it and what follows it must stay exactly where they belong.
TEST(LineBuffer, ALongLineBetweenOthersKeepsItsNeighbours) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  const std::string Long(3u << 20, 'L');
  Source.Arrive("s\n");
  ASSERT_EQ(Buffer.PeekChar(), 's');  // "s\n" pending before the long line comes
  Source.Arrive(Long + "\r\nt\nu");
  std::vector<std::string> Lines;
  for (int Call = 0; Call < 1000 && Lines.size() < 3; ++Call) {
    std::string Line = Buffer.ReadLine();
    if (Line != NoLine) Lines.push_back(std::move(Line));
  }
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0], "s");
  EXPECT_TRUE(Lines[1] == Long) << "the long line has " << Lines[1].size() << " bytes";
  EXPECT_EQ(Lines[2], "t");
  EXPECT_EQ(Buffer.PendingText(), "u");
}

}  // namespace

namespace {

// Lines read with a bound on what is pending: what comes out, in order, as
// "text" for a whole line and "text+" for a part of a line that goes on.
struct TPartCase {
  const char* Name;
  std::vector<std::string> Arrivals;  // each arrives before one round of reads
  std::size_t PartLimit;
  std::vector<std::string> Expected;
};

std::vector<std::string> ReadParts(const TPartCase& Case) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  std::vector<std::string> Got;
  for (const std::string& Bytes : Case.Arrivals) {
    Source.Arrive(Bytes);
    for (int Call = 0; Call < 100; ++Call) {
      bool Complete = false;
      const std::string Text = Buffer.ReadLinePart(Case.PartLimit, Complete);
      if (Text == NoLine) break;
      Got.push_back(Show(Text) + (Complete ? "" : "+"));
    }
  }
  return Got;
}

TEST(LineBuffer, ReadLinePartHandsOutALineWithoutABreakInBoundedParts) {
  const TPartCase Cases[] = {
      {"short lines come whole", {"ab\ncd\r\n"}, 4, {"\"ab\"", "\"cd\""}},
      {"a line longer than the bound, its end present, comes whole", {"abcdefgh\n"}, 4, {"\"abcdefgh\""}},
      {"without its end it comes in parts of the bound", {"abcdefghij"}, 4, {"\"abcd\"+", "\"efgh\"+"}},
      {"and its end finishes it", {"abcdefghij", "kl\n"}, 4, {"\"abcd\"+", "\"efgh\"+", "\"ijkl\""}},
      {"a CR makes a line, not a part", {"abcd\r"}, 4, {"\"abcd\""}},
      {"less than the bound stays pending", {"abc"}, 4, {}},
      {"a bound of 0 never cuts", {"abcdefgh"}, 0, {}},
  };
  for (const TPartCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(ReadParts(Case), Case.Expected);
  }
}

TEST(LineBuffer, AFloodWithoutABreakNeverHoldsMoreThanTheBoundAndOneRead) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  const std::size_t Limit = 64 * 1024;
  std::string Flood;
  for (int I = 0; Flood.size() < (4u << 20); ++I) Flood += std::to_string(I) + ",";
  Source.Arrive(Flood);
  std::string Parts;
  std::size_t MostPending = 0;
  for (int Call = 0; Call < 10000 && Source.Left() > 0; ++Call) {
    bool Complete = true;
    const std::string Text = Buffer.ReadLinePart(Limit, Complete);
    if (Text != NoLine) {
      EXPECT_FALSE(Complete);
      Parts += Text;
    }
    MostPending = std::max(MostPending, Buffer.PendingSize());
  }
  EXPECT_LE(MostPending, Limit + TLineBuffer::MaxTakeIn);
  EXPECT_TRUE(Parts + Buffer.TakePending() == Flood) << "the parts and the rest are not the flood";
}

TEST(LineBuffer, TakePendingHandsOutWhatIsPendingAndReadsNothing) {
  TFakeSource Source;
  TLineBuffer Buffer(Source);
  Source.Arrive("abc");
  ASSERT_EQ(Buffer.ReadLine(), NoLine);
  Source.Arrive("def");
  const int Queries = Source.Queries;
  EXPECT_EQ(Buffer.TakePending(), "abc");
  EXPECT_EQ(Source.Queries, Queries) << "the source was asked";
  EXPECT_EQ(Buffer.PendingSize(), 0u);
  EXPECT_EQ(Source.Left(), 3u);
  Source.Arrive("\n");
  EXPECT_EQ(Buffer.ReadLine(), "def");
}

}  // namespace
