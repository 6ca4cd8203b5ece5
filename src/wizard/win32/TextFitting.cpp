#include "wizard/win32/TextFitting.h"

#include <commctrl.h>

#include "utils/win32/Handles.h"
#include "wizard/AccessibleNames.h"
#include "wizard/Layout.h"

namespace {
HFONT FontOf(HWND Control) { return reinterpret_cast<HFONT>(SendMessageA(Control, WM_GETFONT, 0, 0)); }

std::string CaptionOf(HWND Control) {
  int n = GetWindowTextLengthA(Control);
  std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
  if (n > 0) n = GetWindowTextA(Control, &s[0], n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}
}  // namespace

SIZE TextExtent(HWND Window, HFONT Font, const std::string& Text) {
  const TWindowDc dc = WindowDc(Window);
  const TSelection font = SelectInto(dc.Get().Dc, Font);
  RECT extent = {0, 0, 0, 0};
  DrawTextA(dc.Get().Dc, Text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {extent.right, extent.bottom};
}

int CaptionWidth(HWND Control, bool AccessKeys) {
  return TextExtent(Control, FontOf(Control), SpokenText(CaptionOf(Control), AccessKeys)).cx;
}

void FitButtonGlyph(HWND Button, HIMAGELIST Glyph, UINT Align, bool Always, int Dpi) {
  RECT rc;
  GetClientRect(Button, &rc);
  const int room = rc.right - ScaleToDpi(12, Dpi);  // the button's own frame and padding
  const bool fits = Always || CaptionWidth(Button, true) + ScaleToDpi(16 + 6, Dpi) <= room;
  BUTTON_IMAGELIST bil = {};
  bil.himl = fits ? Glyph : nullptr;
  bil.margin = {3, 0, 3, 0};
  bil.uAlign = Align;
  SendMessageA(Button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  InvalidateRect(Button, nullptr, TRUE);
}

void FitMemoScrollBar(HWND Memo) {
  RECT rc;
  GetClientRect(Memo, &rc);
  TEXTMETRICA tm = {};
  {
    const TWindowDc dc = WindowDc(Memo);
    const TSelection font = SelectInto(dc.Get().Dc, FontOf(Memo));
    GetTextMetricsA(dc.Get().Dc, &tm);
  }
  const LRESULT lines = SendMessageA(Memo, EM_GETLINECOUNT, 0, 0);
  const LONG lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
  ShowScrollBar(Memo, SB_VERT, lines * lineHeight > rc.bottom - rc.top + lineHeight);
}
