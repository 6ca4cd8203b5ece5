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
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(Points, Dpi, 72);
  lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

HBITMAP LoadBitmapResource(HINSTANCE Instance, int Id) {
  return static_cast<HBITMAP>(
      LoadImageA(Instance, MAKEINTRESOURCEA(Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Bitmap and pixels as 32-bit top-down rows, the layout TPixels holds.
BITMAPINFO TopDown32(int Width, int Height) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = Width;
  bi.bmiHeader.biHeight = -Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// Another size of a bitmap, averaged smoothly; magenta stays a clean hole
// in a Keyed one.
HBITMAP Resized(HBITMAP Bitmap, int Width, int Height, bool Keyed) {
  BITMAP bm = {};
  GetObject(Bitmap, sizeof(bm), &bm);
  TPixels from{bm.bmWidth, bm.bmHeight, std::vector<uint32_t>(static_cast<size_t>(bm.bmWidth) * bm.bmHeight)};
  BITMAPINFO bi = TopDown32(bm.bmWidth, bm.bmHeight);
  const int rows = GetDIBits(WindowDc(nullptr).Get().Dc, Bitmap, 0, bm.bmHeight, from.Rgb.data(), &bi, DIB_RGB_COLORS);
  if (rows != bm.bmHeight) return nullptr;
  for (uint32_t& px : from.Rgb) px &= 0xFFFFFF;
  const TPixels to = Keyed ? ResampleKeyedPixels(from, Width, Height, KeyColourRgb) : ResamplePixels(from, Width, Height);
  bi = TopDown32(Width, Height);
  void* bits = nullptr;
  HBITMAP made = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (made && bits) memcpy(bits, to.Rgb.data(), to.Rgb.size() * sizeof(uint32_t));
  return made;
}

// The picture drawn for the scale that suits Dpi, at the size it is shown
// at there: as shipped at 96, 144 and 192 DPI, made smaller from the next
// larger scale between them (larger from the largest above 192).
HBITMAP LoadPicture(HINSTANCE Instance, int Id, int Dpi, bool Keyed) {
  const int scale = ArtworkScaleForDpi(Dpi);
  TGdiHandle<HBITMAP> bmp(LoadBitmapResource(Instance, ArtworkResourceId(Id, scale)));
  if (!bmp) return nullptr;
  BITMAP bm = {};
  GetObject(bmp.Get(), sizeof(bm), &bm);
  const int w = ScaleToDpi(ArtworkDesignSize(bm.bmWidth, scale), Dpi);
  const int h = ScaleToDpi(ArtworkDesignSize(bm.bmHeight, scale), Dpi);
  if (w == bm.bmWidth && h == bm.bmHeight) return bmp.Release();
  return Resized(bmp.Get(), w, h, Keyed);
}

// Black text on a light background, white on a dark one: some themes make
// the inactive caption text colour dark enough to hide black text.
COLORREF ReadableTextOn(COLORREF Background) {
  int luma = (GetRValue(Background) * 299 + GetGValue(Background) * 587 + GetBValue(Background) * 114) / 1000;
  return luma < 128 ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT);
}
}  // namespace

void TImageList::LoadMasked(HINSTANCE Instance, int BitmapId, int Size, int Dpi) {
  const int scaled = ScaleToDpi(Size, Dpi);
  Reset(ImageList_Create(scaled, scaled, ILC_COLOR24 | ILC_MASK, 1, 0));
  const TGdiHandle<HBITMAP> bmp(LoadPicture(Instance, BitmapId, Dpi, true));
  if (!bmp) return;
  ImageList_AddMasked(Get(), bmp.Get(), KeyColour);
}

void TWindowResources::Load(HINSTANCE Instance, int Dpi) {
  Normal.Reset(MakeFont(8, false, Dpi));
  Bold.Reset(MakeFont(8, true, Dpi));
  Small.Reset(MakeFont(6, false, Dpi));
  Teal.Reset(CreateSolidBrush(RGB(0, 128, 128)));
  COLORREF info = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  InfoBackground.Reset(CreateSolidBrush(info));
  InfoText = ReadableTextOn(info);
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
  BITMAP bm = {};
  GetObject(Bitmap, sizeof(bm), &bm);
  const int w = bm.bmWidth < Width ? bm.bmWidth : Width, h = bm.bmHeight < Height ? bm.bmHeight : Height;
  if (w <= 0 || h <= 0) return;
  const TMemoryDc mem(CreateCompatibleDC(Dc));
  const TSelection picture = SelectInto(mem.Get(), Bitmap);
  if (Transparent)
    TransparentBlt(Dc, X, Y, w, h, mem.Get(), 0, 0, w, h, KeyColour);
  else
    BitBlt(Dc, X, Y, w, h, mem.Get(), 0, 0, SRCCOPY);
}
