// The base of every end-to-end test: a clean node world named after the test,
// seeded as the usual node, with the wizard and the engine simulator in their
// folder. A failing test leaves a picture of the window in the artifacts.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Driver.h"
#include "DriverError.h"
#include "World.h"

// A step of the driver (which throws TDriverError when the wizard does not
// do what it asks) as an assertion whose failure message is the error's.
//   ASSERT_TRUE(Asserted([&] { ClickStart(Wizard()); }));
template <class TStep>
::testing::AssertionResult Asserted(TStep&& Step) {
  try {
    Step();
  } catch (const TDriverError& Error) {
    return ::testing::AssertionFailure() << Error.what();
  }
  return ::testing::AssertionSuccess();
}

// Runs the check Name(), a member of the fixture, in a test where one wizard
// carries several checks: Name is in the trace of each of its failures, and
// a fatal failure ends that check only.
//   ASSERT_TRUE(StartWizard());
//   WIZARD_CHECK(OpensOnTheWelcomePage);
#define WIZARD_CHECK(Name) \
  do {                     \
    SCOPED_TRACE(#Name);   \
    Name();                \
  } while (false)

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
  // From the first page over the folder page to the update list of Folder.
  ::testing::AssertionResult ShowUpdateList(const std::string& Folder);
  // Another engine, running from a folder of its own until the test ends or
  // StopOtherEngine: this test program's sleeping child under the name Exe.
  ::testing::AssertionResult StartOtherEngine(const std::string& Exe = "oue.exe");
  void StopOtherEngine() { FOtherEngine.Kill(); }

 private:
  std::unique_ptr<TWorld> FWorld;
  TWizardDriver FWizard;  // ends before the world is reset
  TChildProcess FOtherEngine;
};
