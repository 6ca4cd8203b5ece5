// The base of every end-to-end test: a clean node world named after the test,
// seeded as the usual node, with the wizard and the engine simulator in their
// folder. A failing test leaves a picture of the window in the artifacts.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Driver.h"
#include "World.h"

class TWizardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the wizard from its folder (also its working folder) with the
  // world's environment, and waits for its window.
  //   ASSERT_TRUE(StartWizard());
  ::testing::AssertionResult StartWizard(const std::string& Args = "");

  TWorld& World() { return *FWorld; }
  TWizardDriver& Wizard() { return FWizard; }
  // "Suite.Name" of the running test, for folder and picture names.
  static std::string TestName();
  // The wizard's open message boxes, for failure messages.
  std::string OpenBoxes() const;
  // Waits until the wizard's thread has handled everything before this call,
  // so a page entry that is still running is not read half done.
  void Settle();
  // Clicks Button and waits for Page; a failure says where the click led.
  ::testing::AssertionResult Move(const char* Button, const std::string& Page);

 private:
  std::unique_ptr<TWorld> FWorld;
  TWizardDriver FWizard;  // ends before the world is reset
};
