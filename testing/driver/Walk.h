// The way to an engine run, as an operator goes it on a seeded node: the
// wizard opened, the first page, the update-files folder, the update list,
// the snapshot drive when it is offered, and Start. The end-to-end tests, the
// demo's operator and the benchmark all go it through here. A walk that gets
// stuck throws TDriverError saying where the wizard stood and which boxes
// were open.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "Driver.h"
#include "World.h"

// A run of the simulator with no pause between lines ends in well under a
// second; the end is noticed within the wizard's one-second timer.
constexpr DWORD RunTimeoutMs = 30000;

// The wizard's open message boxes, one a line ("no message box open" when
// there is none), for failure messages.
std::string DescribeMessageBoxes(const TWizardDriver& Wizard);

// Launches Exe and waits for its window.
void OpenWizard(TWizardDriver& Wizard, const std::string& Exe, const std::string& Args, const TEnvironment& Env,
                const std::string& WorkDir, DWORD TimeoutMs = DefaultTimeoutMs);
// The world's wizard, from its folder (also its working folder), with the
// world's environment.
void OpenWizard(TWizardDriver& Wizard, TWorld& World, const std::string& Args = "");

// Update files Orvane-3.1.0.<First> ... <Last> in Folder (created when missing,
// blanks in its name allowed); returns Folder with a trailing backslash.
// Update 0 among them brings the snapshot page.
std::string MakeUpdates(const std::string& Folder, int First, int Last);

// Called on every page of the walk once it may be left (TabSheet0, 1, 2, 3
// when it comes, and 5), for pictures and reports.
using TPageVisit = std::function<void(const std::string& Page)>;

// Goes from the first page to the page before the run (TabSheet5). Language
// is the index in cbLocale, picked on the first page (0 keeps English).
// Returns whether the snapshot page (TabSheet3) came on the way.
bool GoToStartPage(TWizardDriver& Wizard, const std::string& UpdateFolder, int Language = 0,
                   const TPageVisit& OnPage = {});

// Presses Start and waits until the run has begun (TabSheet6) or already
// ended (TabSheet7); returns that page.
std::string ClickStart(TWizardDriver& Wizard, DWORD TimeoutMs = DefaultTimeoutMs);

// Waits for the result page (TabSheet7).
void WaitForResultPage(TWizardDriver& Wizard, DWORD TimeoutMs = RunTimeoutMs);

// Types Text into the engine's input line (never shown, always there) and
// presses Enter on it, as the wizard passes operator lines to the engine.
void SendOperatorLine(TWizardDriver& Wizard, const std::string& Text);
