// A folder the wizard makes for a log can be written only by Administrators
// and SYSTEM, whatever its parent allows.
#include <gtest/gtest.h>

#include <string>

#include "wizard/RunLog.h"

namespace {

TEST(LogFolderSecurity, OnlyAdministratorsAndSystemMayWrite) {
  const std::string Sddl = LogFolderSecurity;
  ASSERT_EQ(0u, Sddl.find("D:P(")) << "the parent's entries must not be inherited";
  int Writers = 0;
  for (std::size_t Open = Sddl.find('('); Open != std::string::npos; Open = Sddl.find('(', Open + 1)) {
    const std::string Ace = Sddl.substr(Open + 1, Sddl.find(')', Open) - Open - 1);
    // type;flags;rights;object;inherited object;trustee
    std::string Fields[6];
    std::size_t At = 0;
    for (std::string& Field : Fields) {
      const std::size_t End = Ace.find(';', At);
      Field = Ace.substr(At, End == std::string::npos ? std::string::npos : End - At);
      At = End == std::string::npos ? Ace.size() : End + 1;
    }
    ASSERT_EQ("A", Fields[0]) << Ace;
    EXPECT_EQ("OICI", Fields[1]) << Ace;
    const bool ReadOnly = Fields[2] == "FRFX" || Fields[2] == "FR";
    if (!ReadOnly) {
      EXPECT_TRUE(Fields[5] == "BA" || Fields[5] == "SY") << Fields[5] << " may write: " << Ace;
      ++Writers;
    }
  }
  EXPECT_EQ(2, Writers);
}

}  // namespace
