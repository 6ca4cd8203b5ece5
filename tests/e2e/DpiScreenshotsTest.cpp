// The wizard at 100 %, 125 %, 150 % and 200 % (Wine's LogPixels for the wizard's
// session): the window and its controls scale, and a picture of the first
// two pages at each scale is kept to be looked at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../resources/resource.h"
#include "WizardFixture.h"
#include "utils/win32/Handles.h"

namespace {

// Where Wine looks for the display's DPI: the desktop settings and its own
// font settings, both read when a program starts.
const char* const DpiKeys[] = {"Control Panel\\Desktop", "Software\\Wine\\Fonts"};

class DpiScreenshots : public TWizardTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TWizardTest::SetUp();
    for (int I = 0; I < 2; ++I) {
      TRegistryKey Key;
      ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, DpiKeys[I], 0, nullptr, 0,
                                               KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, Key.Receive(), nullptr));
      DWORD Size = sizeof FOld[I];
      FHad[I] = RegQueryValueExA(Key.Get(), "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&FOld[I]), &Size) ==
                ERROR_SUCCESS;
      const DWORD Dpi = static_cast<DWORD>(GetParam());
      RegSetValueExA(Key.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Dpi), sizeof Dpi);
    }
  }
  void TearDown() override {
    TWizardTest::TearDown();
    for (int I = 0; I < 2; ++I) {
      TRegistryKey Key;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, DpiKeys[I], 0, KEY_SET_VALUE, Key.Receive()) != ERROR_SUCCESS) continue;
      if (FHad[I])
        RegSetValueExA(Key.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&FOld[I]), sizeof FOld[I]);
      else
        RegDeleteValueA(Key.Get(), "LogPixels");
    }
  }

 private:
  DWORD FOld[2] = {96, 96};
  bool FHad[2] = {false, false};
};

int Scaled(int Value, int Dpi) { return (Value * Dpi + 48) / 96; }

// Pixels of a bitmap as 32-bit rows, top down.
std::vector<DWORD> PixelsOf(HDC Dc, HBITMAP Bitmap, int Width, int Height) {
  std::vector<DWORD> Pixels(static_cast<size_t>(Width) * Height);
  BITMAPINFO Info = {};
  Info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(Dc, Bitmap, 0, Height, Pixels.data(), &Info, DIB_RGB_COLORS);
  for (DWORD& P : Pixels) P &= 0xFFFFFF;
  return Pixels;
}

// How many pixels of the side picture on screen differ from the picture the
// wizard ships for this scale (the window shows its top part, unchanged).
int PictureMismatches(const std::string& WizardExe, int PictureId, HWND Frame) {
  const TGdiObject<HBITMAP> Shipped([&] {
    const TLibrary Module(LoadLibraryExA(WizardExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return Module ? static_cast<HBITMAP>(
                        LoadImageA(Module.Get(), MAKEINTRESOURCEA(PictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                  : nullptr;
  }());
  if (!Shipped) return -1;
  BITMAP Bm = {};
  GetObject(Shipped.Get(), sizeof Bm, &Bm);
  RECT Rc = {};
  GetClientRect(Frame, &Rc);
  const int W = Rc.right < Bm.bmWidth ? Rc.right : Bm.bmWidth, H = Rc.bottom < Bm.bmHeight ? Rc.bottom : Bm.bmHeight;
  const TWindowDc Screen = WindowDc(nullptr);
  const TMemoryDc Mem(CreateCompatibleDC(Screen.Get().Dc));
  const TGdiObject<HBITMAP> Seen(CreateCompatibleBitmap(Screen.Get().Dc, W, H));
  POINT Origin = {0, 0};
  ClientToScreen(Frame, &Origin);
  {
    const TSelection Selected = SelectInto(Mem.Get(), Seen.Get());
    BitBlt(Mem.Get(), 0, 0, W, H, Screen.Get().Dc, Origin.x, Origin.y, SRCCOPY);
  }
  const std::vector<DWORD> Want = PixelsOf(Mem.Get(), Shipped.Get(), Bm.bmWidth, Bm.bmHeight),
                           Got = PixelsOf(Mem.Get(), Seen.Get(), W, H);
  int Mismatches = W > 0 && H > 0 ? 0 : -1;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Mismatches += Got[Y * W + X] != Want[Y * Bm.bmWidth + X];
  return Mismatches;
}

}  // namespace

TEST_P(DpiScreenshots, TheWindowScalesWithTheDisplay) {
  const int Dpi = GetParam();
  ASSERT_TRUE(StartWizard());
  TWizardDriver& W = Wizard();
  EXPECT_EQ((TWindowSize{Scaled(472, Dpi), Scaled(352, Dpi)}), W.ClientSize());
  EXPECT_EQ((TControlRect{Scaled(384, Dpi), Scaled(318, Dpi), Scaled(75, Dpi), Scaled(25, Dpi)}), W.Rect("btExit"));
  // The picture fills its frame at every scale: near its right edge the
  // frame's own teal must not show through.
  const HWND Picture = W.Control("imgImage1");
  RECT Frame = {};
  GetClientRect(Picture, &Frame);
  POINT Probe = {Frame.right - Scaled(4, Dpi), Scaled(8, Dpi)};
  ClientToScreen(Picture, &Probe);
  const COLORREF Seen = GetPixel(WindowDc(nullptr).Get().Dc, Probe.x, Probe.y);
  EXPECT_NE(RGB(0, 128, 128), Seen) << "the picture stops short of its frame";
  // At 100, 150 and 200 % the picture drawn for that scale shows as shipped:
  // not a smaller one stretched, and not resampled. (At 125 % it is the
  // 150 % one made smaller: the screenshot shows it.)
  const int PictureId = Dpi == 96 ? IDB_PICTURE : Dpi == 144 ? IDB_PICTURE_150 : Dpi == 192 ? IDB_PICTURE_200 : 0;
  if (PictureId) {
    EXPECT_EQ(0, PictureMismatches(World().WizardExe(), PictureId, Picture)) << "pixels unlike the shipped picture";
  }
  const std::string Suffix = "-" + std::to_string(Dpi) + "dpi.bmp";
  W.Screenshot("scaled-first-page" + Suffix);
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  W.Screenshot("scaled-folder-page" + Suffix);
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiScreenshots, ::testing::Values(96, 120, 144, 192));
