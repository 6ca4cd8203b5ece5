// TLauncherForm: fitting the window to its texts. Languages differ in
// length: labels size themselves, buttons drop their pictures when the
// caption needs the room, the window widens for long single lines, and memos
// show a scroll bar only when their text needs one.
#include <algorithm>

#include "wizard/ControlIds.h"
#include "wizard/win32/LauncherForm.h"

// Width of a control's text in its own font; "&" taken as an access key
// unless the control shows it.
int TLauncherForm::TextWidth(int Id, bool AccessKeys) const {
  HWND h = Control(Id);
  const std::string text = ControlText(Id);
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
  RECT t = {0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &t, DT_CALCRECT | DT_SINGLELINE | (AccessKeys ? 0 : DT_NOPREFIX));
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return t.right;
}

// A button shows its picture beside its caption only while both fit: a
// caption such as "&Siguiente >" needs the whole button.
void TLauncherForm::FitButtonGlyph(int Id) {
  const TImageList* list = nullptr;
  UINT align = BUTTON_IMAGELIST_ALIGN_LEFT;
  switch (Id) {
    case ID_btUpdateSystem: list = &FRes.UpdateGlyph; align = BUTTON_IMAGELIST_ALIGN_CENTER; break;
    case ID_btPrev: list = &FRes.PrevGlyph; break;
    case ID_btNext: list = &FRes.NextGlyph; align = BUTTON_IMAGELIST_ALIGN_RIGHT; break;
    case ID_btExit: list = &FRes.ExitGlyph; break;
    default: return;
  }
  RECT rc;
  GetClientRect(Control(Id), &rc);
  const int room = rc.right - ScaleToDpi(12, FDpi);  // the button's own frame and padding
  const bool fits = Id == ID_btUpdateSystem || TextWidth(Id, true) + ScaleToDpi(16 + 6, FDpi) <= room;
  BUTTON_IMAGELIST bil = {};
  bil.himl = fits ? list->Get() : nullptr;
  bil.margin = {3, 0, 3, 0};
  bil.uAlign = align;
  SendMessageA(Control(Id), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  InvalidateRect(Control(Id), nullptr, TRUE);
}

// Titles and the assistance line are single lines: when a language's text is
// longer than its place, the window widens so that none of it is cut, and it
// goes back to its width once the texts fit there again.
void TLauncherForm::FitSingleLineTexts() {
  int overflow = -ScaleToDpi(DesignClientWidth, FDpi);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    if (def.Kind != ckLabel || def.Id == ID_lbSnapshotDriveSizeInfo || def.Id == ID_lbServerVersion) continue;
    HWND h = Control(def.Id);
    const int width = TextWidth(def.Id, (def.Style & stAccel) != 0);
    if (def.Id == ID_lbResponceCenter) {
      RECT rc;
      GetClientRect(h, &rc);
      overflow = std::max<int>(overflow, width + 2 - rc.right);
    } else if (def.Style & stAutoSize) {
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

// A memo shows its vertical scroll bar only while its text is taller than it.
void TLauncherForm::FitMemoScrollBar(int Id) {
  HWND memo = Control(Id);
  RECT rc;
  GetClientRect(memo, &rc);
  HDC dc = GetDC(memo);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(memo, dc);
  const LRESULT lines = SendMessageA(memo, EM_GETLINECOUNT, 0, 0);
  const LONG lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
  ShowScrollBar(memo, SB_VERT, lines * lineHeight > rc.bottom - rc.top + lineHeight);
}

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
  FDpi = Dpi;
  FRes.Load(FInstance, FDpi);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    HFONT font = (def.Style & stSmallFont) ? FRes.Small.Get() : (def.Style & stBold) ? FRes.Bold.Get() : FRes.Normal.Get();
    if (def.Id == ID_lbSnapshotDriveSizeInfo) font = FSnapshotLabelBold ? FRes.Bold.Get() : FRes.Normal.Get();
    if (HWND h = Control(def.Id)) SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  HWND grid = Control(ID_grdUpdateFileList);
  ImageList_Destroy(ListView_SetImageList(grid, ImageList_Create(1, ScaleToDpi(16, FDpi), ILC_COLOR, 1, 0),
                                          LVSIL_SMALL));
  SendMessageA(Control(ID_cbSnapshotDrive), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ScaleToDpi(16, FDpi));
  SendMessageA(Control(ID_cbSnapshotDrive), CB_SETITEMHEIGHT, 0, ScaleToDpi(16, FDpi));
  // A width remembered in the old scale's pixels means nothing in the new one.
  FBaseOuterWidth = 0;
  SetWindowPos(FHandle, nullptr, Suggested.left, Suggested.top, Suggested.right - Suggested.left,
               Suggested.bottom - Suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  for (int id : {ID_btUpdateSystem, ID_btPrev, ID_btNext, ID_btExit}) FitButtonGlyph(id);
  InvalidateRect(FHandle, nullptr, TRUE);
}
