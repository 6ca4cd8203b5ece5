// TLauncherForm: fitting the window to its texts. Languages differ in
// length: labels size themselves, buttons drop their pictures when the
// caption needs the room, the window widens for long single lines, and memos
// show a scroll bar only when their text needs one.
#include <algorithm>
#include <vector>

#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/TextFitting.h"

namespace {
// Where a button's picture stands.
UINT GlyphAlign(const TControlDef& Def) {
  if (Def.Style & stPictureButton) return BUTTON_IMAGELIST_ALIGN_CENTER;
  return (Def.Style & stGlyphRight) ? BUTTON_IMAGELIST_ALIGN_RIGHT : BUTTON_IMAGELIST_ALIGN_LEFT;
}
}  // namespace

HIMAGELIST TLauncherForm::Glyph(TArt Art) const {
  switch (Art) {
    case arUpdateGlyph:
      return FRes.UpdateGlyph.Get();
    case arPrevGlyph:
      return FRes.PrevGlyph.Get();
    case arNextGlyph:
      return FRes.NextGlyph.Get();
    case arExitGlyph:
      return FRes.ExitGlyph.Get();
    default:
      return nullptr;
  }
}

// A button shows its picture beside its caption only while both fit: a
// caption such as "&Siguiente >" needs the whole button.
void TLauncherForm::FitButtonGlyph(int Id) {
  const TControlDef* Def = FindControlDef(Id);
  if (!Def || Def->Kind != ckButton || Def->Art == arNone) return;
  ::FitButtonGlyph(Control(Id), Glyph(Def->Art), GlyphAlign(*Def), (Def->Style & stPictureButton) != 0, FDpi);
}

// Titles and the assistance line are single lines: when a language's text is
// longer than its place, the window widens so that none of it is cut, and it
// goes back to its width once the texts fit there again.
void TLauncherForm::FitSingleLineTexts() {
  int Overflow = -ScaleToDpi(DesignClientWidth, FDpi);
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& Def = ControlDefs()[I];
    const TWidthFit Fit = WidthFitOf(Def);
    if (Fit == wfNone) continue;
    HWND H = Control(Def.Id);
    const int Width = CaptionWidth(H, (Def.Style & stAccel) != 0);
    if (Fit == wfInOwnWidth) {
      RECT Rc;
      GetClientRect(H, &Rc);
      Overflow = std::max<int>(Overflow, Width + 2 - Rc.right);
    } else {
      HWND Parent = GetParent(H);
      RECT Pr, R;
      GetClientRect(Parent, &Pr);
      GetWindowRect(H, &R);
      MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&R), 2);
      Overflow = std::max<int>(Overflow, R.left + Width + ScaleToDpi(4, FDpi) - Pr.right);
    }
  }
  if (IsZoomed(FHandle) || IsIconic(FHandle)) return;
  RECT W;
  GetWindowRect(FHandle, &W);
  const int Current = W.right - W.left;
  const int Fitted = FittedOuterWidth(Current, FBaseOuterWidth, Overflow);
  if (Fitted == Current) return;
  if (!FBaseOuterWidth) FBaseOuterWidth = Current;
  if (Fitted == FBaseOuterWidth) FBaseOuterWidth = 0;
  FFittedOuterWidth = Fitted;
  FFittingWidth = true;
  SetWindowPos(FHandle, nullptr, W.left - (Fitted - Current) / 2, W.top, Fitted, W.bottom - W.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FFittingWidth = false;
}

void TLauncherForm::FitMemoScrollBar(int Id) { ::FitMemoScrollBar(Control(Id)); }

// Labels that size themselves to their text, as at design time.
void TLauncherForm::FitLabel(int Id) {
  const TControlDef* Def = FindControlDef(Id);
  if (!Def || Def->Kind != ckLabel || !(Def->Style & stAutoSize)) return;
  LayoutChildren(Def->ParentId, Def->ParentId ? Control(Def->ParentId) : FHandle);
}

// Moving to a monitor of another scale: fonts, pictures and the layout follow
// it, and the window takes the place the system suggests.
void TLauncherForm::OnDpiChanged(int Dpi, const RECT& Suggested) {
  if (Dpi <= 0) return;
  // Each control keeps the weight it has now (some change theirs with what
  // they say), in the new scale's font of that weight.
  enum TWeight { wtNormal, wtBold, wtSmall, wtDesign };
  std::vector<TWeight> Weights;
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    HWND H = Control(ControlDefs()[I].Id);
    const HFONT Now = H ? reinterpret_cast<HFONT>(SendMessageA(H, WM_GETFONT, 0, 0)) : nullptr;
    Weights.push_back(Now == FRes.Normal.Get()  ? wtNormal
                      : Now == FRes.Bold.Get()  ? wtBold
                      : Now == FRes.Small.Get() ? wtSmall
                                                : wtDesign);
  }
  FDpi = Dpi;
  FRes.Load(FInstance, FDpi);
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& Def = ControlDefs()[I];
    const HFONT Fonts[] = {FRes.Normal.Get(), FRes.Bold.Get(), FRes.Small.Get(), DesignFont(Def)};
    if (HWND H = Control(Def.Id)) {
      SendMessageA(H, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts[Weights[I]]), FALSE);
      SetItemHeight(Def, H);
    }
  }
  // A width remembered in the old scale's pixels means nothing in the new one.
  FBaseOuterWidth = 0;
  SetWindowPos(FHandle, nullptr, Suggested.left, Suggested.top, Suggested.right - Suggested.left,
               Suggested.bottom - Suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  for (size_t I = 0; I < ControlDefCount(); ++I) FitButtonGlyph(ControlDefs()[I].Id);
  InvalidateRect(FHandle, nullptr, TRUE);
}
