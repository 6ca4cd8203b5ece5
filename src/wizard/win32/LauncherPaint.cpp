// TLauncherForm: how the window's own panels, pictures and texts are drawn.
#include "wizard/win32/LauncherForm.h"

namespace {
constexpr COLORREF Navy = RGB(0, 0, 128);
constexpr COLORREF Red = RGB(255, 0, 0);

TLauncherForm* FormOf(HWND Hwnd) {
  return reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(GetAncestor(Hwnd, GA_ROOT), GWLP_USERDATA));
}
const TControlDef* DefOf(HWND Hwnd) { return FindControlDef(GetDlgCtrlID(Hwnd)); }
}  // namespace

// Panels, images and the bevel draw themselves from their layout entry.
LRESULT CALLBACK TLauncherForm::PanelProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_SETTEXT) {
    LRESULT r = DefWindowProcA(Hwnd, Msg, W, L);
    InvalidateRect(Hwnd, nullptr, TRUE);
    return r;
  }
  if (Msg != WM_PAINT) return DefWindowProcA(Hwnd, Msg, W, L);
  TLauncherForm* form = FormOf(Hwnd);
  const TControlDef* def = DefOf(Hwnd);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd, &ps);
  RECT rc;
  GetClientRect(Hwnd, &rc);
  if (form && def) {
    switch (def->Kind) {
      case ckImage: {
        // Around its picture an image shows its parent's colour.
        const TControlDef* parent = FindControlDef(def->ParentId);
        const bool teal = parent && (parent->Style & stTeal);
        FillRect(dc, &rc, teal ? form->FRes.Teal.Get() : GetSysColorBrush(COLOR_BTNFACE));
        DrawBitmap(dc, form->Picture(def->Art), 0, 0, rc.right, rc.bottom, (def->Style & stTransparent) != 0);
        break;
      }
      case ckBevel:
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &rc, EDGE_ETCHED, BF_BOTTOM);
        break;
      default: {
        FillRect(dc, &rc, (def->Style & stTeal) ? form->FRes.Teal.Get() : GetSysColorBrush(COLOR_BTNFACE));
        if (def->Style & stRaisedBevel) {
          DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
          DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        } else if (def->Style & stLoweredBevel) {
          DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        }
        char text[1024];
        int n = GetWindowTextA(Hwnd, text, sizeof(text));
        if (n > 0) {
          const TSelection font = SelectInto(dc, form->FRes.Normal.Get());
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, (def->Style & stNavy) ? Navy : GetSysColor(COLOR_WINDOWTEXT));
          RECT t = rc;
          t.left += 3;
          DrawTextA(dc, text, n, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
      }
    }
  }
  EndPaint(Hwnd, &ps);
  return 0;
}

LRESULT TLauncherForm::OnCtlColor(HDC Dc, HWND Hwnd) {
  const TControlDef* def = DefOf(Hwnd);
  if (def && (def->Style & stInfoBackground)) {
    SetTextColor(Dc, FRes.InfoText);
    SetBkColor(Dc, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    return reinterpret_cast<LRESULT>(FRes.InfoBackground.Get());
  }
  if (def && def->Kind == ckLabel) {
    SetBkMode(Dc, TRANSPARENT);
    SetTextColor(Dc, (def->Style & stNavy) ? Navy : (def->Style & stRed) ? Red : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcA(FHandle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(Dc), reinterpret_cast<LPARAM>(Hwnd));
}

HBITMAP TLauncherForm::Picture(TArt Art) const {
  switch (Art) {
    case arPicture: return FRes.Picture.Get();
    case arLogo: return FRes.Logo.Get();
    default: return nullptr;
  }
}

void TLauncherForm::OnMeasureItem(MEASUREITEMSTRUCT& Item) {
  const TControlDef* def = FindControlDef(static_cast<int>(Item.CtlID));
  if (def && def->Kind == ckDriveList) Item.itemHeight = ScaleToDpi(16, FDpi);
}

void TLauncherForm::OnDrawItem(const DRAWITEMSTRUCT& Item) {
  const TControlDef* def = FindControlDef(static_cast<int>(Item.CtlID));
  if (def && def->Kind == ckDriveList) OnDrawDriveItem(Item);
}
