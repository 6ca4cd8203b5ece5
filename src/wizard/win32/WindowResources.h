// Fonts, brushes and pictures of the wizard window, owned for its lifetime.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "utils/win32/Handles.h"

class TImageList : public TImageListHandle {
 public:
  // A list with one picture of Size x Size at 96 DPI, in the artwork made
  // for Dpi; magenta drawn transparent.
  void LoadMasked(HINSTANCE Instance, int BitmapId, int Size, int Dpi);
};

struct TWindowResources {
  TGdiObject<HFONT> Normal, Bold, Small;
  TGdiObject<HBRUSH> Teal;
  TGdiObject<HBRUSH> InfoBackground;
  COLORREF InfoText = 0;
  TGdiObject<HBITMAP> Picture, Logo;
  TGdiObject<HBITMAP> DrivePictures[7];  // by drive type
  TImageList UpdateGlyph, PrevGlyph, NextGlyph, ExitGlyph;

  // Pictures come in the artwork made for Dpi, at the size they are shown
  // at: loaded again when the DPI changes.
  void Load(HINSTANCE Instance, int Dpi);
};

// Draws a bitmap that Load made (already at its size for the window's DPI)
// at (X, Y), pixel for pixel, cut to Width x Height, magenta pixels left out
// when Transparent.
void DrawBitmap(HDC Dc, HBITMAP Bitmap, int X, int Y, int Width, int Height, bool Transparent);
