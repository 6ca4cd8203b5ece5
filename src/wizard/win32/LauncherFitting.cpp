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
    case arUpdateGlyph: return FRes.UpdateGlyph.Get();
    case arPrevGlyph: return FRes.PrevGlyph.Get();
    case arNextGlyph: return FRes.NextGlyph.Get();
    case arExitGlyph: return FRes.ExitGlyph.Get();
    default: return nullptr;
  }
}

// A button shows its picture beside its caption only while both fit: a
// caption such as "&Siguiente >" needs the whole button.
void TLauncherForm::FitButtonGlyph(int Id) {
  const TControlDef* def = FindControlDef(Id);
  if (!def || def->Kind != ckButton || def->Art == arNone) return;
  ::FitButtonGlyph(Control(Id), Glyph(def->Art), GlyphAlign(*def), (def->Style & stPictureButton) != 0, FDpi);
}

// Titles and the assistance line are single lines: when a language's text is
// longer than its place, the window widens so that none of it is cut, and it
// goes back to its width once the texts fit there again.
void TLauncherForm::FitSingleLineTexts() {
  int overflow = -ScaleToDpi(DesignClientWidth, FDpi);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    const TWidthFit fit = WidthFitOf(def);
    if (fit == wfNone) continue;
    HWND h = Control(def.Id);
    const int width = CaptionWidth(h, (def.Style & stAccel) != 0);
    if (fit == wfInOwnWidth) {
      RECT rc;
      GetClientRect(h, &rc);
      overflow = std::max<int>(overflow, width + 2 - rc.right);
    } else {
      HWND parent = GetParent(h);
      RECT pr, r;
      GetClientRect(parent, &pr);
      GetWindowRect(h, &r);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      overflow = std::max<int>(overflow, r.left + width + ScaleToDpi(4, FDpi) - pr.right);
    }
  }
  if (IsZoomed(FHandle) || IsIconic(FHandle)) return;
  RECT w;
  GetWindowRect(FHandle, &w);
  const int current = w.right - w.left;
  const int fitted = FittedOuterWidth(current, FBaseOuterWidth, overflow);
  if (fitted == current) return;
  if (!FBaseOuterWidth) FBaseOuterWidth = current;
  if (fitted == FBaseOuterWidth) FBaseOuterWidth = 0;
  FFittedOuterWidth = fitted;
  FFittingWidth = true;
  SetWindowPos(FHandle, nullptr, w.left - (fitted - current) / 2, w.top, fitted, w.bottom - w.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FFittingWidth = false;
}

void TLauncherForm::FitMemoScrollBar(int Id) { ::FitMemoScrollBar(Control(Id)); }

// Labels that size themselves to their text, as at design time.
void TLauncherForm::FitLabel(int Id) {
  const TControlDef* def = FindControlDef(Id);
  if (!def || def->Kind != ckLabel || !(def->Style & stAutoSize)) return;
  LayoutChildren(def->ParentId, def->ParentId ? Control(def->ParentId) : FHandle);
}

// Moving to a monitor of another scale: fonts, pictures and the layout follow
// it, and the window takes the place the system suggests.
void TLauncherForm::OnDpiChanged(int Dpi, const RECT& Suggested) {
  if (Dpi <= 0) return;
  // Each control keeps the weight it has now (some change theirs with what
  // they say), in the new scale's font of that weight.
  enum TWeight { wtNormal, wtBold, wtSmall, wtDesign };
  std::vector<TWeight> weights;
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    HWND h = Control(ControlDefs()[i].Id);
    const HFONT now = h ? reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)) : nullptr;
    weights.push_back(now == FRes.Normal.Get() ? wtNormal
                      : now == FRes.Bold.Get() ? wtBold
                      : now == FRes.Small.Get() ? wtSmall
                                                : wtDesign);
  }
  FDpi = Dpi;
  FRes.Load(FInstance, FDpi);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    const HFONT fonts[] = {FRes.Normal.Get(), FRes.Bold.Get(), FRes.Small.Get(), DesignFont(def)};
    if (HWND h = Control(def.Id)) {
      SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[weights[i]]), FALSE);
      SetItemHeight(def, h);
    }
  }
  // A width remembered in the old scale's pixels means nothing in the new one.
  FBaseOuterWidth = 0;
  SetWindowPos(FHandle, nullptr, Suggested.left, Suggested.top, Suggested.right - Suggested.left,
               Suggested.bottom - Suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  for (size_t i = 0; i < ControlDefCount(); ++i) FitButtonGlyph(ControlDefs()[i].Id);
  InvalidateRect(FHandle, nullptr, TRUE);
}
