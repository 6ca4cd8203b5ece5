#include "wizard/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct TSwitchCase {
  const char* Arg;
  bool Expected;
};

TEST(CommandLine, OnlyTildeNoSnapshotInAnyCaseIsTheSwitch) {
  const TSwitchCase Cases[] = {
      {"~nosnapshot", true},
      {"~NOSNAPSHOT", true},
      {"~NoSnapShot", true},
      {"~nOsNaPsHoT", true},
      {"-nosnapshot", false},
      {"/nosnapshot", false},
      {"nosnapshot", false},
      {"-NOSNAPSHOT", false},
      {"/NOSNAPSHOT", false},
      {"~nosnapshot2", false},
      {"~nosnapsho", false},
      {"~", false},
      {"", false},
      {"~~nosnapshot", false},
      {" ~nosnapshot", false},
      {"~nosnapshot ", false},
      {"~no snapshot", false},
      {"~snapshot", false},
      {"\"~nosnapshot\"", false},
  };
  for (const TSwitchCase& Case : Cases)
    EXPECT_EQ(IsNoSnapshotSwitch(Case.Arg), Case.Expected) << "argument [" << Case.Arg << "]";
}

TEST(CommandLine, FoldsOnlyAsciiLetters) {
  // 0xCE is no upper-case form of any letter of "nosnapshot".
  EXPECT_FALSE(IsNoSnapshotSwitch("~nosnapsh\xCEt"));
}

}  // namespace
