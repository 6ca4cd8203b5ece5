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
    auto* form = static_cast<TLauncherForm*>(reinterpret_cast<CREATESTRUCTA*>(L)->lpCreateParams);
    form->FHandle = Hwnd;
    SetWindowLongPtrA(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(Hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(Hwnd, Msg, W, L);
  return form->HandleMessage(Msg, W, L);
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
      if (TLauncherForm* form = FormOf(Hwnd)) form->OnContainerResize(GetDlgCtrlID(Hwnd));
      break;
  }
  return DefWindowProcA(Hwnd, Msg, W, L);
}

// An edit that wants Enter hands it to its key handler first.
LRESULT CALLBACK TLauncherForm::InputEditProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR, DWORD_PTR) {
  // Enter is the edit's own key, not the window's default button.
  if (Msg == WM_GETDLGCODE) return DefSubclassProc(Hwnd, Msg, W, L) | DLGC_WANTALLKEYS;
  if (Msg == WM_CHAR) {
    if (TLauncherForm* form = FormOf(Hwnd)) {
      char key = static_cast<char>(W);
      form->OnKeyPress(GetDlgCtrlID(Hwnd), key);
      W = static_cast<unsigned char>(key);
    }
  }
  return DefSubclassProc(Hwnd, Msg, W, L);
}

void TLauncherForm::Guard(const std::function<void()>& Handler) {
  try {
    Handler();
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unexpected error.");
  }
}

void TLauncherForm::ShowError(const std::string& Message) {
  // Like the platform's own error reports, a message always ends in a full stop.
  std::string text = Message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  ShowMessageBox(text, FApplicationTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

HWND TLauncherForm::Control(int Id) const {
  auto it = FControls.find(Id);
  return it == FControls.end() ? nullptr : it->second;
}

std::string TLauncherForm::ControlText(int Id) const {
  HWND h = Control(Id);
  int n = h ? GetWindowTextLengthA(h) : 0;
  std::string s(static_cast<size_t>(n) + 1, '\0');
  if (n > 0) n = GetWindowTextA(h, &s[0], n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void TLauncherForm::SetText(int Id, const std::string& Text) {
  if (HWND h = Control(Id)) {
    if (ControlText(Id) == Text) return;
    SetWindowTextA(h, Text.c_str());
    const TControlDef* def = FindControlDef(Id);
    if (!def) return;
    // A screen reader reads out each new section and the result as they come.
    if ((def->Style & stAnnounce) ||
        ((def->Style & stAnnounceWhenShown) && def->ParentId == PageContainerId(FActivePage)))
      AnnounceChange(h);
    FitLabel(Id);
    if (def->Kind == ckButton && def->Art != arNone) FitButtonGlyph(Id);
  }
}

void TLauncherForm::RepaintNow(int Id) {
  if (HWND h = Control(Id)) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
  }
}

// Where a control stands in a parent of ParentWidth x ParentHeight: labels
// sized to their text take its size, lists reserve room to drop down.
TRect TLauncherForm::PlaceControl(const TControlDef& Def, int ParentWidth, int ParentHeight) const {
  int w = 0, hgt = 0;
  if (Def.Kind == ckLabel && (Def.Style & stAutoSize)) {
    HWND h = Control(Def.Id);
    const std::string text = ControlText(Def.Id);
    const SIZE extent = TextExtent(h, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)),
                                   text.empty() ? " " : SpokenText(text, (Def.Style & stAccel) != 0));
    w = extent.cx + 1;
    hgt = extent.cy;
  } else if (Def.Kind == ckComboList || Def.Kind == ckDriveList) {
    hgt = ScaleToDpi(Def.Height, FDpi) + ScaleToDpi(160, FDpi);  // room for the dropped-down list
  }
  return AnchoredRect(Def, ParentWidth, ParentHeight, FDpi, w, hgt);
}

void TLauncherForm::LayoutChildren(int ParentId, HWND Parent) {
  // A minimised window has no client area to fit: its controls keep their
  // places until it is restored, which lays them out again.
  if (IsIconic(FHandle)) return;
  RECT rc;
  GetClientRect(Parent, &rc);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    if (def.ParentId != ParentId) continue;
    HWND h = Control(def.Id);
    if (!h) continue;
    TRect r = PlaceControl(def, rc.right, rc.bottom);
    const TControlDef* neighbour = (def.Style & stKeepInside) ? FindControlDef(def.Neighbour) : nullptr;
    if (neighbour) {
      TRect n = PlaceControl(*neighbour, rc.right, rc.bottom);
      KeepLabelInside(r, n, rc.right, ScaleToDpi(2, FDpi), ScaleToDpi(3, FDpi));
      MoveWindow(Control(neighbour->Id), n.Left, n.Top, n.Width(), n.Height(), TRUE);
    }
    MoveWindow(h, r.Left, r.Top, r.Width(), r.Height(), TRUE);
    if (HoldsControls(def.Id)) LayoutChildren(def.Id, h);
  }
}

void TLauncherForm::LayoutControls() { LayoutChildren(0, FHandle); }

void TLauncherForm::OnSize(WPARAM Kind) {
  if (Kind == SIZE_MINIMIZED) return;
  LayoutControls();
  if (FBaseOuterWidth && !FFittingWidth) {
    // A width the wizard did not choose is the operator's, and wins.
    RECT w;
    GetWindowRect(FHandle, &w);
    if (w.right - w.left != FFittedOuterWidth) FBaseOuterWidth = 0;
  }
}

// As a dialog does: the keyboard focus leaves with the window and comes back
// to the same control. True when the focus has been given back.
bool TLauncherForm::OnActivate(WPARAM W) {
  if (LOWORD(W) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(FHandle, focus)) FFocus = focus;
  } else if (FFocus && IsWindow(FFocus) && !HIWORD(W)) {
    SetFocus(FFocus);
    return true;
  }
  return false;
}

bool TLauncherForm::CanClose() {
  bool canClose = false;
  Guard([this, &canClose] { canClose = FormCloseQuery(); });
  return canClose;
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
      auto* mmi = reinterpret_cast<MINMAXINFO*>(L);
      mmi->ptMinTrackSize.x = ScaleToDpi(MinOuterWidth, FDpi);
      mmi->ptMinTrackSize.y = ScaleToDpi(MinOuterHeight, FDpi);
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
      HWND button = Control(DefaultButtonId());
      if (button && IsWindowVisible(button) && IsWindowEnabled(button))
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
      if (CanClose()) Terminate();
      return 0;
    case WM_QUERYENDSESSION:
      return CanClose();
    case WM_DESTROY:
      KillTimer(FHandle, Timer1);
      return 0;
  }
  return DefWindowProcA(FHandle, Msg, W, L);
}
