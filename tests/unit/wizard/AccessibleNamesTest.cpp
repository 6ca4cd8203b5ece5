#include "wizard/AccessibleNames.h"

#include <gtest/gtest.h>

#include "wizard/ControlIds.h"
#include "wizard/Layout.h"

namespace {

TEST(AccessibleNames, SpokenTextDropsAccessKeyMarksAndKeepsTheFirstLine) {
  const struct {
    const char* Caption;
    bool AccessKeys, FirstLine;
    const char* Spoken;
  } Cases[] = {
      {"&Next >", true, false, "Next >"},
      {"Sali&r", true, false, "Salir"},
      {"Fish && Chips", true, false, "Fish & Chips"},
      {"100% & more", false, false, "100% & more"},
      {"Congratulations!\r\n\r\nThe update...", false, true, "Congratulations!"},
      {"\r\n\r\nFailed\r\nstep 3", false, true, "Failed"},
      {"", true, true, ""},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Case.Spoken, SpokenText(Case.Caption, Case.AccessKeys, Case.FirstLine)) << Case.Caption;
}

// A control the keyboard reaches needs a caption of its own (the buttons
// but the picture-only one) or a name given from elsewhere.
TEST(AccessibleNames, EveryControlTheKeyboardReachesIsNamed) {
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& Def = ControlDefs()[I];
    if (!TakesFocus(Def)) continue;
    const TNameSource Source = AccessibleNameSource(Def.Id);
    const bool OwnCaption = Def.Kind == ckButton && Def.Id != ID_btUpdateSystem;
    EXPECT_TRUE(OwnCaption || Source.Kind != nkOwnText) << Def.Name << " has no name";
    if (Source.Kind == nkLabel) {
      const TControlDef* Label = FindControlDef(Source.NameLabel);
      ASSERT_NE(nullptr, Label) << Def.Name;
      EXPECT_EQ(ckLabel, Label->Kind) << Def.Name;
      EXPECT_EQ(Def.ParentId, Label->ParentId) << Def.Name << " is named by a label of another page";
    }
  }
}

}  // namespace
