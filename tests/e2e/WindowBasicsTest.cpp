// The wizard's window as it opens: caption, language list, the first texts,
// language switching, sizing, and the two ways to close it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "RemoteBuffer.h"
#include "WindowMessages.h"
#include "WizardFixture.h"

namespace {

const std::vector<std::string> LanguageNames = {"English", "Deutsch",
                                                "Fran\xE7"
                                                "ais",
                                                "Espa\xF1"
                                                "ol"};

struct TLanguageCase {
  int Index;
  const char* Code;  // for the picture's name
  const char* Caption;
  const char* Next;
  const char* Exit;
  const char* ProgressTitle;
};

// English last: switching back must restore every English text.
const TLanguageCase LanguageCases[] = {
    {1, "de", "Orvane Update-Dienstprogramm", "&Weiter >", "&Beenden", "Status 0%"},
    {2, "fr", "Utilitaire de mise \xE0 jour Orvane", "&Suiv >", "&Quitter", "Progression 0%"},
    {3, "es", "Utilidad de actualizaci\xF3n Orvane", "&Siguiente >", "Sali&r", "Progreso 0%"},
    {0, "en", "Orvane Update Utility", "&Next >", "E&xit", "Progress 0%"},
};

constexpr DWORD TextTimeoutMs = 3000;

}  // namespace

// Two wizards go through the checks of the window one after the other. The
// order matters where a check leaves the window changed: the width the
// operator chooses comes after the checks of the design width.
class WindowBasics : public TWizardTest {
 protected:
  void OpensCentredOnTheWelcomePageInEnglish() {
    TWizardDriver& W = Wizard();
    EXPECT_EQ("Orvane Update Utility", W.Caption());
    EXPECT_EQ(LanguageNames, W.ComboItems("cbLocale"));
    EXPECT_EQ(0, W.ComboSelection("cbLocale"));
    EXPECT_EQ("Progress 0%", W.Text("lbProgressTitle"));
    EXPECT_EQ("Initializing", W.Text("txtCurrentStep"));
    EXPECT_EQ("TabSheet0", W.ActivePage());
    EXPECT_FALSE(W.IsVisible("btPrev"));
    EXPECT_TRUE(W.IsVisible("btNext") && W.IsEnabled("btNext"));
    EXPECT_TRUE(W.IsVisible("btExit") && W.IsEnabled("btExit"));
    EXPECT_EQ("&Next >", W.Text("btNext"));
    EXPECT_EQ("E&xit", W.Text("btExit"));
    EXPECT_EQ((TWindowSize{472, 352}), W.ClientSize());

    RECT Outer = {};
    GetWindowRect(W.Window(), &Outer);
    const int Left = (GetSystemMetrics(SM_CXSCREEN) - (Outer.right - Outer.left)) / 2;
    const int Top = (GetSystemMetrics(SM_CYSCREEN) - (Outer.bottom - Outer.top)) / 2;
    EXPECT_LE(std::abs(Outer.left - Left), 1) << "window at " << Outer.left << "," << Outer.top;
    EXPECT_LE(std::abs(Outer.top - Top), 1) << "window at " << Outer.left << "," << Outer.top;

    W.Screenshot("first-page-en.bmp");
  }

  void PickingALanguageChangesTheTextsButNotTheList() {
    TWizardDriver& W = Wizard();
    for (const TLanguageCase& Case : LanguageCases) {
      SCOPED_TRACE(std::string("language ") + Case.Code);
      ASSERT_TRUE(W.SelectCombo("cbLocale", Case.Index)) << OpenBoxes();
      EXPECT_EQ(Case.Next, W.WaitText("btNext", Case.Next, TextTimeoutMs));
      EXPECT_EQ(Case.Exit, W.WaitText("btExit", Case.Exit, TextTimeoutMs));
      EXPECT_EQ(Case.ProgressTitle, W.WaitText("lbProgressTitle", Case.ProgressTitle, TextTimeoutMs));
      EXPECT_EQ(Case.Caption, W.WaitText("LauncherForm", Case.Caption, TextTimeoutMs));
      EXPECT_EQ(LanguageNames, W.ComboItems("cbLocale"));
      EXPECT_EQ(Case.Index, W.ComboSelection("cbLocale"));
      EXPECT_EQ("TabSheet0", W.ActivePage());
      EXPECT_FALSE(W.IsVisible("btPrev"));
      EXPECT_TRUE(W.NoMessageBoxFor(0)) << OpenBoxes();
      if (Case.Index != 0) W.Screenshot(std::string("first-page-") + Case.Code + ".bmp");
    }
  }

  // Minimised, the window has no room to lay out: its controls keep their
  // places, and a width it chose for a language is still its own afterwards.
  void KeepsItsLayoutAndItsWidthWhileMinimised() {
    TWizardDriver& W = Wizard();
    const TWindowSize Design = W.OuterSize();
    ASSERT_TRUE(W.SelectCombo("cbLocale", 2)) << OpenBoxes();
    Settle();
    const char* const Names[] = {"btNext", "PageControl1", "pnlImage", "lbServerVersion", "lbUpdateSystemTitle"};
    std::vector<TControlRect> Before;
    for (const char* Name : Names) Before.push_back(W.Rect(Name));

    SendToWindow(W.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0, "minimise");
    ASSERT_TRUE(IsIconic(W.Window()));
    for (size_t I = 0; I < Before.size(); ++I) EXPECT_EQ(Before[I], W.Rect(Names[I])) << Names[I] << " while minimised";
    SendToWindow(W.Window(), WM_SYSCOMMAND, SC_RESTORE, 0, "restore");
    ASSERT_FALSE(IsIconic(W.Window()));
    for (size_t I = 0; I < Before.size(); ++I) EXPECT_EQ(Before[I], W.Rect(Names[I])) << Names[I] << " once restored";

    ASSERT_TRUE(W.SelectCombo("cbLocale", 0)) << OpenBoxes();
    Settle();
    EXPECT_EQ(Design, W.OuterSize()) << "the width chosen for French was taken for the operator's";
  }

  // French and Spanish texts need a wider window; English fits the design
  // width again, unless the operator has chosen a width meanwhile.
  void GoesBackToItsWidthWhenTheTextsFitAgain() {
    TWizardDriver& W = Wizard();
    auto Pick = [this, &W](int Index) {
      ASSERT_TRUE(W.SelectCombo("cbLocale", Index)) << OpenBoxes();
      Settle();
    };
    RECT Design = {};
    GetWindowRect(W.Window(), &Design);
    for (int Wide : {2, 3}) {
      SCOPED_TRACE("language " + std::to_string(Wide));
      Pick(Wide);
      EXPECT_GT(W.OuterSize().Width, Design.right - Design.left);
      Pick(0);
      RECT Back = {};
      GetWindowRect(W.Window(), &Back);
      EXPECT_EQ((TWindowSize{Design.right - Design.left, Design.bottom - Design.top}), W.OuterSize());
      EXPECT_LE(std::abs(Back.left - Design.left), 1) << "not centred where it was";
    }

    Pick(2);
    const TWindowSize Chosen = W.Resize(W.OuterSize().Width + 60, W.OuterSize().Height);
    Pick(0);
    EXPECT_EQ(Chosen, W.OuterSize()) << "the operator's width was not kept";
  }

  void EnterPressesNext() {
    Wizard().PressKey(VK_RETURN);
    EXPECT_EQ("TabSheet1", Wizard().WaitPage("TabSheet1")) << OpenBoxes();
    ASSERT_TRUE(Move("btPrev", "TabSheet0"));
  }

  void ExitEndsTheProgram() {
    Wizard().Click("btExit");
    ASSERT_TRUE(Wizard().WaitExit()) << OpenBoxes();
    EXPECT_EQ(0u, Wizard().ExitCode().value_or(999));
  }

  void ResizingKeepsTheButtonsInTheCornerAndStretchesThePanes() {
    TWizardDriver& W = Wizard();
    // How each control follows a change of the client size: per pixel of width
    // (dx) and height (dy), which of its left, top, width and height change.
    const struct {
      const char* Name;
      int Left, Top, Width, Height;  // multiples of dx, dy, dx, dy
    } Controls[] = {
        {"btPrev", 1, 1, 0, 0},   {"btNext", 1, 1, 0, 0},       {"btExit", 1, 1, 0, 0},
        {"pnlImage", 0, 0, 0, 1}, {"PageControl1", 0, 0, 1, 1},
    };
    const TWindowSize Outer = W.OuterSize(), Client = W.ClientSize();
    std::vector<TControlRect> Before;
    for (const auto& Control : Controls) Before.push_back(W.Rect(Control.Name));

    const TWindowSize Sizes[] = {{Outer.Width + 130, Outer.Height + 90}, {400, 350}};
    for (const TWindowSize& Size : Sizes) {
      SCOPED_TRACE(::testing::Message() << "outer size " << Size);
      W.Resize(Size.Width, Size.Height);
      const TWindowSize Now = W.ClientSize();
      const int Dx = Now.Width - Client.Width, Dy = Now.Height - Client.Height;
      ASSERT_TRUE(Dx != 0 && Dy != 0) << "the client size stayed " << Now;
      for (size_t I = 0; I < Before.size(); ++I) {
        const auto& C = Controls[I];
        const TControlRect Expected{Before[I].Left + C.Left * Dx, Before[I].Top + C.Top * Dy,
                                    Before[I].Width + C.Width * Dx, Before[I].Height + C.Height * Dy};
        EXPECT_EQ(Expected, W.Rect(C.Name)) << C.Name << " after the client grew by " << Dx << ", " << Dy;
      }
    }
  }

  void CannotBeMadeSmallerThan400By350() {
    TWizardDriver& W = Wizard();
    const struct {
      int Width, Height;
      TWindowSize Expected;
    } Cases[] = {
        {200, 150, {400, 350}}, {399, 349, {400, 350}}, {399, 500, {400, 500}},
        {600, 349, {600, 350}}, {401, 351, {401, 351}},
    };
    for (const auto& Case : Cases)
      EXPECT_EQ(Case.Expected, W.Resize(Case.Width, Case.Height)) << "asked for " << Case.Width << " x " << Case.Height;
  }

  // Moved to a monitor at 150 %: the window takes the place the system
  // suggests and lays its controls out at the new scale.
  void FollowsTheScaleOfAnotherMonitor() {
    TWizardDriver& W = Wizard();
    RECT Outer = {};
    GetWindowRect(W.Window(), &Outer);
    RECT Suggested = {0, 0, 708, 528};  // the design client area at 144 DPI
    AdjustWindowRectEx(&Suggested, GetWindowLongA(W.Window(), GWL_STYLE), FALSE,
                       GetWindowLongA(W.Window(), GWL_EXSTYLE));
    OffsetRect(&Suggested, Outer.left - Suggested.left, Outer.top - Suggested.top);
    // The suggestion travels by address, so it must lie in the wizard's memory.
    TRemoteBuffer Rect(W.Process().Handle(), sizeof Suggested);
    Rect.Write(0, &Suggested, sizeof Suggested);
    SendToWindow(W.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(Rect.At(0)),
                 "WM_DPICHANGED");
    EXPECT_EQ((TWindowSize{708, 528}), W.ClientSize());
    EXPECT_EQ((TControlRect{456, 477, 113, 38}), W.Rect("btNext"));
    EXPECT_EQ((TControlRect{24, 24, 204, 402}), W.Rect("pnlImage"));
    W.Screenshot("dpi-changed-to-144.bmp");
  }

  void TheCloseBoxEndsTheProgram() {
    Wizard().Close();
    ASSERT_TRUE(Wizard().WaitExit()) << OpenBoxes();
    EXPECT_EQ(0u, Wizard().ExitCode().value_or(999));
  }
};

TEST_F(WindowBasics, OpensSwitchesLanguagesKeepsItsWidthAndExits) {
  ASSERT_TRUE(StartWizard());
  WIZARD_CHECK(OpensCentredOnTheWelcomePageInEnglish);
  WIZARD_CHECK(PickingALanguageChangesTheTextsButNotTheList);
  WIZARD_CHECK(KeepsItsLayoutAndItsWidthWhileMinimised);
  WIZARD_CHECK(GoesBackToItsWidthWhenTheTextsFitAgain);
  WIZARD_CHECK(EnterPressesNext);
  WIZARD_CHECK(ExitEndsTheProgram);
}

TEST_F(WindowBasics, ResizesScalesAndTheCloseBoxEnds) {
  ASSERT_TRUE(StartWizard());
  WIZARD_CHECK(ResizingKeepsTheButtonsInTheCornerAndStretchesThePanes);
  WIZARD_CHECK(CannotBeMadeSmallerThan400By350);
  WIZARD_CHECK(FollowsTheScaleOfAnotherMonitor);
  WIZARD_CHECK(TheCloseBoxEndsTheProgram);
}
