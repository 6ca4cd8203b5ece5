// The wizard runs elevated from whatever folder holds it: a DLL dropped
// beside it must never be loaded into it. The stand-ins (FakeDll.cpp) record
// whether they were ever loaded.
//
// The DLLs the wizard needs beyond Windows' known DLLs come from System32
// only. Windows searches the program's folder first for a DLL outside its
// known-DLL list; Wine does the same for a DLL set to load native first, so
// stand-ins take the names of those DLLs. Wine has no known-DLL list, so what
// it shows here is the search, not the list.
//
// A shell extension DLL that Windows' shell loads by name late, and that Wine
// does not have, is planted too. Under Wine the wizard's own use of the shell
// loads nothing late (Wine's system DLLs look in System32 first and the
// wizard links all it needs), so after the folder dialog has been open the
// probe loads that name inside the wizard's process the way a shell
// component does.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Files.h"
#include "RemoteBuffer.h"
#include "RemoteCall.h"
#include "WizardFixture.h"
#include "WizardProbe.h"

namespace {

class DllSearch : public TWizardTest {
 protected:
  void ExpectNoneLoaded() {
    for (const char* Name : Planted)
      EXPECT_FALSE(FileExists(World().WizardDir() + Name + ".loaded")) << "the wizard loaded its folder's " << Name;
  }
  static constexpr const char* Planted[] = {"mpr.dll", "msimg32.dll", "oleacc.dll", "ntshrui.dll"};
};

const char* const ShellExtension = "ntshrui.dll";

std::string Lower(std::string Text) {
  CharLowerA(&Text[0]);
  return Text;
}

}  // namespace

TEST_F(DllSearch, ADllBesideTheWizardIsNeverLoaded) {
  for (const char* Name : Planted)
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "e2e_fake_dll.dll").c_str(), (World().WizardDir() + Name).c_str(), FALSE))
        << "cannot place " << Name << ", error " << GetLastError();
  World().SetEnv("WINEDLLOVERRIDES", "mpr,msimg32,oleacc=n,b;mscoree=;mshtml=");
  const std::string Folder = World().MakeUpdateFolder("plant", {{"Orvane-3.1.0.0.oue"}});
  const bool Started = StartWizard();
  ExpectNoneLoaded();
  ASSERT_TRUE(Started);
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
  ExpectNoneLoaded();

  // The drive list names network shares (mpr), the transparent pictures are
  // drawn, and a control is asked for its accessible object (oleacc).
  SCOPED_TRACE("NoDllBesideTheWizardIsLoadedWhenItsFunctionsAreUsed");
  W.SetText("edUpdateFilesPath", Folder);
  ASSERT_TRUE(Move("btNext", "TabSheet2"));
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  DWORD_PTR Object = 0;
  SendMessageTimeoutA(W.Control("cbSnapshotDrive"), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_NORMAL,
                      5000, &Object);
  Settle();
  ExpectNoneLoaded();
  char System[MAX_PATH] = {};
  GetSystemDirectoryA(System, MAX_PATH);
  for (const char* Name : {"mpr.dll", "oleacc.dll"})
    EXPECT_EQ(Lower(std::string(System) + "\\" + Name), Lower(RemoteModulePath(W.Process().Handle(), Name)))
        << "the wizard did not use " << Name;
}
