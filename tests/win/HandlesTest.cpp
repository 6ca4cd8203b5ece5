// The owner template with the drawing kinds: what it owns is gone when the
// owner goes, what it selected is put back, and a move hands ownership on
// without releasing twice.
#include <gtest/gtest.h>

#include "utils/win32/Handles.h"

namespace {

TEST(Handles, GdiObjectsAreDeletedWithTheirOwner) {
  const struct {
    const char* Kind;
    HGDIOBJ Object;
  } Cases[] = {
      {"font", CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma")},
      {"brush", CreateSolidBrush(RGB(0, 128, 128))},
      {"bitmap", CreateBitmap(4, 4, 1, 32, nullptr)},
  };
  for (const auto& Case : Cases) {
    ASSERT_NE(0u, GetObjectType(Case.Object)) << Case.Kind << " not made";
    {
      TGdiObject<HGDIOBJ> Owner(Case.Object);
      TGdiObject<HGDIOBJ> Moved(std::move(Owner));
      EXPECT_FALSE(Owner.IsValid()) << Case.Kind;
      EXPECT_NE(0u, GetObjectType(Case.Object)) << Case.Kind << " deleted by the move";
    }
    EXPECT_EQ(0u, GetObjectType(Case.Object)) << Case.Kind << " outlived its owner";
  }
}

TEST(Handles, ASelectionPutsBackWhatWasSelectedBefore) {
  const TWindowDc Screen = WindowDc(nullptr);
  ASSERT_TRUE(Screen.IsValid());
  const TMemoryDc Dc(CreateCompatibleDC(Screen.Get().Dc));
  const TGdiObject<HFONT> Font(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  const HGDIOBJ Before = GetCurrentObject(Dc.Get(), OBJ_FONT);
  {
    TSelection Selected = SelectInto(Dc.Get(), Font.Get());
    EXPECT_EQ(Font.Get(), GetCurrentObject(Dc.Get(), OBJ_FONT));
    TSelection Moved(std::move(Selected));
    EXPECT_EQ(Font.Get(), GetCurrentObject(Dc.Get(), OBJ_FONT)) << "the move put the old font back";
  }
  EXPECT_EQ(Before, GetCurrentObject(Dc.Get(), OBJ_FONT));
}

}  // namespace
