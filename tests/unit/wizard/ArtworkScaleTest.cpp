#include "wizard/ArtworkScale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "resource.h"
#include "wizard/Layout.h"

namespace {

TEST(ArtworkScale, EachDpiGetsTheSmallestScaleAtOrAboveIt) {
  const struct {
    int Dpi, Scale;
  } cases[] = {{0, 100},   {72, 100},  {96, 100},  {97, 150},  {120, 150}, {144, 150},
               {145, 200}, {168, 200}, {192, 200}, {193, 200}, {288, 200}};
  for (const auto& c : cases) EXPECT_EQ(c.Scale, ArtworkScaleForDpi(c.Dpi)) << c.Dpi << " DPI";
}

TEST(ArtworkScale, ShippedSizesAreTheDrawnSizesAtTheirOwnDpi) {
  const struct {
    int Design, Scale, Pixels;
  } cases[] = {{16, 100, 16}, {16, 150, 24}, {16, 200, 32}, {65, 150, 98},   {22, 150, 33},
               {65, 200, 130}, {128, 150, 192}, {280, 150, 420}, {280, 200, 560}, {1, 150, 2}};
  for (const auto& c : cases) EXPECT_EQ(c.Pixels, ArtworkSize(c.Design, c.Scale)) << c.Design << " at " << c.Scale;
  // The window draws a picture at ScaleToDpi of its design size: at 96, 144
  // and 192 DPI that must be the shipped picture itself, pixel for pixel.
  for (int design = 1; design <= 600; ++design) {
    for (int scale : ArtworkScales) {
      ASSERT_EQ(ScaleToDpi(design, scale * 96 / 100), ArtworkSize(design, scale)) << design << " at " << scale;
      ASSERT_EQ(design, ArtworkDesignSize(ArtworkSize(design, scale), scale)) << design << " at " << scale;
    }
  }
}

TEST(ArtworkScale, ResourceIdsStepByAThousandPerScale) {
  EXPECT_EQ(101, ArtworkResourceId(101, 100));
  EXPECT_EQ(1101, ArtworkResourceId(101, 150));
  EXPECT_EQ(2114, ArtworkResourceId(114, 200));
  EXPECT_EQ(106, ArtworkResourceId(106, 125)) << "a scale that is not shipped falls back to the design picture";
}

// Width and height from a bitmap file's header.
bool BitmapSize(const std::string& Path, int& Width, int& Height) {
  std::ifstream f(Path, std::ios::binary);
  unsigned char h[26] = {};
  if (!f.read(reinterpret_cast<char*>(h), sizeof h) || h[0] != 'B' || h[1] != 'M') return false;
  auto le32 = [&](int at) { return static_cast<int32_t>(h[at] | h[at + 1] << 8 | h[at + 2] << 16 | h[at + 3] << 24); };
  Width = le32(18);
  Height = le32(22);
  return true;
}

// The committed pictures, as the resource script names them, against the
// resource ids the window computes and the sizes it draws.
TEST(ArtworkScale, EveryPictureIsCommittedAtEveryScale) {
  const struct {
    const char* Name;
    int Ids[3];
    int Width, Height;
  } pictures[] = {
      {"picture", {IDB_PICTURE, IDB_PICTURE_150, IDB_PICTURE_200}, 128, 280},
      {"logo", {IDB_LOGO, IDB_LOGO_150, IDB_LOGO_200}, 65, 22},
      {"update_glyph", {IDB_UPDATE_GLYPH, IDB_UPDATE_GLYPH_150, IDB_UPDATE_GLYPH_200}, 32, 32},
      {"glyph_prev", {IDB_GLYPH_PREV, IDB_GLYPH_PREV_150, IDB_GLYPH_PREV_200}, 16, 16},
      {"glyph_next", {IDB_GLYPH_NEXT, IDB_GLYPH_NEXT_150, IDB_GLYPH_NEXT_200}, 16, 16},
      {"glyph_exit", {IDB_GLYPH_EXIT, IDB_GLYPH_EXIT_150, IDB_GLYPH_EXIT_200}, 16, 16},
      {"drive_removable", {IDB_DRIVE_REMOVABLE, IDB_DRIVE_REMOVABLE_150, IDB_DRIVE_REMOVABLE_200}, 16, 16},
      {"drive_fixed", {IDB_DRIVE_FIXED, IDB_DRIVE_FIXED_150, IDB_DRIVE_FIXED_200}, 16, 16},
      {"drive_remote", {IDB_DRIVE_REMOTE, IDB_DRIVE_REMOTE_150, IDB_DRIVE_REMOTE_200}, 16, 16},
      {"drive_cdrom", {IDB_DRIVE_CDROM, IDB_DRIVE_CDROM_150, IDB_DRIVE_CDROM_200}, 16, 16},
      {"drive_ram", {IDB_DRIVE_RAM, IDB_DRIVE_RAM_150, IDB_DRIVE_RAM_200}, 16, 16},
  };
  for (const auto& p : pictures) {
    for (int i = 0; i < 3; ++i) {
      const int scale = ArtworkScales[i];
      EXPECT_EQ(p.Ids[i], ArtworkResourceId(p.Ids[0], scale)) << p.Name << " at " << scale;
      const std::string file = std::string(OUPDATE_SOURCE_DIR "/resources/") + p.Name +
                               (scale == 100 ? "" : "_" + std::to_string(scale)) + ".bmp";
      int w = 0, h = 0;
      ASSERT_TRUE(BitmapSize(file, w, h)) << file;
      EXPECT_EQ(ArtworkSize(p.Width, scale), w) << file;
      EXPECT_EQ(ArtworkSize(p.Height, scale), h) << file;
    }
  }
}

}  // namespace
