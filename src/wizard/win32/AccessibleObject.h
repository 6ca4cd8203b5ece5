// Names for screen readers through Active Accessibility, and announcements
// of what changes while the operator waits.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Answers the screen reader's question for Control's client object with the
// standard object of its kind, except that the name is Name() (ANSI text,
// read whenever asked, so it follows the language). Lasts as long as Control.
void GiveAccessibleName(HWND Control, std::function<std::string()> Name);

// Tells screen readers that Control's name changed and that it is a region
// to be read out as it changes (a live region).
void AnnounceChange(HWND Control);
