#include "wizard/RunLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "wizard/EngineRun.h"

namespace {

const std::string Dated = "C:\\Tools\\OUpdate.2026Dec08_11_24.log";

struct TNameCase {
  const char* Name;
  std::vector<std::string> Taken;
  std::string Expected;
};

const TNameCase NameCases[] = {
    {"free", {}, Dated},
    {"dated taken", {Dated}, "C:\\Tools\\OUpdate.2026Dec08_11_24.2.log"},
    {"dated and 2 taken",
     {Dated, "C:\\Tools\\OUpdate.2026Dec08_11_24.2.log"},
     "C:\\Tools\\OUpdate.2026Dec08_11_24.3.log"},
    {"a gap is filled",
     {Dated, "C:\\Tools\\OUpdate.2026Dec08_11_24.3.log"},
     "C:\\Tools\\OUpdate.2026Dec08_11_24.2.log"},
    {"gap after 2",
     {Dated, "C:\\Tools\\OUpdate.2026Dec08_11_24.2.log", "C:\\Tools\\OUpdate.2026Dec08_11_24.4.log"},
     "C:\\Tools\\OUpdate.2026Dec08_11_24.3.log"},
    {"only a numbered one taken", {"C:\\Tools\\OUpdate.2026Dec08_11_24.2.log"}, Dated},
};

TEST(UniqueLogName, FirstFreeName) {
  for (const TNameCase& Case : NameCases) {
    const std::set<std::string> Taken(Case.Taken.begin(), Case.Taken.end());
    std::vector<std::string> Asked;
    const std::string Got = UniqueLogName(Dated, [&](const std::string& Name) {
      Asked.push_back(Name);
      return Taken.count(Name) != 0;
    });
    EXPECT_EQ(Got, Case.Expected) << Case.Name;
    EXPECT_EQ(Asked.back(), Got) << Case.Name << ": the name returned was not the last one asked about";
  }
}

TEST(UniqueLogName, EveryNameTakenThrows) {
  int Asked = 0;
  EXPECT_THROW(UniqueLogName(Dated, [&](const std::string&) { return ++Asked > 0; }), std::runtime_error);
  EXPECT_EQ(Asked, MaxLogNumber);
}

TEST(RunningLogName, BesideTheDatedLog) { EXPECT_EQ(RunningLogName(Dated), Dated + ".running"); }

// What the log always held: the transcript, CR LF before every line.
std::string Transcript(const std::vector<std::string>& Lines) {
  std::string Text;
  for (const std::string& Line : Lines) Text += "\r\n" + Line;
  return Text;
}

std::string Compose(const std::string& Result, const std::string& Running, std::size_t Piece) {
  std::size_t At = 0;
  std::string Log;
  ComposeRunLog(
      Result,
      [&](char* Buffer, std::size_t Count) {
        const std::size_t N = std::min({Count, Piece, Running.size() - At});
        std::copy_n(Running.data() + At, N, Buffer);
        At += N;
        return N;
      },
      [&](const char* Data, std::size_t Count) { Log.append(Data, Count); });
  return Log;
}

const std::vector<std::vector<std::string>> LineSets = {
    {},
    {""},
    {"", ""},
    {"a"},
    {"[SECTION]: Update Orvane-3.1.0.0", "Detail line 1", "", "[Result]: SUCCESS"},
    {std::string(70000, 'x'), "y"},
    {"z", std::string(131073, 'w')},
};

TEST(ComposeRunLog, ResultBannerThenEveryLineAsTheTranscriptHadThem) {
  const std::string Result = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 3.1.0.0.";
  for (std::size_t Set = 0; Set < LineSets.size(); ++Set) {
    std::string Running;
    for (const std::string& Line : LineSets[Set]) AppendRunningLine(Running, Line);
    const std::string Expected = TranscriptRecord(Result, Transcript(LineSets[Set]));
    for (std::size_t Piece : {1u, 2u, 3u, 4096u, 1u << 20}) {
      const std::string Got = Compose(Result, Running, Piece);
      EXPECT_EQ(Got.size(), Expected.size()) << "set " << Set << ", pieces of " << Piece;
      EXPECT_TRUE(Got == Expected) << "set " << Set << ", pieces of " << Piece;
    }
  }
}

TEST(ComposeRunLog, AFileCutShortKeepsItsLastBytes) {
  EXPECT_EQ(Compose("R", "a\r\nb", 1), "R" + std::string(OutputBanner) + "\r\na\r\nb");
  EXPECT_EQ(Compose("R", "a\r", 2), "R" + std::string(OutputBanner) + "\r\na\r");
}

TEST(ComposeRunLog, AFailedWriteStopsIt) {
  int Writes = 0;
  EXPECT_THROW(ComposeRunLog(
                   "R", [](char*, std::size_t) -> std::size_t { return 0; },
                   [&](const char*, std::size_t) {
                     ++Writes;
                     throw std::runtime_error("disk full");
                   }),
               std::runtime_error);
  EXPECT_EQ(Writes, 1);
}

}  // namespace
