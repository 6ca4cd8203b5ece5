// The DLLs the wizard needs beyond Windows' known DLLs come from System32
// only. Windows searches the program's folder first for a DLL outside its
// known-DLL list; Wine does the same for a DLL set to load native first, so
// the stand-ins (FakeDll.cpp) beside the wizard take the names of those DLLs
// and record whether they were ever loaded. Wine has no known-DLL list, so
// what it shows here is the search, not the list.
#include <gtest/gtest.h>

#include <string>

#include "Files.h"
#include "RemoteCall.h"
#include "WizardFixture.h"

namespace {

class DllPlant : public TWizardTest {};

const char* const Planted[] = {"mpr.dll", "msimg32.dll", "oleacc.dll"};

std::string Lower(std::string Text) {
  CharLowerA(&Text[0]);
  return Text;
}

}  // namespace

TEST_F(DllPlant, NoDllBesideTheWizardIsLoadedWhenItsFunctionsAreUsed) {
  for (const char* Name : Planted)
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "e2e_fake_dll.dll").c_str(), (World().WizardDir() + Name).c_str(), FALSE))
        << "cannot place " << Name << ", error " << GetLastError();
  World().SetEnv("WINEDLLOVERRIDES", "mpr,msimg32,oleacc=n,b;mscoree=;mshtml=");
  const std::string Folder = World().MakeUpdateFolder("plant", {{"Orvane-3.1.0.0.oue"}});
  const bool Started = StartWizard();
  for (const char* Name : Planted)
    EXPECT_FALSE(FileExists(World().WizardDir() + Name + ".loaded")) << "the wizard loaded its folder's " << Name;
  ASSERT_TRUE(Started);

  // The drive list names network shares (mpr), the transparent pictures are
  // drawn, and a control is asked for its accessible object (oleacc).
  TWizardDriver& W = Wizard();
  ASSERT_TRUE(ShowUpdateList(Folder));
  ASSERT_TRUE(Move("btNext", "TabSheet3"));
  DWORD_PTR Object = 0;
  SendMessageTimeoutA(W.Control("cbSnapshotDrive"), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_NORMAL,
                      5000, &Object);
  Settle();
  for (const char* Name : Planted)
    EXPECT_FALSE(FileExists(World().WizardDir() + Name + ".loaded")) << "the wizard loaded its folder's " << Name;
  char System[MAX_PATH] = {};
  GetSystemDirectoryA(System, MAX_PATH);
  for (const char* Name : {"mpr.dll", "oleacc.dll"})
    EXPECT_EQ(Lower(std::string(System) + "\\" + Name), Lower(RemoteModulePath(W.Process().Handle(), Name)))
        << "the wizard did not use " << Name;
}
