#include "wizard/win32/WindowResources.h"

#include "resource.h"
#include "wizard/Layout.h"

namespace {
constexpr COLORREF KeyColour = RGB(255, 0, 255);

HFONT MakeFont(int Points, bool Bold, int Dpi) {
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(Points, Dpi, 72);
  lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

HBITMAP LoadPicture(HINSTANCE Instance, int Id) {
  return static_cast<HBITMAP>(
      LoadImageA(Instance, MAKEINTRESOURCEA(Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
  const TGdiHandle<HBITMAP> bmp(LoadPicture(Instance, BitmapId));
  if (!bmp) return;
  // Whole pixels for the glyphs: blending would mix the key colour into
  // their edges and leave a pink fringe.
  const TWindowDc screen = WindowDc(nullptr);
  const TMemoryDc from(CreateCompatibleDC(screen.Get().Dc)), to(CreateCompatibleDC(screen.Get().Dc));
  const TGdiHandle<HBITMAP> sized(CreateCompatibleBitmap(screen.Get().Dc, scaled, scaled));
  {
    const TSelection fromPicture = SelectInto(from.Get(), bmp.Get()), toPicture = SelectInto(to.Get(), sized.Get());
    SetStretchBltMode(to.Get(), COLORONCOLOR);
    StretchBlt(to.Get(), 0, 0, scaled, scaled, from.Get(), 0, 0, Size, Size, SRCCOPY);
  }
  ImageList_AddMasked(Get(), sized.Get(), KeyColour);
}

void TWindowResources::Load(HINSTANCE Instance, int Dpi) {
  Normal.Reset(MakeFont(8, false, Dpi));
  Bold.Reset(MakeFont(8, true, Dpi));
  Small.Reset(MakeFont(6, false, Dpi));
  Teal.Reset(CreateSolidBrush(RGB(0, 128, 128)));
  COLORREF info = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  InfoBackground.Reset(CreateSolidBrush(info));
  InfoText = ReadableTextOn(info);
  Picture.Reset(LoadPicture(Instance, IDB_PICTURE));
  Logo.Reset(LoadPicture(Instance, IDB_LOGO));
  DrivePictures[2].Reset(LoadPicture(Instance, IDB_DRIVE_REMOVABLE));
  DrivePictures[3].Reset(LoadPicture(Instance, IDB_DRIVE_FIXED));
  DrivePictures[4].Reset(LoadPicture(Instance, IDB_DRIVE_REMOTE));
  DrivePictures[5].Reset(LoadPicture(Instance, IDB_DRIVE_CDROM));
  DrivePictures[6].Reset(LoadPicture(Instance, IDB_DRIVE_RAM));
  UpdateGlyph.LoadMasked(Instance, IDB_UPDATE_GLYPH, 32, Dpi);
  PrevGlyph.LoadMasked(Instance, IDB_GLYPH_PREV, 16, Dpi);
  NextGlyph.LoadMasked(Instance, IDB_GLYPH_NEXT, 16, Dpi);
  ExitGlyph.LoadMasked(Instance, IDB_GLYPH_EXIT, 16, Dpi);
}

void DrawBitmap(HDC Dc, HBITMAP Bitmap, int X, int Y, int Width, int Height, bool Transparent, int Dpi) {
  if (!Bitmap) return;
  BITMAP bm = {};
  GetObject(Bitmap, sizeof(bm), &bm);
  const int dw = ScaleToDpi(bm.bmWidth, Dpi), dh = ScaleToDpi(bm.bmHeight, Dpi);
  const int w = dw < Width ? dw : Width, h = dh < Height ? dh : Height;
  if (w <= 0 || h <= 0) return;
  const int sw = MulDiv(w, bm.bmWidth, dw), sh = MulDiv(h, bm.bmHeight, dh);
  const TMemoryDc mem(CreateCompatibleDC(Dc));
  const TSelection picture = SelectInto(mem.Get(), Bitmap);
  if (Transparent) {
    TransparentBlt(Dc, X, Y, w, h, mem.Get(), 0, 0, sw, sh, KeyColour);
  } else {
    SetStretchBltMode(Dc, HALFTONE);
    SetBrushOrgEx(Dc, 0, 0, nullptr);
    StretchBlt(Dc, X, Y, w, h, mem.Get(), 0, 0, sw, sh, SRCCOPY);
  }
}
