// The wizard at 100 %, 150 % and 200 % (Wine's LogPixels for the wizard's
// session): the window and its controls scale, and a picture of the first
// two pages at each scale is kept to be looked at.
#include <gtest/gtest.h>

#include <string>

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
  HDC Screen = GetDC(nullptr);
  const COLORREF Seen = GetPixel(Screen, Probe.x, Probe.y);
  ReleaseDC(nullptr, Screen);
  EXPECT_NE(RGB(0, 128, 128), Seen) << "the picture stops short of its frame";
  const std::string Suffix = "-" + std::to_string(Dpi) + "dpi.bmp";
  W.Screenshot("scaled-first-page" + Suffix);
  ASSERT_TRUE(Move("btNext", "TabSheet1"));
  W.Screenshot("scaled-folder-page" + Suffix);
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiScreenshots, ::testing::Values(96, 144, 192));
