// The one-wizard lock is the wizard's own: an object of the old lock's name,
// which any program could make first, changes nothing, and a lock that
// cannot be taken is told as what it is, never as another wizard. (The
// owners that are not trusted cannot be made under Wine, where every file
// belongs to the one administrator: WizardLockTest in the unit tests.)
#include "Unattended.h"
#include "utils/win32/Handles.h"

namespace {

using namespace unattended;

const char* const OldName = "Global\\OrvaneUpdateUtility.Wizard";

struct TSquatter {
  const char* Kind;
  HANDLE (*Make)();
};

const TSquatter Squatters[] = {
    {"a held mutex", [] { return CreateMutexA(nullptr, TRUE, OldName); }},
    {"an event", [] { return CreateEventA(nullptr, TRUE, FALSE, OldName); }},
};

std::string LockFolder() {
  char Common[MAX_PATH] = {};
  GetEnvironmentVariableA("ProgramData", Common, MAX_PATH);
  return std::string(Common) + "\\Orvane Update Utility";
}

}  // namespace

TEST_F(Unattended, AnObjectOfTheOldLocksNameChangesNothing) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  for (const TSquatter& Squatter : Squatters) {
    SCOPED_TRACE(Squatter.Kind);
    const TKernelHandle Object(Squatter.Make());
    ASSERT_TRUE(Object) << "cannot make " << Squatter.Kind << ", error " << GetLastError();
    DWORD Code = 0;
    ASSERT_TRUE(RunToExit("/check \"/updates=" + WithoutBackslash(Updates) + "\" /log=\"" + LogPath() + "\"", Code));
    EXPECT_EQ(0u, Code) << "log:\n" << Log();
  }
}

TEST_F(Unattended, ALockThatCannotBeTakenIsItsOwnError) {
  // A plain file where the lock's folder belongs.
  const std::string Folder = LockFolder();
  DeleteFileA((Folder + "\\Wizard.lock").c_str());
  RemoveDirectoryA(Folder.c_str());
  WriteFileBytes(Folder, "not a folder");
  DWORD Code = 0;
  const bool Ran = RunToExit(Quiet(MakeUpdates(World().Root() + "updates", 0, 1)), Code);
  DeleteFileA(Folder.c_str());
  ASSERT_TRUE(Ran);
  EXPECT_EQ(1u, Code) << "log:\n" << Log();
  EXPECT_EQ(0u, Log().find("The update utility cannot make sure that it is the only copy running on this server: " +
                           Folder + ": is not a plain folder"))
      << Log();
  EXPECT_FALSE(EngineCopied());
}
