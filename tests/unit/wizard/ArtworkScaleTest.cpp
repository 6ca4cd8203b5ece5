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
  } Cases[] = {{0, 100},   {72, 100},  {96, 100},  {97, 150},  {120, 150}, {144, 150},
               {145, 200}, {168, 200}, {192, 200}, {193, 200}, {288, 200}};
  for (const auto& C : Cases) EXPECT_EQ(C.Scale, ArtworkScaleForDpi(C.Dpi)) << C.Dpi << " DPI";
}

TEST(ArtworkScale, ShippedSizesAreTheDrawnSizesAtTheirOwnDpi) {
  const struct {
    int Design, Scale, Pixels;
  } Cases[] = {{16, 100, 16},  {16, 150, 24},   {16, 200, 32},   {65, 150, 98},   {22, 150, 33},
               {65, 200, 130}, {128, 150, 192}, {280, 150, 420}, {280, 200, 560}, {1, 150, 2}};
  for (const auto& C : Cases) EXPECT_EQ(C.Pixels, ArtworkSize(C.Design, C.Scale)) << C.Design << " at " << C.Scale;
  // The window draws a picture at ScaleToDpi of its design size: at 96, 144
  // and 192 DPI that must be the shipped picture itself, pixel for pixel.
  for (int Design = 1; Design <= 600; ++Design) {
    for (int Scale : ArtworkScales) {
      ASSERT_EQ(ScaleToDpi(Design, Scale * 96 / 100), ArtworkSize(Design, Scale)) << Design << " at " << Scale;
      ASSERT_EQ(Design, ArtworkDesignSize(ArtworkSize(Design, Scale), Scale)) << Design << " at " << Scale;
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
  std::ifstream F(Path, std::ios::binary);
  unsigned char H[26] = {};
  if (!F.read(reinterpret_cast<char*>(H), sizeof H) || H[0] != 'B' || H[1] != 'M') return false;
  auto Le32 = [&](int At) { return static_cast<int32_t>(H[At] | H[At + 1] << 8 | H[At + 2] << 16 | H[At + 3] << 24); };
  Width = Le32(18);
  Height = Le32(22);
  return true;
}

// The committed pictures, as the resource script names them, against the
// resource ids the window computes and the sizes it draws.
TEST(ArtworkScale, EveryPictureIsCommittedAtEveryScale) {
  const struct {
    const char* Name;
    int Ids[3];
    int Width, Height;
  } Pictures[] = {
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
  for (const auto& P : Pictures) {
    for (int I = 0; I < 3; ++I) {
      const int Scale = ArtworkScales[I];
      EXPECT_EQ(P.Ids[I], ArtworkResourceId(P.Ids[0], Scale)) << P.Name << " at " << Scale;
      const std::string File = std::string(OUPDATE_SOURCE_DIR "/resources/") + P.Name +
                               (Scale == 100 ? "" : "_" + std::to_string(Scale)) + ".bmp";
      int W = 0, H = 0;
      ASSERT_TRUE(BitmapSize(File, W, H)) << File;
      EXPECT_EQ(ArtworkSize(P.Width, Scale), W) << File;
      EXPECT_EQ(ArtworkSize(P.Height, Scale), H) << File;
    }
  }
}

}  // namespace
