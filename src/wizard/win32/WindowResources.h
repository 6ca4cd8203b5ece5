// Fonts, brushes and pictures of the wizard window, owned for its lifetime.
#pragma once
#include <windows.h>
#include <commctrl.h>

template <typename T>
class TGdiHandle {
 public:
  TGdiHandle() = default;
  explicit TGdiHandle(T h) : FHandle(h) {}
  ~TGdiHandle() { Reset(); }
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;
  void Reset(T h = nullptr) {
    if (FHandle) DeleteObject(FHandle);
    FHandle = h;
  }
  T Get() const { return FHandle; }
  operator T() const { return FHandle; }

 private:
  T FHandle = nullptr;
};

class TImageList {
 public:
  TImageList() = default;
  ~TImageList() { if (FList) ImageList_Destroy(FList); }
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;
  // A list with one picture of Size x Size at 96 DPI, in the artwork made
  // for Dpi; magenta drawn transparent.
  void LoadMasked(HINSTANCE Instance, int BitmapId, int Size, int Dpi);
  HIMAGELIST Get() const { return FList; }

 private:
  HIMAGELIST FList = nullptr;
};

struct TWindowResources {
  TGdiHandle<HFONT> Normal, Bold, Small;
  TGdiHandle<HBRUSH> Teal;
  TGdiHandle<HBRUSH> InfoBackground;
  COLORREF InfoText = 0;
  TGdiHandle<HBITMAP> Picture, Logo;
  TGdiHandle<HBITMAP> DrivePictures[7];  // by drive type
  TImageList UpdateGlyph, PrevGlyph, NextGlyph, ExitGlyph;

  // Pictures come in the artwork made for Dpi, at the size they are shown
  // at: loaded again when the DPI changes.
  void Load(HINSTANCE Instance, int Dpi);
};

// Draws a bitmap that Load made for Dpi at (X, Y), pixel for pixel, cut to
// Width x Height, magenta pixels left out when Transparent. (Dpi is the one
// the bitmap was loaded for; it is already at its size there.)
void DrawBitmap(HDC Dc, HBITMAP Bitmap, int X, int Y, int Width, int Height, bool Transparent, int Dpi);
