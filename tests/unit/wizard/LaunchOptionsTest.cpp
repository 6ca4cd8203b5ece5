#include "wizard/LaunchOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Shown(const std::vector<std::string>& Args) {
  std::string Out;
  for (const std::string& Arg : Args) Out += "[" + Arg + "]";
  return Out;
}

struct TSplitCase {
  const char* Line;
  std::vector<std::string> Args;
};

TEST(SplitCommandLine, FollowsTheRuntimesRules) {
  const TSplitCase Cases[] = {
      {"OUpdate.exe", {"OUpdate.exe"}},
      {"\"C:\\My Tools\\OUpdate.exe\" /quiet", {"C:\\My Tools\\OUpdate.exe", "/quiet"}},
      {"C:\\a\\b\\OUpdate.exe  \t /quiet ", {"C:\\a\\b\\OUpdate.exe", "/quiet"}},
      {"x \"/updates=D:\\My Updates\"", {"x", "/updates=D:\\My Updates"}},
      {"x /updates=\"D:\\My Updates\"", {"x", "/updates=D:\\My Updates"}},
      {"x /updates=\"D:\\My Updates\\\\\"", {"x", "/updates=D:\\My Updates\\"}},
      {"x /updates=D:\\My Updates", {"x", "/updates=D:\\My", "Updates"}},
      {"x a\\\\b c\\d", {"x", "a\\\\b", "c\\d"}},
      {"x a\\\"b", {"x", "a\"b"}},
      {"x a\\\\\\\"b", {"x", "a\\\"b"}},
      {"x \"a\"\"b\"", {"x", "a\"b"}},
      {"x \"\"", {"x", ""}},
      {"x \"open", {"x", "open"}},
      {"\"C:\\odd\"name /quiet", {"C:\\odd", "name", "/quiet"}},
  };
  for (const TSplitCase& Case : Cases)
    EXPECT_EQ(Shown(Case.Args), Shown(SplitCommandLine(Case.Line))) << "line [" << Case.Line << "]";
}

struct TParseCase {
  std::vector<std::string> Args;
  TRunMode Mode;
  std::string Folder;
  bool NoSnapshot;
  char Drive;
  int Language;
  std::string Log;
  bool Accept;
};

TEST(ParseLaunchOptions, ReadsEverySwitchWithEitherPrefixInAnyCase) {
  const TParseCase Cases[] = {
      {{}, TRunMode::Interactive, "", false, 0, 0, "", false},
      {{"~nosnapshot"}, TRunMode::Interactive, "", true, 0, 0, "", false},
      {{"ignored", "~NoSnapshot"}, TRunMode::Interactive, "", true, 0, 0, "", false},
      {{"/quiet", "/updates=D:\\U"}, TRunMode::Quiet, "D:\\U", false, 0, 0, "", false},
      {{"-QUIET", "-Updates=D:\\My Updates"}, TRunMode::Quiet, "D:\\My Updates", false, 0, 0, "", false},
      {{"/Passive", "/updates=x", "/snapshot=e:"}, TRunMode::Passive, "x", false, 'E', 0, "", false},
      {{"/quiet", "/updates=x", "/snapshot=F:\\"}, TRunMode::Quiet, "x", false, 'F', 0, "", false},
      {{"/quiet", "/updates=x", "/NOSNAPSHOT"}, TRunMode::Quiet, "x", true, 0, 0, "", false},
      {{"/quiet", "~nosnapshot", "/updates=x"}, TRunMode::Quiet, "x", true, 0, 0, "", false},
      {{"/quiet", "/updates=x", "/lang=de"}, TRunMode::Quiet, "x", false, 0, 1, "", false},
      {{"/quiet", "/updates=x", "/LANG=FR"}, TRunMode::Quiet, "x", false, 0, 2, "", false},
      {{"/quiet", "/updates=x", "/lang=Espa\xF1ol"}, TRunMode::Quiet, "x", false, 0, 3, "", false},
      {{"/quiet", "/updates=x", "/lang=deutsch"}, TRunMode::Quiet, "x", false, 0, 1, "", false},
      {{"/quiet", "/updates=x", "/lang=English"}, TRunMode::Quiet, "x", false, 0, 0, "", false},
      {{"/quiet", "/updates=x", "-log=C:\\logs\\a b.log"},
       TRunMode::Quiet,
       "x",
       false,
       0,
       0,
       "C:\\logs\\a b.log",
       false},
      {{"/quiet", "/updates=x", "/AcceptWarnings"}, TRunMode::Quiet, "x", false, 0, 0, "", true},
      {{"/quiet", "/updates=a=b"}, TRunMode::Quiet, "a=b", false, 0, 0, "", false},
      {{"/CHECK", "/updates=x", "-acceptwarnings", "/lang=es"}, TRunMode::Check, "x", false, 0, 3, "", true},
  };
  for (const TParseCase& Case : Cases) {
    const TLaunchOptions O = ParseLaunchOptions(Case.Args);
    SCOPED_TRACE(Shown(Case.Args));
    EXPECT_EQ("", O.Error);
    EXPECT_EQ(static_cast<int>(Case.Mode), static_cast<int>(O.Mode));
    EXPECT_EQ(Case.Folder, O.UpdateFolder);
    EXPECT_EQ(Case.NoSnapshot, O.NoSnapshot);
    EXPECT_EQ(Case.Drive, O.SnapshotDrive);
    EXPECT_EQ(Case.Language, O.Language);
    EXPECT_EQ(Case.Log, O.LogFile);
    EXPECT_EQ(Case.Accept, O.AcceptWarnings);
  }
}

struct TRefusalCase {
  std::vector<std::string> Args;
  const char* ErrorPart;  // found in the error text
};

TEST(ParseLaunchOptions, RefusesWhatItCannotTakeAtItsWord) {
  const TRefusalCase Cases[] = {
      {{"/quiet"}, "/updates=<folder> is missing"},
      {{"/passive", "/snapshot=D:"}, "/updates=<folder> is missing"},
      {{"/quiet", "/updates="}, "needs a value"},
      {{"/quiet", "/updates"}, "needs a value"},
      {{"/quiet", "/updates=x", "/reboot"}, "unknown switch /reboot"},
      {{"/quiet", "/updates=x", "--quiet"}, "unknown switch --quiet"},
      {{"/quiet", "/updates=x", "/"}, "unknown switch /"},
      {{"/quiet=1", "/updates=x"}, "takes no value"},
      {{"/quiet", "/updates=x", "/snapshot=DD:"}, "is no drive"},
      {{"/quiet", "/updates=x", "/snapshot=1:"}, "is no drive"},
      {{"/quiet", "/updates=x", "/snapshot=D:\\x"}, "is no drive"},
      {{"/quiet", "/updates=x", "/lang=it"}, "no language"},
      {{"/quiet", "/updates=x", "/snapshot=D:", "/nosnapshot"}, "exclude each other"},
      {{"/quiet", "/updates=x", "/snapshot=D:", "~nosnapshot"}, "exclude each other"},
      {{"/quiet", "/passive", "/updates=x"}, "exclude each other"},
      {{"/check", "/quiet", "/updates=x"}, "exclude each other"},
      {{"/check"}, "/updates=<folder> is missing"},
      {{"/quiet", "/updates=x", "/updates=y"}, "given twice"},
      {{"/quiet", "/updates=D:\\My", "Updates"}, "unexpected argument Updates"},
      {{"/updates=x"}, "needs /quiet, /passive or /check"},
      {{"-nosnapshot"}, "needs /quiet, /passive or /check"},
      {{"~nosnapshot", "/acceptwarnings"}, "needs /quiet, /passive or /check"},
      {{"/bogus"}, "unknown switch /bogus"},
  };
  for (const TRefusalCase& Case : Cases) {
    const TLaunchOptions O = ParseLaunchOptions(Case.Args);
    EXPECT_NE(std::string::npos, O.Error.find(Case.ErrorPart)) << Shown(Case.Args) << " gave [" << O.Error << "]";
  }
}

TEST(ParseLaunchOptions, RefusalsKeepTheModeSoTheyAreToldByExitCode) {
  EXPECT_TRUE(ParseLaunchOptions({"/quiet"}).Unattended());
  EXPECT_TRUE(ParseLaunchOptions({"/updates=x", "-PASSIVE", "/bogus"}).Unattended());
  EXPECT_TRUE(ParseLaunchOptions({"/check"}).Unattended());
  EXPECT_FALSE(ParseLaunchOptions({"/bogus"}).Unattended());
}

}  // namespace
