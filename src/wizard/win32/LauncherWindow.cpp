// Window plumbing of TLauncherForm: classes, control creation from the layout
// table, layout on resize, colours, and the dispatch of messages to handlers.
#include <windowsx.h>

#include <algorithm>

#include "wizard/AccessibleNames.h"
#include "wizard/ControlIds.h"
#include "wizard/win32/AccessibleObject.h"
#include "wizard/win32/LauncherForm.h"

namespace {
const char* const ContainerClass = "TOUpdateContainer";
const char* const PanelClass = "TOUpdatePanel";
constexpr UINT_PTR Timer1 = 1;

TLauncherForm* FormOf(HWND Hwnd) {
  return reinterpret_cast<TLauncherForm*>(GetWindowLongPtrA(GetAncestor(Hwnd, GA_ROOT), GWLP_USERDATA));
}
}  // namespace


bool TLauncherForm::RegisterWindowClasses(HINSTANCE Instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.hInstance = Instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  wc.lpfnWndProc = WindowProc;
  wc.lpszClassName = OUPDATE_WINDOW_CLASS;
  wc.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(1));
  wc.hIconSm = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
  if (!RegisterClassExA(&wc)) return false;

  wc.hIcon = wc.hIconSm = nullptr;
  wc.lpfnWndProc = ContainerProc;
  wc.lpszClassName = ContainerClass;
  if (!RegisterClassExA(&wc)) return false;

  wc.lpfnWndProc = PanelProc;
  wc.lpszClassName = PanelClass;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  return RegisterClassExA(&wc) != 0;
}

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
      if (GetDlgCtrlID(Hwnd) == ID_TabSheet2)
        if (TLauncherForm* form = FormOf(Hwnd)) form->Guard([form] { form->TabSheet2Resize(); });
      break;
  }
  return DefWindowProcA(Hwnd, Msg, W, L);
}

// The hidden operator-input edit hands Enter to its key handler first.
LRESULT CALLBACK TLauncherForm::InputEditProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR, DWORD_PTR) {
  // Enter is the edit's own key, not the window's default button.
  if (Msg == WM_GETDLGCODE) return DefSubclassProc(Hwnd, Msg, W, L) | DLGC_WANTALLKEYS;
  if (Msg == WM_CHAR) {
    if (TLauncherForm* form = FormOf(Hwnd)) {
      char key = static_cast<char>(W);
      form->Guard([form, &key] { form->edOUEInputKeyPress(key); });
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
    // A screen reader reads out each new section and the result as they come.
    if ((Id == ID_lbCurrentStepTitle && FActivePage == pgProgress) || Id == ID_txtCompletionStatusInfo)
      AnnounceChange(h);
    FitLabel(Id);
    if (Id == ID_btPrev || Id == ID_btNext || Id == ID_btExit) FitButtonGlyph(Id);
  }
}

void TLauncherForm::RepaintNow(int Id) {
  if (HWND h = Control(Id)) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
  }
}

HWND TLauncherForm::CreateControl(const TControlDef& Def, HWND Parent) {
  const char* cls = "STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex = 0;
  if (!(Def.Style & stHidden) && Def.Kind != ckContainer) style |= WS_VISIBLE;
  switch (Def.Kind) {
    case ckContainer:
      cls = ContainerClass;
      style |= WS_CLIPCHILDREN;
      ex |= WS_EX_CONTROLPARENT;
      if (Def.Id == ID_PageControl1) style |= WS_VISIBLE | WS_TABSTOP;
      break;
    case ckPanel:
    case ckImage:
    case ckBevel:
      cls = PanelClass;
      if (Def.Id == ID_pnlImage) ex |= WS_EX_CONTROLPARENT;
      break;
    case ckLabel:
      style |= SS_LEFT;
      if (!(Def.Style & stWordWrap)) style |= SS_LEFTNOWORDWRAP;
      if (!(Def.Style & stAccel)) style |= SS_NOPREFIX;
      break;
    case ckButton:
      cls = "BUTTON";
      style |= WS_TABSTOP | ((Def.Style & stDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case ckEdit:
      cls = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      if (!(Def.Style & stBorderless)) ex |= WS_EX_CLIENTEDGE;
      break;
    case ckMemo:
      cls = "EDIT";
      style |= ES_MULTILINE | ES_AUTOVSCROLL;
      if (Def.Style & stReadOnly) style |= ES_READONLY;
      if (Def.Style & stBothScroll) style |= WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL;
      // A long failure text (the engine's last output) must be readable to its end.
      if (Def.Id == ID_txtCompletionStatusInfo) style |= WS_VSCROLL;
      if (!(Def.Style & stNoTabStop)) style |= WS_TABSTOP;
      if (!(Def.Style & stBorderless)) ex |= WS_EX_CLIENTEDGE;
      break;
    case ckGrid:
      cls = WC_LISTVIEWA;
      style |= WS_TABSTOP | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
      ex |= WS_EX_CLIENTEDGE;
      break;
    case ckProgress:
      cls = PROGRESS_CLASSA;
      style |= PBS_SMOOTH;
      break;
    case ckComboList:
      cls = WC_COMBOBOXA;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case ckDriveList:
      cls = WC_COMBOBOXA;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
  }
  HWND h = CreateWindowExA(ex, cls, "", style, 0, 0, 10, 10, Parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(Def.Id)), FInstance, nullptr);
  if (!h) return nullptr;
  HFONT font = (Def.Style & stSmallFont) ? FRes.Small.Get() : (Def.Style & stBold) ? FRes.Bold.Get() : FRes.Normal.Get();
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  FControls[Def.Id] = h;
  return h;
}

void TLauncherForm::CreateControls() {
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    HWND parent = def.ParentId ? Control(def.ParentId) : FHandle;
    HWND h = CreateControl(def, parent);
    if (AccessibleNameSource(def.Id).Kind != nkOwnText)
      GiveAccessibleName(h, [this, id = def.Id] { return AccessibleName(id); });
  }
  SetWindowTextA(Control(ID_btUpdateFilesPathBrowse), "...");
  SendMessageA(Control(ID_edOUEInput), EM_LIMITTEXT, 0, 0);
  SendMessageA(Control(ID_memOUEOutput), EM_LIMITTEXT, 0, 0);
  ShowScrollBar(Control(ID_txtCompletionStatusInfo), SB_VERT, FALSE);
  SetWindowSubclass(Control(ID_edOUEInput), InputEditProc, 1, 0);

  FitButtonGlyph(ID_btUpdateSystem);

  HWND grid = Control(ID_grdUpdateFileList);
  ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  ImageList_Destroy(ListView_SetImageList(grid, ImageList_Create(1, ScaleToDpi(16, FDpi), ILC_COLOR, 1, 0),
                                          LVSIL_SMALL));
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = ScaleToDpi(190, FDpi);
  col.pszText = const_cast<char*>("");
  ListView_InsertColumn(grid, 0, &col);
  SendMessageA(Control(ID_sbarProgress), PBM_SETRANGE32, 0, 0);
  SendMessageA(Control(ID_cbSnapshotDrive), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ScaleToDpi(16, FDpi));
  SendMessageA(Control(ID_cbSnapshotDrive), CB_SETITEMHEIGHT, 0, ScaleToDpi(16, FDpi));
  SetTimer(FHandle, Timer1, 1000, nullptr);
}

void TLauncherForm::LayoutChildren(int ParentId, HWND Parent) {
  RECT rc;
  GetClientRect(Parent, &rc);
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    if (def.ParentId != ParentId) continue;
    HWND h = Control(def.Id);
    if (!h) continue;
    int w = 0, hgt = 0;
    if (def.Kind == ckLabel && (def.Style & stAutoSize)) {
      std::string text = ControlText(def.Id);
      HDC dc = GetDC(h);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
      RECT t = {0, 0, 0, 0};
      UINT flags = DT_CALCRECT | DT_SINGLELINE | ((def.Style & stAccel) ? 0 : DT_NOPREFIX);
      DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &t, flags);
      SelectObject(dc, old);
      ReleaseDC(h, dc);
      w = t.right + 1;
      hgt = t.bottom;
    } else if (def.Kind == ckComboList || def.Kind == ckDriveList) {
      hgt = ScaleToDpi(def.Height, FDpi) + ScaleToDpi(160, FDpi);  // room for the dropped-down list
    }
    TRect r = AnchoredRect(def, rc.right, rc.bottom, FDpi, w, hgt);
    if (def.Id == ID_lbSnapshotDriveSizeInfo) {
      const TControlDef* listDef = FindControlDef(ID_cbSnapshotDrive);
      TRect list = AnchoredRect(*listDef, rc.right, rc.bottom, FDpi, 0,
                                ScaleToDpi(listDef->Height, FDpi) + ScaleToDpi(160, FDpi));
      KeepLabelInside(r, list, rc.right, ScaleToDpi(2, FDpi), ScaleToDpi(3, FDpi));
      MoveWindow(Control(ID_cbSnapshotDrive), list.Left, list.Top, list.Width(), list.Height(), TRUE);
    }
    MoveWindow(h, r.Left, r.Top, r.Width(), r.Height(), TRUE);
    if (def.Kind == ckContainer || def.Id == ID_pnlImage) LayoutChildren(def.Id, h);
  }
}

void TLauncherForm::LayoutControls() { LayoutChildren(0, FHandle); }

LRESULT TLauncherForm::HandleMessage(UINT Msg, WPARAM W, LPARAM L) {
  switch (Msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(W), HIWORD(W), reinterpret_cast<HWND>(L));
      return 0;
    case WM_TIMER:
      if (W == Timer1) Guard([this] { Timer1Timer(); });
      return 0;
    case WM_SIZE:
      LayoutControls();
      if (FBaseOuterWidth && !FFittingWidth) {
        // A width the wizard did not choose is the operator's, and wins.
        RECT w;
        GetWindowRect(FHandle, &w);
        if (w.right - w.left != FFittedOuterWidth) FBaseOuterWidth = 0;
      }
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
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(L);
      if (mi->CtlID == ID_cbSnapshotDrive) mi->itemHeight = ScaleToDpi(16, FDpi);
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(L);
      if (di->CtlID == ID_cbSnapshotDrive) OnDrawDriveItem(*di);
      return TRUE;
    }
    case DM_GETDEFID: {
      // Enter presses Next only while Next can be pressed.
      HWND next = Control(ID_btNext);
      if (next && IsWindowVisible(next) && IsWindowEnabled(next)) return MAKELRESULT(ID_btNext, DC_HASDEFID);
      return 0;
    }
    case WM_ACTIVATE:
      // As a dialog does: the keyboard focus leaves with the window and comes
      // back to the same control.
      if (LOWORD(W) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(FHandle, focus)) FFocus = focus;
      } else if (FFocus && IsWindow(FFocus) && !HIWORD(W)) {
        SetFocus(FFocus);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      FormClick();
      return 0;
    case WM_CLOSE: {
      bool canClose = false;
      Guard([this, &canClose] { canClose = FormCloseQuery(); });
      if (canClose) Terminate();
      return 0;
    }
    case WM_QUERYENDSESSION: {
      bool canClose = false;
      Guard([this, &canClose] { canClose = FormCloseQuery(); });
      return canClose;
    }
    case WM_DESTROY:
      KillTimer(FHandle, Timer1);
      return 0;
  }
  return DefWindowProcA(FHandle, Msg, W, L);
}

void TLauncherForm::OnCommand(int Id, int Code, HWND) {
  switch (Id) {
    case ID_btNext:
    case ID_btUpdateSystem:
      if (Code == BN_CLICKED) Guard([this] { btNextClick(); });
      break;
    case ID_btPrev:
      if (Code == BN_CLICKED) Guard([this] { btPrevClick(); });
      break;
    case ID_btExit:
      if (Code == BN_CLICKED) Guard([this] { btExitClick(); });
      break;
    case ID_btUpdateFilesPathBrowse:
      if (Code == BN_CLICKED) Guard([this] { btUpdateFilesPathBrowseClick(); });
      break;
    case ID_edUpdateFilesPath:
      if (Code == EN_CHANGE) Guard([this] { edUpdateFilesPathChange(); });
      break;
    case ID_cbLocale:
      if (Code == CBN_SELCHANGE) Guard([this] { cbLocaleChange(); });
      break;
    case ID_cbSnapshotDrive:
      if (Code == CBN_SELCHANGE) Guard([this] { cbSnapshotDriveChange(); });
      break;
  }
}
