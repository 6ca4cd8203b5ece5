// Measuring texts and fitting controls to them: the one place where the
// wizard asks how much room a text takes.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

// Width and height of Text as one line in Font, as Window draws it ("&"
// drawn as it is).
SIZE TextExtent(HWND Window, HFONT Font, const std::string& Text);

// Width of a control's caption in its own font, "&" taken as an access-key
// mark when AccessKeys.
int CaptionWidth(HWND Control, bool AccessKeys);

// A button shows its picture beside its caption only while both fit in it;
// Always: the picture is the button's face.
void FitButtonGlyph(HWND Button, HIMAGELIST Glyph, UINT Align, bool Always, int Dpi);

// A memo shows its vertical scroll bar only while its text is taller than it.
void FitMemoScrollBar(HWND Memo);
