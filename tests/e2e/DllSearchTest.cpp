// The wizard runs elevated from whatever folder holds it: a DLL dropped
// beside it must never be loaded into it. The stand-in (FakeDll.cpp) takes the
// name of a shell extension DLL that Windows' shell loads by name late and
// Wine does not have, and records whether it was ever loaded. Under Wine the
// wizard's own use of the shell loads nothing late (Wine's system DLLs look in
// System32 first and the wizard links all it needs), so after the folder
// dialog has been open the probe loads that name inside the wizard's process
// the way a shell component does.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Files.h"
#include "RemoteBuffer.h"
#include "RemoteCall.h"
#include "WizardFixture.h"
#include "WizardProbe.h"

namespace {

class DllSearch : public TWizardTest {};

const char* const ShellExtension = "ntshrui.dll";

}  // namespace

TEST_F(DllSearch, ADllBesideTheWizardIsNeverLoaded) {
  const std::string Fake = World().WizardDir() + ShellExtension;
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "e2e_fake_dll.dll").c_str(), Fake.c_str(), FALSE))
      << "cannot place the stand-in DLL, error " << GetLastError();
  ASSERT_TRUE(StartWizard());
  ASSERT_TRUE(Move("btNext", "TabSheet1"));

  TWizardDriver& W = Wizard();
  W.Click("btUpdateFilesPathBrowse");
  std::optional<TMessageBox> Dialog = W.WaitMessageBox();
  ASSERT_TRUE(Dialog) << "no folder dialog opened";
  EXPECT_TRUE(W.Answer(*Dialog, IDCANCEL)) << OpenBoxes();
  Settle();

  TRemoteBuffer Name(W.Process().Handle(), MAX_PATH);
  Name.Write(0, ShellExtension, strlen(ShellExtension) + 1);
  // Not found at all: the folder beside the wizard was never searched (a
  // stand-in found there would have refused to stay, ERROR_DLL_INIT_FAILED).
  EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND),
            CallProbe(W.Process().Handle(), WIZARD_PROBE_LOAD_BY_NAME, Name.At(0)))
      << "the probe did not report a search that found nothing";
  EXPECT_TRUE(W.Running());
  EXPECT_FALSE(FileExists(Fake + ".loaded")) << "the wizard loaded " << Fake;
}
