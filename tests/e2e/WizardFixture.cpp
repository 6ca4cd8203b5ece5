#include "WizardFixture.h"

#include <iostream>
#include <sstream>

#include "DriverError.h"
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
  FWorld.reset();
}

::testing::AssertionResult TWizardTest::StartWizard(const std::string& Args) {
  try {
    FWizard.Launch(World().WizardExe(), Args, World().Environment(), World().WizardDir());
  } catch (const TDriverError& Error) {
    return ::testing::AssertionFailure() << Error.what();
  }
  std::string Why;
  if (!FWizard.WaitWindow(DefaultTimeoutMs, &Why))
    return ::testing::AssertionFailure() << "the wizard's window did not open: " << Why << "\n  command line: "
                                         << FWizard.Process().CommandLine() << "\n  " << OpenBoxes();
  return ::testing::AssertionSuccess();
}

std::string TWizardTest::OpenBoxes() const {
  std::ostringstream Out;
  std::vector<TMessageBox> Boxes = FWizard.MessageBoxes();
  if (Boxes.empty()) return "no message box open";
  for (const TMessageBox& Box : Boxes) Out << Box << "\n";
  return Out.str();
}

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
