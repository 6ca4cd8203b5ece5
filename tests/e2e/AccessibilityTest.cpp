// What a screen reader gets from the wizard through Active Accessibility:
// a name for every control the keyboard reaches, and an announcement of each
// new section and of the result while a run goes on.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "RunWalk.h"
#include "WizardFixture.h"

using namespace runwalk;

namespace {

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

// Spelled out: MinGW's import library does not hold the right value.
const IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class Accessibility : public TWizardTest {
 protected:
  void SetUp() override {
    TWizardTest::SetUp();
    CoInitialize(nullptr);
  }
  void TearDown() override {
    TWizardTest::TearDown();
    CoUninitialize();
  }

  // The name a screen reader reads for the control, "(no object)" when it
  // cannot get at the control at all.
  std::string NameOf(const char* Control) {
    IAccessible* Object = nullptr;
    const HRESULT Got = AccessibleObjectFromWindow(Wizard().Control(Control), static_cast<DWORD>(OBJID_CLIENT),
                                                   AccessibleIid, reinterpret_cast<void**>(&Object));
    if (FAILED(Got) || !Object) return "(no object: " + std::to_string(static_cast<unsigned long>(Got)) + ")";
    VARIANT Self;
    VariantInit(&Self);
    Self.vt = VT_I4;
    Self.lVal = CHILDID_SELF;
    BSTR Name = nullptr;
    std::string Result;
    if (SUCCEEDED(Object->get_accName(Self, &Name)) && Name) {
      char Text[1024] = {};
      WideCharToMultiByte(CP_ACP, 0, Name, -1, Text, sizeof Text, nullptr, nullptr);
      Result = Text;
      SysFreeString(Name);
    }
    Object->Release();
    return Result;
  }
};

// Announcements by control, gathered from the wizard's process.
std::map<HWND, int> Announced;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD, HWND Hwnd, LONG Object, LONG, DWORD, DWORD) {
  if (Object == OBJID_CLIENT) ++Announced[Hwnd];
}

}  // namespace

// The names are read on the way to the run, which then announces itself.
TEST_F(Accessibility, EveryControlTheKeyboardReachesHasAName) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 3);
  // The page shows what the engine says once per pass of its loop: with a
  // pause after each line every section is shown, and so announced.
  World().SetEngineDelayMs(60);
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  // Page by page; controls of hidden pages are read on their own page.
  const struct {
    const char* Page;
    const char* Control;
    const char* Name;  // nullptr: any name but an empty one
  } Cases[] = {
      {"TabSheet0", "cbLocale", "Language / Sprache / Langue / Idioma"},
      {"TabSheet0", "btUpdateSystem", "Update Orvane System"},
      {"TabSheet0", "btNext", nullptr},
      {"TabSheet0", "btExit", nullptr},
      {"TabSheet0", "sbarProgress", "Progress 0%"},
      {"TabSheet1", "edUpdateFilesPath", "Please specify where the updates are stored"},
      {"TabSheet1", "btUpdateFilesPathBrowse", "Please specify where the updates are stored"},
      {"TabSheet1", "btPrev", nullptr},
      {"TabSheet2", "grdUpdateFileList", "List of files"},
      {"TabSheet3", "cbSnapshotDrive", nullptr},
  };
  std::string Page = "TabSheet0";
  for (const auto& Case : Cases) {
    if (Page != Case.Page) {
      if (Case.Page == std::string("TabSheet2")) W.SetText("edUpdateFilesPath", Updates);
      ASSERT_TRUE(Move("btNext", Case.Page));
      Page = Case.Page;
    }
    const std::string Name = NameOf(Case.Control);
    if (Case.Name)
      EXPECT_EQ(Case.Name, Name) << Case.Control;
    else
      EXPECT_FALSE(Name.empty() || Name.rfind("(no object", 0) == 0) << Case.Control << " has no name";
  }
  EXPECT_EQ(W.Text("lbSnapshotDriveTitle"), NameOf("cbSnapshotDrive"));

  SCOPED_TRACE("TheRunAnnouncesEachSectionAndTheResult");
  Announced.clear();
  HWINEVENTHOOK Hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                       OnWinEvent, GetProcessId(W.Process().Handle()), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(Hook);
  ASSERT_TRUE(Move("btNext", "TabSheet5"));
  ASSERT_TRUE(PressStart(W));
  ASSERT_TRUE(WaitResultPage(W));
  Settle();
  // The events wait in this thread's queue until it looks at its messages.
  MSG Msg;
  for (int Pass = 0; Pass < 20; ++Pass) {
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);
    Sleep(50);
  }
  UnhookWinEvent(Hook);
  // The snapshot and four updates: five sections.
  EXPECT_GE(Announced[W.Control("lbCurrentStepTitle")], 5);
  EXPECT_EQ(1, Announced[W.Control("txtCompletionStatusInfo")]);
  EXPECT_EQ(W.Text("txtCompletionStatusInfo").substr(0, W.Text("txtCompletionStatusInfo").find('\r')),
            NameOf("txtCompletionStatusInfo"));
}
