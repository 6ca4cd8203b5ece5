// TLauncherForm: the window classes, and the controls built from the layout
// table: each row's kind and flags give its class, styles and set-up.
#include "wizard/AccessibleNames.h"
#include "wizard/ControlIds.h"
#include "wizard/win32/AccessibleObject.h"
#include "wizard/win32/LauncherForm.h"

namespace {
const char* const ContainerClass = "TOUpdateContainer";
const char* const PanelClass = "TOUpdatePanel";

struct TWindowKind {
  const char* Class = "STATIC";
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
};

// The window class and styles that make a row of the layout table.
TWindowKind WindowKindOf(const TControlDef& Def) {
  TWindowKind k;
  const auto either = [&Def](unsigned Flag, DWORD IfSet, DWORD IfNot) { return (Def.Style & Flag) ? IfSet : IfNot; };
  if (!(Def.Style & stHidden) && Def.Kind != ckPage) k.Style |= WS_VISIBLE;
  // Tab moves through the controls of the pages and panels that hold them.
  if (Def.Kind == ckContainer || Def.Kind == ckPage || HoldsControls(Def.Id)) k.ExStyle |= WS_EX_CONTROLPARENT;
  switch (Def.Kind) {
    case ckContainer:
      k.Class = ContainerClass;
      k.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
      break;
    case ckPage:
      k.Class = ContainerClass;
      k.Style |= WS_CLIPCHILDREN;
      break;
    case ckPanel:
    case ckImage:
    case ckBevel:
      k.Class = PanelClass;
      break;
    case ckLabel:
      k.Style |= SS_LEFT | either(stWordWrap, 0, SS_LEFTNOWORDWRAP) | either(stAccel, 0, SS_NOPREFIX);
      break;
    case ckButton:
      k.Class = "BUTTON";
      k.Style |= WS_TABSTOP | either(stDefault, BS_DEFPUSHBUTTON, BS_PUSHBUTTON);
      break;
    case ckEdit:
      k.Class = "EDIT";
      k.Style |= WS_TABSTOP | ES_AUTOHSCROLL;
      k.ExStyle |= either(stBorderless, 0, WS_EX_CLIENTEDGE);
      break;
    case ckMemo:
      k.Class = "EDIT";
      k.Style |= ES_MULTILINE | ES_AUTOVSCROLL | either(stReadOnly, ES_READONLY, 0) |
                 either(stBothScroll, WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL, 0) |
                 either(stScrollAsNeeded, WS_VSCROLL, 0) | either(stNoTabStop, 0, WS_TABSTOP);
      k.ExStyle |= either(stBorderless, 0, WS_EX_CLIENTEDGE);
      break;
    case ckGrid:
      k.Class = WC_LISTVIEWA;
      k.Style |= WS_TABSTOP | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
      k.ExStyle |= WS_EX_CLIENTEDGE;
      break;
    case ckProgress:
      k.Class = PROGRESS_CLASSA;
      k.Style |= PBS_SMOOTH;
      break;
    case ckComboList:
      k.Class = WC_COMBOBOXA;
      k.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case ckDriveList:
      k.Class = WC_COMBOBOXA;
      k.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
  }
  return k;
}
}  // namespace

HFONT TLauncherForm::DesignFont(const TControlDef& Def) const {
  return (Def.Style & stSmallFont) ? FRes.Small.Get() : (Def.Style & stBold) ? FRes.Bold.Get() : FRes.Normal.Get();
}

HWND TLauncherForm::CreateControl(const TControlDef& Def, HWND Parent) {
  const TWindowKind k = WindowKindOf(Def);
  HWND h = CreateWindowExA(k.ExStyle, k.Class, "", k.Style, 0, 0, 10, 10, Parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(Def.Id)), FInstance, nullptr);
  if (!h) return nullptr;
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DesignFont(Def)), FALSE);
  FControls[Def.Id] = h;
  return h;
}

// What a control needs beyond its window styles once it exists.
void TLauncherForm::SetUpControl(const TControlDef& Def, HWND Control) {
  if (Def.Caption) SetWindowTextA(Control, Def.Caption);
  if (Def.Style & stNoTextLimit) SendMessageA(Control, EM_LIMITTEXT, 0, 0);
  if (Def.Style & stScrollAsNeeded) ShowScrollBar(Control, SB_VERT, FALSE);
  if (Def.Style & stWantsEnter) SetWindowSubclass(Control, InputEditProc, 1, 0);
  if (Def.Kind == ckButton && Def.Art != arNone) FitButtonGlyph(Def.Id);
  if (Def.Kind == ckGrid) {
    ListView_SetExtendedListViewStyle(Control, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = ScaleToDpi(190, FDpi);
    col.pszText = const_cast<char*>("");
    ListView_InsertColumn(Control, 0, &col);
  }
  if (Def.Kind == ckProgress) SendMessageA(Control, PBM_SETRANGE32, 0, 0);
  SetItemHeight(Def, Control);
}

// Rows of grids and drive lists are as tall as a small picture at the
// window's scale.
void TLauncherForm::SetItemHeight(const TControlDef& Def, HWND Control) {
  const int height = ScaleToDpi(16, FDpi);
  if (Def.Kind == ckGrid) {
    // The list view takes its row height from its image list, and owns the
    // new one; the one it gave back is ours to destroy.
    const TImageListHandle previous(
        ListView_SetImageList(Control, ImageList_Create(1, height, ILC_COLOR, 1, 0), LVSIL_SMALL));
  } else if (Def.Kind == ckDriveList) {
    SendMessageA(Control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageA(Control, CB_SETITEMHEIGHT, 0, height);
  }
}

void TLauncherForm::CreateControls() {
  for (size_t i = 0; i < ControlDefCount(); ++i) {
    const TControlDef& def = ControlDefs()[i];
    HWND parent = def.ParentId ? Control(def.ParentId) : FHandle;
    HWND h = CreateControl(def, parent);
    if (AccessibleNameSource(def.Id).Kind != nkOwnText)
      GiveAccessibleName(h, [this, id = def.Id] { return AccessibleName(id); });
  }
  for (size_t i = 0; i < ControlDefCount(); ++i)
    if (HWND h = Control(ControlDefs()[i].Id)) SetUpControl(ControlDefs()[i], h);
  SetTimer(FHandle, Timer1, 1000, nullptr);
}

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
