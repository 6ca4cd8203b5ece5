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
    LRESULT R = DefWindowProcA(Hwnd, Msg, W, L);
    InvalidateRect(Hwnd, nullptr, TRUE);
    return R;
  }
  if (Msg != WM_PAINT) return DefWindowProcA(Hwnd, Msg, W, L);
  TLauncherForm* Form = FormOf(Hwnd);
  const TControlDef* Def = DefOf(Hwnd);
  PAINTSTRUCT Ps;
  HDC Dc = BeginPaint(Hwnd, &Ps);
  RECT Rc;
  GetClientRect(Hwnd, &Rc);
  if (Form && Def) {
    switch (Def->Kind) {
      case ckImage: {
        // Around its picture an image shows its parent's colour.
        const TControlDef* Parent = FindControlDef(Def->ParentId);
        const bool Teal = Parent && (Parent->Style & stTeal);
        FillRect(Dc, &Rc, Teal ? Form->FRes.Teal.Get() : GetSysColorBrush(COLOR_BTNFACE));
        DrawBitmap(Dc, Form->Picture(Def->Art), 0, 0, Rc.right, Rc.bottom, (Def->Style & stTransparent) != 0);
        break;
      }
      case ckBevel:
        FillRect(Dc, &Rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(Dc, &Rc, EDGE_ETCHED, BF_BOTTOM);
        break;
      default: {
        FillRect(Dc, &Rc, (Def->Style & stTeal) ? Form->FRes.Teal.Get() : GetSysColorBrush(COLOR_BTNFACE));
        if (Def->Style & stRaisedBevel) {
          DrawEdge(Dc, &Rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
          DrawEdge(Dc, &Rc, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        } else if (Def->Style & stLoweredBevel) {
          DrawEdge(Dc, &Rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        }
        char Text[1024];
        int N = GetWindowTextA(Hwnd, Text, sizeof(Text));
        if (N > 0) {
          const TSelection Font = SelectInto(Dc, Form->FRes.Normal.Get());
          SetBkMode(Dc, TRANSPARENT);
          SetTextColor(Dc, (Def->Style & stNavy) ? Navy : GetSysColor(COLOR_WINDOWTEXT));
          RECT T = Rc;
          T.left += 3;
          DrawTextA(Dc, Text, N, &T, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
      }
    }
  }
  EndPaint(Hwnd, &Ps);
  return 0;
}

LRESULT TLauncherForm::OnCtlColor(HDC Dc, HWND Hwnd) {
  const TControlDef* Def = DefOf(Hwnd);
  if (Def && (Def->Style & stInfoBackground)) {
    SetTextColor(Dc, FRes.InfoText);
    SetBkColor(Dc, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    return reinterpret_cast<LRESULT>(FRes.InfoBackground.Get());
  }
  if (Def && Def->Kind == ckLabel) {
    SetBkMode(Dc, TRANSPARENT);
    SetTextColor(Dc, (Def->Style & stNavy) ? Navy : (Def->Style & stRed) ? Red : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcA(FHandle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(Dc), reinterpret_cast<LPARAM>(Hwnd));
}

HBITMAP TLauncherForm::Picture(TArt Art) const {
  switch (Art) {
    case arPicture:
      return FRes.Picture.Get();
    case arLogo:
      return FRes.Logo.Get();
    default:
      return nullptr;
  }
}

void TLauncherForm::OnMeasureItem(MEASUREITEMSTRUCT& Item) {
  const TControlDef* Def = FindControlDef(static_cast<int>(Item.CtlID));
  if (Def && Def->Kind == ckDriveList) Item.itemHeight = ScaleToDpi(16, FDpi);
}

void TLauncherForm::OnDrawItem(const DRAWITEMSTRUCT& Item) {
  const TControlDef* Def = FindControlDef(static_cast<int>(Item.CtlID));
  if (Def && Def->Kind == ckDriveList) OnDrawDriveItem(Item);
}
