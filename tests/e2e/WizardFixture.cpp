#include "WizardFixture.h"

#include <iostream>

#include "Files.h"
#include "Walk.h"
#include "WindowMessages.h"

std::string TWizardTest::TestName() {
  const ::testing::TestInfo* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  return Info == nullptr ? std::string("NoTest") : std::string(Info->test_suite_name()) + "." + Info->name();
}

void TWizardTest::SetUp() {
  FWorld = std::make_unique<TWorld>(TestName());
  FWorld->SeedTypicalNode();
  FWorld->InstallWizard();
}

void TWizardTest::TearDown() {
  if (HasFailure() && FWizard.Window() != nullptr) {
    try {
      // Parameterized tests have "/" in their names; the picture belongs beside the others.
      std::string Name = TestName();
      for (char& C : Name)
        if (C == '/' || C == '\\') C = '_';
      std::string Path = FWizard.Screenshot(Name + "-failure.bmp");
      std::cout << "picture of the wizard at the failure: " << Path << "\n";
    } catch (const TDriverError& Error) {
      std::cout << "no picture of the failure: " << Error.what() << "\n";
    }
  }
  FWizard.Kill();
  FOtherEngine.Kill();
  FWorld.reset();
}

::testing::AssertionResult TWizardTest::StartWizard(const std::string& Args) {
  return Asserted([&] { OpenWizard(FWizard, World(), Args); });
}

std::string TWizardTest::OpenBoxes() const { return DescribeMessageBoxes(FWizard); }

void TWizardTest::Settle() { SendToWindow(FWizard.Window(), WM_NULL, 0, 0, "WM_NULL"); }

::testing::AssertionResult TWizardTest::Move(const char* Button, const std::string& Page) {
  FWizard.Click(Button);
  const std::string Seen = FWizard.WaitPage(Page);
  if (Seen != Page)
    return ::testing::AssertionFailure() << Button << " led to \"" << Seen << "\" instead of " << Page << "; "
                                         << OpenBoxes();
  Settle();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TWizardTest::ShowUpdateList(const std::string& Folder) {
  ::testing::AssertionResult Moved = Move("btNext", "TabSheet1");
  if (!Moved) return Moved;
  FWizard.SetText("edUpdateFilesPath", Folder);
  return Move("btNext", "TabSheet2");
}

::testing::AssertionResult TWizardTest::StartOtherEngine(const std::string& Exe) {
  const std::string Folder = World().Root() + "other\\";
  if (!MakeDirectories(Folder) ||
      !CopyFileA((ProgramFolder() + "e2e_tests.exe").c_str(), (Folder + Exe).c_str(), FALSE))
    return ::testing::AssertionFailure() << "cannot place another " << Exe << " in " << Folder;
  return Asserted([&] { FOtherEngine.Launch(Folder + Exe, "--harness-child-sleep", {}, Folder); });
}
