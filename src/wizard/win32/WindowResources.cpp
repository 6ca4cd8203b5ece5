#include "wizard/win32/WindowResources.h"

#include "resource.h"

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

void TImageList::LoadMasked(HINSTANCE Instance, int BitmapId, int Size) {
  if (FList) ImageList_Destroy(FList);
  FList = ImageList_Create(Size, Size, ILC_COLOR24 | ILC_MASK, 1, 0);
  HBITMAP bmp = LoadPicture(Instance, BitmapId);
  if (bmp) {
    ImageList_AddMasked(FList, bmp, KeyColour);
    DeleteObject(bmp);
  }
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
  UpdateGlyph.LoadMasked(Instance, IDB_UPDATE_GLYPH, 32);
  PrevGlyph.LoadMasked(Instance, IDB_GLYPH_PREV, 16);
  NextGlyph.LoadMasked(Instance, IDB_GLYPH_NEXT, 16);
  ExitGlyph.LoadMasked(Instance, IDB_GLYPH_EXIT, 16);
}

void DrawBitmap(HDC Dc, HBITMAP Bitmap, int X, int Y, int Width, int Height, bool Transparent) {
  if (!Bitmap) return;
  BITMAP bm = {};
  GetObject(Bitmap, sizeof(bm), &bm);
  int w = bm.bmWidth < Width ? bm.bmWidth : Width;
  int h = bm.bmHeight < Height ? bm.bmHeight : Height;
  HDC mem = CreateCompatibleDC(Dc);
  HGDIOBJ old = SelectObject(mem, Bitmap);
  if (Transparent)
    TransparentBlt(Dc, X, Y, w, h, mem, 0, 0, w, h, KeyColour);
  else
    BitBlt(Dc, X, Y, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}
