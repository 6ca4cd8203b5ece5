#include "wizard/PictureResample.h"

#include <gtest/gtest.h>

namespace {
constexpr uint32_t Key = 0xFF00FF;

TPixels Make(int W, int H, std::vector<uint32_t> Rgb) { return TPixels{W, H, std::move(Rgb)}; }

TEST(PictureResample, AveragesTheAreaEachNewPixelCovers) {
  const struct {
    const char* What;
    TPixels From;
    int W, H;
    std::vector<uint32_t> Want;
  } Cases[] = {
      {"same size", Make(2, 1, {0x102030, 0x405060}), 2, 1, {0x102030, 0x405060}},
      {"half", Make(2, 2, {0x000000, 0x000004, 0x000008, 0x00000C}), 1, 1, {0x000006}},
      {"three to two", Make(3, 1, {0x000000, 0x00005A, 0x0000B4}), 2, 1, {0x00001E, 0x000096}},
      {"channels apart", Make(2, 1, {0xFF0000, 0x00FF00}), 1, 1, {0x808000}},
      {"larger", Make(1, 1, {0x123456}), 2, 2, {0x123456, 0x123456, 0x123456, 0x123456}},
  };
  for (const auto& C : Cases) {
    TPixels To = ResamplePixels(C.From, C.W, C.H);
    EXPECT_EQ(C.W, To.Width) << C.What;
    EXPECT_EQ(C.H, To.Height) << C.What;
    EXPECT_EQ(C.Want, To.Rgb) << C.What;
  }
}

TEST(PictureResample, KeyColourNeverTintsAnEdge) {
  const struct {
    const char* What;
    TPixels From;
    std::vector<uint32_t> Want;
  } Cases[] = {
      {"one hole of four", Make(2, 2, {Key, 0x000030, 0x000030, 0x000060}), {0x000040}},
      {"half holes", Make(2, 2, {Key, Key, 0x000030, 0x000030}), {Key}},
      {"all drawn", Make(2, 2, {0x100000, 0x100000, 0x300000, 0x300000}), {0x200000}},
      {"average lands on the key", Make(2, 1, {0xFE00FF, 0xFF00FE}), {0xFF00FE}},
  };
  for (const auto& C : Cases) EXPECT_EQ(C.Want, ResampleKeyedPixels(C.From, 1, 1, Key).Rgb) << C.What;
}

TEST(PictureResample, EmptySizesGiveAnEmptyPicture) {
  EXPECT_TRUE(ResamplePixels(Make(0, 0, {}), 4, 4).Rgb.empty());
  EXPECT_TRUE(ResamplePixels(Make(1, 1, {1}), 0, 3).Rgb.empty());
}

}  // namespace
