#include "wizard/win32/WindowResources.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "resource.h"
#include "wizard/ArtworkScale.h"
#include "wizard/Layout.h"
#include "wizard/PictureResample.h"

namespace {
constexpr COLORREF KeyColour = RGB(255, 0, 255);
constexpr uint32_t KeyColourRgb = 0xFF00FF;  // the same as TPixels holds it

HFONT MakeFont(int Points, bool Bold, int Dpi) {
  LOGFONTA Lf = {};
  Lf.lfHeight = -MulDiv(Points, Dpi, 72);
  Lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
  Lf.lfCharSet = DEFAULT_CHARSET;
  Lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(Lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&Lf);
}

HBITMAP LoadBitmapResource(HINSTANCE Instance, int Id) {
  return static_cast<HBITMAP>(LoadImageA(Instance, MAKEINTRESOURCEA(Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Bitmap and pixels as 32-bit top-down rows, the layout TPixels holds.
BITMAPINFO TopDown32(int Width, int Height) {
  BITMAPINFO Bi = {};
  Bi.bmiHeader.biSize = sizeof(Bi.bmiHeader);
  Bi.bmiHeader.biWidth = Width;
  Bi.bmiHeader.biHeight = -Height;
  Bi.bmiHeader.biPlanes = 1;
  Bi.bmiHeader.biBitCount = 32;
  Bi.bmiHeader.biCompression = BI_RGB;
  return Bi;
}

// Another size of a bitmap, averaged smoothly; magenta stays a clean hole
// in a Keyed one.
HBITMAP Resized(HBITMAP Bitmap, int Width, int Height, bool Keyed) {
  BITMAP Bm = {};
  GetObject(Bitmap, sizeof(Bm), &Bm);
  TPixels From{Bm.bmWidth, Bm.bmHeight, std::vector<uint32_t>(static_cast<size_t>(Bm.bmWidth) * Bm.bmHeight)};
  BITMAPINFO Bi = TopDown32(Bm.bmWidth, Bm.bmHeight);
  const int Rows = GetDIBits(WindowDc(nullptr).Get().Dc, Bitmap, 0, Bm.bmHeight, From.Rgb.data(), &Bi, DIB_RGB_COLORS);
  if (Rows != Bm.bmHeight) return nullptr;
  for (uint32_t& Px : From.Rgb) Px &= 0xFFFFFF;
  const TPixels To =
      Keyed ? ResampleKeyedPixels(From, Width, Height, KeyColourRgb) : ResamplePixels(From, Width, Height);
  Bi = TopDown32(Width, Height);
  void* Bits = nullptr;
  HBITMAP Made = CreateDIBSection(nullptr, &Bi, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (Made && Bits) memcpy(Bits, To.Rgb.data(), To.Rgb.size() * sizeof(uint32_t));
  return Made;
}

// The picture drawn for the scale that suits Dpi, at the size it is shown
// at there: as shipped at 96, 144 and 192 DPI, made smaller from the next
// larger scale between them (larger from the largest above 192).
HBITMAP LoadPicture(HINSTANCE Instance, int Id, int Dpi, bool Keyed) {
  const int Scale = ArtworkScaleForDpi(Dpi);
  TGdiObject<HBITMAP> Bmp(LoadBitmapResource(Instance, ArtworkResourceId(Id, Scale)));
  if (!Bmp) return nullptr;
  BITMAP Bm = {};
  GetObject(Bmp.Get(), sizeof(Bm), &Bm);
  const int W = ScaleToDpi(ArtworkDesignSize(Bm.bmWidth, Scale), Dpi);
  const int H = ScaleToDpi(ArtworkDesignSize(Bm.bmHeight, Scale), Dpi);
  if (W == Bm.bmWidth && H == Bm.bmHeight) return Bmp.Release();
  return Resized(Bmp.Get(), W, H, Keyed);
}

// Black text on a light background, white on a dark one: some themes make
// the inactive caption text colour dark enough to hide black text.
COLORREF ReadableTextOn(COLORREF Background) {
  int Luma = (GetRValue(Background) * 299 + GetGValue(Background) * 587 + GetBValue(Background) * 114) / 1000;
  return Luma < 128 ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT);
}
}  // namespace

void TImageList::LoadMasked(HINSTANCE Instance, int BitmapId, int Size, int Dpi) {
  const int Scaled = ScaleToDpi(Size, Dpi);
  Reset(ImageList_Create(Scaled, Scaled, ILC_COLOR24 | ILC_MASK, 1, 0));
  const TGdiObject<HBITMAP> Bmp(LoadPicture(Instance, BitmapId, Dpi, true));
  if (!Bmp) return;
  ImageList_AddMasked(Get(), Bmp.Get(), KeyColour);
}

void TWindowResources::Load(HINSTANCE Instance, int Dpi) {
  Normal.Reset(MakeFont(8, false, Dpi));
  Bold.Reset(MakeFont(8, true, Dpi));
  Small.Reset(MakeFont(6, false, Dpi));
  Teal.Reset(CreateSolidBrush(RGB(0, 128, 128)));
  COLORREF Info = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  InfoBackground.Reset(CreateSolidBrush(Info));
  InfoText = ReadableTextOn(Info);
  Picture.Reset(LoadPicture(Instance, IDB_PICTURE, Dpi, false));
  Logo.Reset(LoadPicture(Instance, IDB_LOGO, Dpi, true));
  DrivePictures[2].Reset(LoadPicture(Instance, IDB_DRIVE_REMOVABLE, Dpi, true));
  DrivePictures[3].Reset(LoadPicture(Instance, IDB_DRIVE_FIXED, Dpi, true));
  DrivePictures[4].Reset(LoadPicture(Instance, IDB_DRIVE_REMOTE, Dpi, true));
  DrivePictures[5].Reset(LoadPicture(Instance, IDB_DRIVE_CDROM, Dpi, true));
  DrivePictures[6].Reset(LoadPicture(Instance, IDB_DRIVE_RAM, Dpi, true));
  UpdateGlyph.LoadMasked(Instance, IDB_UPDATE_GLYPH, 32, Dpi);
  PrevGlyph.LoadMasked(Instance, IDB_GLYPH_PREV, 16, Dpi);
  NextGlyph.LoadMasked(Instance, IDB_GLYPH_NEXT, 16, Dpi);
  ExitGlyph.LoadMasked(Instance, IDB_GLYPH_EXIT, 16, Dpi);
}

void DrawBitmap(HDC Dc, HBITMAP Bitmap, int X, int Y, int Width, int Height, bool Transparent) {
  if (!Bitmap) return;
  BITMAP Bm = {};
  GetObject(Bitmap, sizeof(Bm), &Bm);
  const int W = Bm.bmWidth < Width ? Bm.bmWidth : Width, H = Bm.bmHeight < Height ? Bm.bmHeight : Height;
  if (W <= 0 || H <= 0) return;
  const TMemoryDc Mem(CreateCompatibleDC(Dc));
  const TSelection Picture = SelectInto(Mem.Get(), Bitmap);
  if (Transparent)
    GdiTransparentBlt(Dc, X, Y, W, H, Mem.Get(), 0, 0, W, H, KeyColour);
  else
    BitBlt(Dc, X, Y, W, H, Mem.Get(), 0, 0, SRCCOPY);
}
