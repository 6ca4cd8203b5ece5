// Pictures of the wizard for the build's artifacts: what each page looks like
// in each language, and what the window showed when a test failed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The folder named by the environment variable OUPDATE_ARTIFACTS, else
// ".\artifacts"; created when missing. Throws TDriverError when it cannot be.
std::string ArtifactsFolder();

// Saves the part of the screen covered by Windows (their outer rectangles)
// as a 24-bit .bmp file. Waits until two captures in a row agree, so the
// picture shows the windows after their last repaint. Throws TDriverError.
void SaveScreenArea(const std::vector<HWND>& Windows, const std::string& Path);
