// The last word of an unattended run that something unexpected cut short:
// no crash box waits for nobody, and the fleet tool still finds a log whose
// first line names the exit code the process ends with.
#pragma once
#include <string>

#include "wizard/LaunchOptions.h"

// From the first line of WinMain in an unattended mode: the system shows no
// box of its own (critical errors, a crash, a file not found), and an
// exception nobody handles, structured or C++, ends in ReportUnexpected.
void ArmUnattendedSafety(const TLaunchOptions& Options);
// The copies into the support folder have begun: from here on an unexpected
// end is a failed update (1603), before it nothing was done (1).
void NoteUpdateAttempted();
// Writes the log's head and What, and returns the exit code to end with.
int ReportUnexpected(const std::string& What);
