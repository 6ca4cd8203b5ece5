// An unattended run and a preflight check refuse a node whose wizard folder,
// OUpdate.exe or oue.exe others may change, whatever /acceptwarnings says;
// the log's first line names what and by whom. Under Wine "others" is
// Everyone, from the mode bits; the other accounts are decided natively.
#include "Unattended.h"

using namespace unattended;

namespace {

std::string WritableHead(const std::string& Items) {
  return "Users other than the administrators can change what the update runs with administrator rights: " + Items +
         ".";
}

TEST_F(Unattended, FilesOthersMayChangeAreRefusedWhateverTheWarnings) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  const std::string Check = "/check /updates=\"" + WithoutBackslash(Updates) + "\" /log=\"" + LogPath() + "\"";
  TWorld::LetEveryoneWrite(World().EngineExe());
  ExpectOutcome(Quiet(Updates) + " /acceptwarnings", 1, WritableHead(World().EngineExe() + " (Everyone)"));
  TWorld::LetEveryoneWrite(World().WizardDir());
  ExpectOutcome(Check + " /acceptwarnings", 1,
                WritableHead(World().WizardDir() + " (Everyone), " + World().EngineExe() + " (Everyone)"));
  EXPECT_FALSE(EngineCopied());

  // Given back the access list the playbook sets, the same node updates.
  World().InstallWizard();
  ExpectOutcome(Quiet(Updates), 0, "Congratulations!");
}

}  // namespace
