#include "wizard/win32/TextFitting.h"

#include <commctrl.h>

#include "utils/win32/Handles.h"
#include "wizard/AccessibleNames.h"
#include "wizard/Layout.h"

namespace {
HFONT FontOf(HWND Control) { return reinterpret_cast<HFONT>(SendMessageA(Control, WM_GETFONT, 0, 0)); }

std::string CaptionOf(HWND Control) {
  int N = GetWindowTextLengthA(Control);
  std::string S(static_cast<size_t>(N > 0 ? N : 0) + 1, '\0');
  if (N > 0) N = GetWindowTextA(Control, &S[0], N + 1);
  S.resize(N > 0 ? static_cast<size_t>(N) : 0);
  return S;
}
}  // namespace

SIZE TextExtent(HWND Window, HFONT Font, const std::string& Text) {
  const TWindowDc Dc = WindowDc(Window);
  const TSelection Selected = SelectInto(Dc.Get().Dc, Font);
  RECT Extent = {0, 0, 0, 0};
  DrawTextA(Dc.Get().Dc, Text.c_str(), -1, &Extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {Extent.right, Extent.bottom};
}

int CaptionWidth(HWND Control, bool AccessKeys) {
  return TextExtent(Control, FontOf(Control), SpokenText(CaptionOf(Control), AccessKeys)).cx;
}

void FitButtonGlyph(HWND Button, HIMAGELIST Glyph, UINT Align, bool Always, int Dpi) {
  RECT Rc;
  GetClientRect(Button, &Rc);
  const int Room = Rc.right - ScaleToDpi(12, Dpi);  // the button's own frame and padding
  const bool Fits = Always || CaptionWidth(Button, true) + ScaleToDpi(16 + 6, Dpi) <= Room;
  BUTTON_IMAGELIST Bil = {};
  Bil.himl = Fits ? Glyph : nullptr;
  Bil.margin = {3, 0, 3, 0};
  Bil.uAlign = Align;
  SendMessageA(Button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&Bil));
  InvalidateRect(Button, nullptr, TRUE);
}

void FitMemoScrollBar(HWND Memo) {
  RECT Rc;
  GetClientRect(Memo, &Rc);
  TEXTMETRICA Tm = {};
  {
    const TWindowDc Dc = WindowDc(Memo);
    const TSelection Font = SelectInto(Dc.Get().Dc, FontOf(Memo));
    GetTextMetricsA(Dc.Get().Dc, &Tm);
  }
  const LRESULT Lines = SendMessageA(Memo, EM_GETLINECOUNT, 0, 0);
  const LONG LineHeight = Tm.tmHeight > 0 ? Tm.tmHeight : 1;
  ShowScrollBar(Memo, SB_VERT, Lines * LineHeight > Rc.bottom - Rc.top + LineHeight);
}
