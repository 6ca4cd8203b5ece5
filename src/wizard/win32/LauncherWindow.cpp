// Window plumbing of TLauncherForm: window procedures, the default error
// display, control texts, layout on resize, and the dispatch of messages.
#include <windowsx.h>

#include <algorithm>

#include "wizard/AccessibleNames.h"
#include "wizard/ControlIds.h"
#include "wizard/win32/AccessibleObject.h"
#include "wizard/win32/LauncherForm.h"
#include "wizard/win32/TextFitting.h"

namespace {
TLauncherForm* FormOf(HWND Hwnd) {
  return reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(GetAncestor(Hwnd, GA_ROOT), GWLP_USERDATA));
}
}  // namespace

LRESULT CALLBACK TLauncherForm::WindowProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_NCCREATE) {
    auto* Form = static_cast<TLauncherForm*>(reinterpret_cast<CREATESTRUCTA*>(L)->lpCreateParams);
    Form->FHandle = Hwnd;
    SetWindowLongPtrA(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Form));
  }
  auto* Form = reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(Hwnd, GWLP_USERDATA));
  if (!Form) return DefWindowProcA(Hwnd, Msg, W, L);
  return Form->HandleMessage(Msg, W, L);
}

// Pages and the page control only hold controls; what their controls report
// belongs to the window.
LRESULT CALLBACK TLauncherForm::ContainerProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L) {
  switch (Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(GetAncestor(Hwnd, GA_ROOT), Msg, W, L);
    case WM_SIZE:
      if (TLauncherForm* Form = FormOf(Hwnd)) Form->OnContainerResize(GetDlgCtrlID(Hwnd));
      break;
  }
  return DefWindowProcA(Hwnd, Msg, W, L);
}

// An edit that wants Enter hands it to its key handler first.
LRESULT CALLBACK TLauncherForm::InputEditProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR, DWORD_PTR) {
  // Enter is the edit's own key, not the window's default button.
  if (Msg == WM_GETDLGCODE) return DefSubclassProc(Hwnd, Msg, W, L) | DLGC_WANTALLKEYS;
  if (Msg == WM_CHAR) {
    if (TLauncherForm* Form = FormOf(Hwnd)) {
      char Key = static_cast<char>(W);
      Form->OnKeyPress(GetDlgCtrlID(Hwnd), Key);
      W = static_cast<unsigned char>(Key);
    }
  }
  return DefSubclassProc(Hwnd, Msg, W, L);
}

void TLauncherForm::Guard(const std::function<void()>& Handler) {
  try {
    Handler();
  } catch (const std::exception& E) {
    ShowError(E.what());
  } catch (...) {
    ShowError("Unexpected error.");
  }
}

void TLauncherForm::ShowError(const std::string& Message) {
  // Like the platform's own error reports, a message always ends in a full stop.
  std::string Text = Message;
  if (!Text.empty() && static_cast<unsigned char>(Text.back()) > '.') Text += '.';
  ShowMessageBox(Text, FApplicationTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

HWND TLauncherForm::Control(int Id) const {
  auto It = FControls.find(Id);
  return It == FControls.end() ? nullptr : It->second;
}

std::string TLauncherForm::ControlText(int Id) const {
  HWND H = Control(Id);
  int N = H ? GetWindowTextLengthA(H) : 0;
  std::string S(static_cast<size_t>(N) + 1, '\0');
  if (N > 0) N = GetWindowTextA(H, &S[0], N + 1);
  S.resize(N > 0 ? static_cast<size_t>(N) : 0);
  return S;
}

void TLauncherForm::SetText(int Id, const std::string& Text) {
  if (HWND H = Control(Id)) {
    if (ControlText(Id) == Text) return;
    SetWindowTextA(H, Text.c_str());
    const TControlDef* Def = FindControlDef(Id);
    if (!Def) return;
    // A screen reader reads out each new section and the result as they come.
    if ((Def->Style & stAnnounce) ||
        ((Def->Style & stAnnounceWhenShown) && Def->ParentId == PageContainerId(FActivePage)))
      AnnounceChange(H);
    FitLabel(Id);
    if (Def->Kind == ckButton && Def->Art != arNone) FitButtonGlyph(Id);
  }
}

void TLauncherForm::RepaintNow(int Id) {
  if (HWND H = Control(Id)) {
    InvalidateRect(H, nullptr, TRUE);
    UpdateWindow(H);
  }
}

// Where a control stands in a parent of ParentWidth x ParentHeight: labels
// sized to their text take its size, lists reserve room to drop down.
TRect TLauncherForm::PlaceControl(const TControlDef& Def, int ParentWidth, int ParentHeight) const {
  int W = 0, Hgt = 0;
  if (Def.Kind == ckLabel && (Def.Style & stAutoSize)) {
    HWND H = Control(Def.Id);
    const std::string Text = ControlText(Def.Id);
    const SIZE Extent = TextExtent(H, reinterpret_cast<HFONT>(SendMessageA(H, WM_GETFONT, 0, 0)),
                                   Text.empty() ? " " : SpokenText(Text, (Def.Style & stAccel) != 0));
    W = Extent.cx + 1;
    Hgt = Extent.cy;
  } else if (Def.Kind == ckComboList || Def.Kind == ckDriveList) {
    Hgt = ScaleToDpi(Def.Height, FDpi) + ScaleToDpi(160, FDpi);  // room for the dropped-down list
  }
  return AnchoredRect(Def, ParentWidth, ParentHeight, FDpi, W, Hgt);
}

void TLauncherForm::LayoutChildren(int ParentId, HWND Parent) {
  // A minimised window has no client area to fit: its controls keep their
  // places until it is restored, which lays them out again.
  if (IsIconic(FHandle)) return;
  RECT Rc;
  GetClientRect(Parent, &Rc);
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& Def = ControlDefs()[I];
    if (Def.ParentId != ParentId) continue;
    HWND H = Control(Def.Id);
    if (!H) continue;
    TRect R = PlaceControl(Def, Rc.right, Rc.bottom);
    const TControlDef* Neighbour = (Def.Style & stKeepInside) ? FindControlDef(Def.Neighbour) : nullptr;
    if (Neighbour) {
      TRect N = PlaceControl(*Neighbour, Rc.right, Rc.bottom);
      KeepLabelInside(R, N, Rc.right, ScaleToDpi(2, FDpi), ScaleToDpi(3, FDpi));
      MoveWindow(Control(Neighbour->Id), N.Left, N.Top, N.Width(), N.Height(), TRUE);
    }
    MoveWindow(H, R.Left, R.Top, R.Width(), R.Height(), TRUE);
    if (HoldsControls(Def.Id)) LayoutChildren(Def.Id, H);
  }
}

void TLauncherForm::LayoutControls() { LayoutChildren(0, FHandle); }

void TLauncherForm::OnSize(WPARAM Kind) {
  if (Kind == SIZE_MINIMIZED) return;
  LayoutControls();
  if (FBaseOuterWidth && !FFittingWidth) {
    // A width the wizard did not choose is the operator's, and wins.
    RECT W;
    GetWindowRect(FHandle, &W);
    if (W.right - W.left != FFittedOuterWidth) FBaseOuterWidth = 0;
  }
}

// As a dialog does: the keyboard focus leaves with the window and comes back
// to the same control. True when the focus has been given back.
bool TLauncherForm::OnActivate(WPARAM W) {
  if (LOWORD(W) == WA_INACTIVE) {
    HWND Focus = GetFocus();
    if (Focus && IsChild(FHandle, Focus)) FFocus = Focus;
  } else if (FFocus && IsWindow(FFocus) && !HIWORD(W)) {
    SetFocus(FFocus);
    return true;
  }
  return false;
}

bool TLauncherForm::CanClose() {
  bool CanClose = false;
  Guard([this, &CanClose] { CanClose = FormCloseQuery(); });
  return CanClose;
}

// Nobody could answer the hidden window's refusal (/quiet, /check): it ends,
// and the walk writes the log and the code of what had happened so far. A
// /passive window ends by itself; the operator watches.
void TLauncherForm::OnCloseRequest() {
  if (FOptions.Mode == TRunMode::Quiet || FOptions.Mode == TRunMode::Check) {
    FCloseRequested = true;
    Terminate();
  } else if (FOptions.Mode != TRunMode::Passive && CanClose()) {
    Terminate();
  }
}

LRESULT TLauncherForm::HandleMessage(UINT Msg, WPARAM W, LPARAM L) {
  switch (Msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(W), HIWORD(W), reinterpret_cast<HWND>(L));
      return 0;
    case WM_TIMER:
      if (W == Timer1) Guard([this] { Timer1Timer(); });
      return 0;
    case WM_SIZE:
      OnSize(W);
      return 0;
    case WM_DPICHANGED:
      Guard([this, W, L] { OnDpiChanged(HIWORD(W), *reinterpret_cast<const RECT*>(L)); });
      return 0;
    case WM_GETMINMAXINFO: {
      auto* Mmi = reinterpret_cast<MINMAXINFO*>(L);
      Mmi->ptMinTrackSize.x = ScaleToDpi(MinOuterWidth, FDpi);
      Mmi->ptMinTrackSize.y = ScaleToDpi(MinOuterHeight, FDpi);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnCtlColor(reinterpret_cast<HDC>(W), reinterpret_cast<HWND>(L));
    case WM_MEASUREITEM:
      OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(L));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(L));
      return TRUE;
    case DM_GETDEFID: {
      // Enter presses the default button only while it can be pressed.
      HWND Button = Control(DefaultButtonId());
      if (Button && IsWindowVisible(Button) && IsWindowEnabled(Button))
        return MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
      return 0;
    }
    case WM_ACTIVATE:
      if (OnActivate(W)) return 0;
      break;
    case WM_LBUTTONDOWN:
      FormClick();
      return 0;
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_QUERYENDSESSION:
      return CanClose();
    case WM_DESTROY:
      KillTimer(FHandle, Timer1);
      return 0;
  }
  return DefWindowProcA(FHandle, Msg, W, L);
}
