#include "wizard/Preconditions.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/LangRes.h"

namespace {

struct TBelowCase {
  const char* Level;
  const char* Other;
  bool Expected;
};

TEST(LevelBelow, ComparesByteStrings) {
  const TBelowCase Cases[] = {
      {"2.3.1.5", "3.0.0.0", true},
      {"10.0.0.0", "3.0.0.0", true},
      {"3.0.0.0", "3.0.0.0", false},
      {"3.0.0", "3.0.0.0", true},
      {"3.0.0.0", "3.0.0", false},
      {"3.1.0.2", "3.0.0.0", false},
      {"3.0.3.12", "3.0.0.0", false},
      {"", "3.0.0.0", true},
      {"3.0.0.0", "", false},
      {"", "", false},
      {"<UNAVAILABLE>", "3.0.0.0", false},
      {"3.0.0.0 ", "3.0.0.0", false},
      {"2.9.9.9", "3.0.0.0", true},
      // Character codes are unsigned: an accented letter sorts after "a".
      {"\xE9", "a", false},
      {"a", "\xE9", true},
  };
  for (const TBelowCase& Case : Cases)
    EXPECT_EQ(LevelBelow(Case.Level, Case.Other), Case.Expected)
        << "[" << Case.Level << "] below [" << Case.Other << "]";
}

struct TApplicableCase {
  const char* Level;
  const char* Found;
  bool Expected;
};

TEST(HasApplicableUpdates, UpdatesMustContinueTheLevel) {
  EXPECT_STREQ(SupportedReleases, ":2.3.0:2.3.1:3.0.0:3.0.1:3.0.2:3.0.3:3.1.0:");
  const TApplicableCase Cases[] = {
      // A server at 3.1.0 needs the update after its own.
      {"3.1.0.4", ":5:6:", true},
      {"3.1.0.4", ":6:5:", true},
      {"3.1.0.4", ":6:", false},
      {"3.1.0.4", ":0:", false},
      {"3.1.0.4", ":15:", false},
      {"3.1.0.4", ":05:", false},
      {"3.1.0.4", "", false},
      {"3.1.0.0", ":1:", true},
      {"3.1.0.04", ":5:", true},
      {"3.1.0.12", ":13:", true},
      {"3.1.0.2147483647", ":0:", false},
      {"3.1.0.2147483647", ":-2147483648:", false},
      {"3.1.0.-1", ":0:", false},
      {"3.1.0.$4", ":5:", false},
      {"3.1.0.0x4", ":5:", false},
      {"3.1.0. 4", ":5:", false},
      {"3.1.0.4 ", ":5:", false},
      {"3.1.0.2147483648", ":2147483649:", false},
      // An older supported release needs update 0.
      {"3.0.3.2", ":0:", true},
      {"3.0.3.2", ":3:1:0:", true},
      {"3.0.3.2", ":1:2:3:", false},
      {"3.0.3.2", ":10:", false},
      {"3.0.3.2", "", false},
      {"2.3.0.9", ":0:", true},
      {"2.3.1.0", ":0:7:", true},
      {"3.0.0.15", ":0:", true},
      // Never.
      {"2.2.0.1", ":0:", false},
      {"2.2.0.1", ":2:", false},
      {"3.1.1.0", ":0:1:", false},
      {"3.1.0", ":0:1:", false},
      {"3.1.0.", ":0:1:", false},
      {"3.1.0.x", ":0:1:", false},
      {"3.1.0.abc", ":0:1:", false},
      {"3.1.0.xa", ":0:1:10:11:", false},
      {"", ":0:", false},
      {"", "", false},
      {"<UNAVAILABLE>", ":0:", false},
  };
  for (const TApplicableCase& Case : Cases)
    EXPECT_EQ(HasApplicableUpdates(Case.Level, Case.Found), Case.Expected)
        << "level [" << Case.Level << "] updates [" << Case.Found << "]";
}

// A machine as the start check sees it, recording which facts were asked.
struct TFakeMachine {
  bool EngineRunning = false;
  std::string InstallRoot = "C:\\Kelvra";
  bool RootExists = true;
  bool EngineBeside = true;
  std::string PrimaryLevel = "3.1.0.2";
  MaintenanceModeState Maintenance = MaintenanceModeState::Unknown;
  NodeRole Role = NodeRole::Secondary;
  bool BackupRunning = false;

  std::vector<std::string> Asked;

  TStartFacts Facts() {
    TStartFacts F;
    F.EngineRunning = Fact("EngineRunning", EngineRunning);
    F.InstallRoot = Fact("InstallRoot", InstallRoot);
    F.FolderExists = [this](const std::string& Folder) {
      Asked.push_back("FolderExists(" + Folder + ")");
      return RootExists;
    };
    F.EngineBesideWizard = Fact("EngineBesideWizard", EngineBeside);
    F.PrimaryLevel = Fact("PrimaryLevel", PrimaryLevel);
    F.Maintenance = Fact("Maintenance", Maintenance);
    F.Role = Fact("Role", Role);
    F.BackupRunning = Fact("BackupRunning", BackupRunning);
    return F;
  }

 private:
  // A fact that notes it was asked and gives the field's value at that time.
  template <class T>
  std::function<T()> Fact(const char* Name, const T& Field) {
    return [this, Name, &Field] {
      Asked.push_back(Name);
      return Field;
    };
  }
};

std::string Joined(const std::vector<std::string>& Items) {
  std::string Text;
  for (const std::string& Item : Items) Text += (Text.empty() ? "" : " ") + Item;
  return Text;
}

const char* FailureName(TStartFailure Failure) {
  static const char* const Names[] = {"None", "E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8"};
  return Names[static_cast<int>(Failure)];
}

struct TStartCase {
  const char* Title;
  void (*Arrange)(TFakeMachine&);
  const char* Failure;
  std::string Asked;
  const char* InstallRoot;
};

TEST(CheckStartFacts, EveryBranchInItsOrder) {
  const std::string P = "EngineRunning InstallRoot FolderExists(C:\\Kelvra) EngineBesideWizard PrimaryLevel";
  const TStartCase Cases[] = {
      {"all well at a new level", [](TFakeMachine&) {}, "None", P + " BackupRunning", "C:\\Kelvra"},
      {"engine running, even without KelvraHome",
       [](TFakeMachine& M) {
         M.EngineRunning = true;
         M.InstallRoot = "";
       },
       "E1", "EngineRunning", ""},
      {"engine running with everything else wrong",
       [](TFakeMachine& M) {
         M.EngineRunning = true;
         M.RootExists = false;
         M.EngineBeside = false;
       },
       "E1", "EngineRunning", ""},
      {"no KelvraHome", [](TFakeMachine& M) { M.InstallRoot = ""; }, "E2", "EngineRunning InstallRoot", ""},
      {"install root missing",
       [](TFakeMachine& M) {
         M.RootExists = false;
         M.EngineBeside = false;
       },
       "E3", "EngineRunning InstallRoot FolderExists(C:\\Kelvra)", "C:\\Kelvra"},
      {"engine not beside the wizard", [](TFakeMachine& M) { M.EngineBeside = false; }, "E4",
       "EngineRunning InstallRoot FolderExists(C:\\Kelvra) EngineBesideWizard", "C:\\Kelvra"},
      {"primary unreachable", [](TFakeMachine& M) { M.PrimaryLevel = "<UNAVAILABLE>"; }, "E5", P, "C:\\Kelvra"},
      {"old primary, maintenance on",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Maintenance = MaintenanceModeState::On;
         M.BackupRunning = true;
       },
       "None", P + " Maintenance", "C:\\Kelvra"},
      {"old primary, maintenance off",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Maintenance = MaintenanceModeState::Off;
         M.Role = NodeRole::Primary;
       },
       "E6", P + " Maintenance", "C:\\Kelvra"},
      {"old primary, maintenance unknown, on the primary",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Role = NodeRole::Primary;
       },
       "None", P + " Maintenance Role", "C:\\Kelvra"},
      {"old primary, maintenance unknown, on a secondary",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Role = NodeRole::Secondary;
       },
       "E7", P + " Maintenance Role", "C:\\Kelvra"},
      {"old primary, maintenance unknown, on an EPM secondary",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Role = NodeRole::EpmSecondary;
       },
       "E7", P + " Maintenance Role", "C:\\Kelvra"},
      {"old primary, maintenance unknown, role unknown",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "2.3.1.0";
         M.Role = NodeRole::Unknown;
       },
       "E7", P + " Maintenance Role", "C:\\Kelvra"},
      {"10.0.0.0 is below 3.0.0.0 as text",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "10.0.0.0";
         M.Maintenance = MaintenanceModeState::Off;
       },
       "E6", P + " Maintenance", "C:\\Kelvra"},
      {"an empty primary level is below as well",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "";
         M.Maintenance = MaintenanceModeState::On;
       },
       "None", P + " Maintenance", "C:\\Kelvra"},
      {"3.0.0.0 with a backup",
       [](TFakeMachine& M) {
         M.PrimaryLevel = "3.0.0.0";
         M.BackupRunning = true;
         M.Maintenance = MaintenanceModeState::On;
       },
       "E8", P + " BackupRunning", "C:\\Kelvra"},
      {"3.1.0.2 with a backup, maintenance off",
       [](TFakeMachine& M) {
         M.BackupRunning = true;
         M.Maintenance = MaintenanceModeState::Off;
       },
       "E8", P + " BackupRunning", "C:\\Kelvra"},
      {"3.1.0.2 without a backup, maintenance off", [](TFakeMachine& M) { M.Maintenance = MaintenanceModeState::Off; },
       "None", P + " BackupRunning", "C:\\Kelvra"},
  };
  for (const TStartCase& Case : Cases) {
    SCOPED_TRACE(Case.Title);
    TFakeMachine Machine;
    Case.Arrange(Machine);
    TStartVerdict Verdict = CheckStartFacts(Machine.Facts());
    EXPECT_STREQ(FailureName(Verdict.Failure), Case.Failure);
    EXPECT_EQ(Verdict.InstallRoot, Case.InstallRoot);
    // Each fact once, in order, and none after the deciding one.
    EXPECT_EQ(Joined(Machine.Asked), Case.Asked);
  }
}

TEST(CheckStartFacts, AsksOnlyForTheFactsItNeeds) {
  // Refused at once, so none of the other facts has to be bound.
  TStartFacts Facts;
  Facts.EngineRunning = [] { return true; };
  EXPECT_EQ(CheckStartFacts(Facts).Failure, TStartFailure::E1);
}

TEST(CheckStartFacts, NamesAMissingFact) {
  TFakeMachine Machine;
  TStartFacts Facts = Machine.Facts();
  Facts.BackupRunning = nullptr;
  try {
    CheckStartFacts(Facts);
    ADD_FAILURE() << "a missing fact went unnoticed";
  } catch (const std::invalid_argument& Error) {
    EXPECT_NE(std::string(Error.what()).find("BackupRunning"), std::string::npos) << Error.what();
  }
  EXPECT_THROW(CheckStartFacts(TStartFacts{}), std::invalid_argument);
}

class StartTexts : public ::testing::Test {
 protected:
  void SetUp() override { LoadEnglish(); }
  void TearDown() override { LoadEnglish(); }

  static TStartMessageArgs Args() {
    TStartMessageArgs A;
    A.ErrorCode = 203;
    A.SystemMessage = "The system could not find the environment option that was entered";
    A.InstallRoot = "C:\\Kelvra";
    A.ProgramDir = "D:\\Orvane Updates\\";
    A.PrimaryNodeName = "SRV01";
    return A;
  }
};

const char* const Generic = "The program can not continue because of a configuration or system problem.";

TEST_F(StartTexts, EnglishBoxes) {
  const std::pair<TStartFailure, std::string> Cases[] = {
      {TStartFailure::E1,
       "Cannot start an update at this time, because a copy of the update utility engine (oue.exe) is already "
       "running."},
      {TStartFailure::E2,
       std::string(Generic) +
           "\r\r[203] The system could not find the environment option that was entered: \"KelvraHome\""},
      {TStartFailure::E3,
       std::string(Generic) +
           "\r\r[203] The system could not find the environment option that was entered: C:\\Kelvra"},
      {TStartFailure::E4,
       "Cannot continue, because a copy of the update utility engine (oue.exe) must be available in:\rD:\\Orvane "
       "Updates\\"},
      {TStartFailure::E5,
       "Cannot determine \"Update Level\" of the Primary server SRV01.\r\rPlease make sure the server is powered on "
       "and "
       "check the network permissions."},
      {TStartFailure::E6,
       "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\rThe Orvane "
       "Administrator application (SYSA) can be used to switch to \"Maintenance Mode\"."},
      {TStartFailure::E7,
       "Cannot determine \"Maintenance Mode\" on Primary server SRV01.\r\rPlease make sure the server is powered on "
       "and "
       "check the network permissions."},
      {TStartFailure::E8,
       "Cannot start an update at this time, because backup is running on the Primary Server.\r\rThe Orvane "
       "Administrator application (SYSA) can be used to stop the backups."},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(StartFailureText(Case.first, Args()), Case.second) << FailureName(Case.first);
}

TEST_F(StartTexts, InsertedTextsAreNotTemplates) {
  TStartMessageArgs A = Args();
  A.ErrorCode = 4294967295UL;
  A.SystemMessage = "100% %s %d";
  A.InstallRoot = "C:\\100%\\%s";
  EXPECT_EQ(StartFailureText(TStartFailure::E3, A), std::string(Generic) + "\r\r[4294967295] 100% %s %d: C:\\100%\\%s");
  A.ProgramDir = "C:\\%d\\";
  EXPECT_EQ(StartFailureText(TStartFailure::E4, A),
            "Cannot continue, because a copy of the update utility engine (oue.exe) must be available in:\rC:\\%d\\");
}

// No call failed when KelvraHome is missing or empty, so whatever the last
// error was (0 is "completed successfully") the report names the variable
// that was not found.
TEST_F(StartTexts, AMissingKelvraHomeIsReportedAsNotFoundWhateverTheLastError) {
  for (unsigned long LastError : {0UL, 2UL, 203UL}) {
    TStartMessageArgs A = Args();
    A.ErrorCode = LastError;
    EXPECT_EQ(StartFailureText(TStartFailure::E2, A),
              std::string(Generic) +
                  "\r\r[203] The system could not find the environment option that was entered: "
                  "\"KelvraHome\"")
        << "last error " << LastError;
  }
}

TEST_F(StartTexts, FollowTheLanguage) {
  std::string EnglishE5 = StartFailureText(TStartFailure::E5, Args());
  std::string EnglishE8 = StartFailureText(TStartFailure::E8, Args());
  LoadFrench();
  EXPECT_EQ(
      StartFailureText(TStartFailure::E1, Args()),
      "Impossible de d\xE9marrer la mise \xE0 jour maintenant car une copie du moteur de l'utilitaire (oue.exe) est "
      "en cours d'ex\xE9\x63ution.");
  EXPECT_EQ(StartFailureText(TStartFailure::E2, Args()).substr(0, 16), "Le programme ne ");
  // These two exist in English only.
  LoadGerman();
  EXPECT_EQ(StartFailureText(TStartFailure::E5, Args()), EnglishE5);
  EXPECT_EQ(StartFailureText(TStartFailure::E8, Args()), EnglishE8);
  LoadSpanish();
  EXPECT_EQ(
      StartFailureText(TStartFailure::E4, Args()),
      "No es posible continuar, porque debe haber una copia del motor de la utilidad de actualizaci\xF3n (oue.exe) "
      "en:\rD:\\Orvane Updates\\");
}

TEST_F(StartTexts, NoTextForAStartThatDidNotFail) {
  EXPECT_THROW(StartFailureText(TStartFailure::None, Args()), std::invalid_argument);
}

TEST_F(StartTexts, SystemErrorReportFillsEitherPattern) {
  EXPECT_STREQ(KelvraHomeErrorPattern, "%s\r\r[%d] %s: \"KelvraHome\"");
  EXPECT_STREQ(SystemErrorPattern, "%s\r\r[%d] %s: %s");
  EXPECT_EQ(SystemErrorReport(KelvraHomeErrorPattern, 0, "The operation completed successfully"),
            std::string(Generic) + "\r\r[0] The operation completed successfully: \"KelvraHome\"");
  EXPECT_EQ(SystemErrorReport(SystemErrorPattern, 3, "Path not found", {"X:\\Nowhere"}),
            std::string(Generic) + "\r\r[3] Path not found: X:\\Nowhere");
}

struct TLevelLineCase {
  void (*Load)();
  const char* Role;
  const char* Computer;
  const char* Level;
  const char* Expected;
};

TEST_F(StartTexts, ServerLevelLine) {
  const TLevelLineCase Cases[] = {
      {LoadEnglish, "Primary", "SRV01", "3.1.0.2", "Primary SRV01 at 3.1.0.2"},
      {LoadEnglish, "Secondary", "SRV07", "3.0.3.2", "Secondary SRV07 at 3.0.3.2"},
      {LoadEnglish, "<unknown>", "VM", "", "<unknown> VM at "},
      {LoadEnglish, "EPM Secondary", "A%sB", "%d", "EPM Secondary A%sB at %d"},
      {LoadGerman, "Primary", "SRV01", "3.1.0.2", "Primary SRV01 bei 3.1.0.2"},
      {LoadFrench, "Secondary", "SRV07", "3.0.3.2", "Secondary SRV07 a la version 3.0.3.2"},
  };
  for (const TLevelLineCase& Case : Cases) {
    Case.Load();
    EXPECT_EQ(ServerLevelLine(Case.Role, Case.Computer, Case.Level), Case.Expected);
  }
}

}  // namespace
