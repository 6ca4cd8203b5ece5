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
  TWindowKind K;
  const auto Either = [&Def](unsigned Flag, DWORD IfSet, DWORD IfNot) { return (Def.Style & Flag) ? IfSet : IfNot; };
  if (!(Def.Style & stHidden) && Def.Kind != ckPage) K.Style |= WS_VISIBLE;
  // Tab moves through the controls of the pages and panels that hold them.
  if (Def.Kind == ckContainer || Def.Kind == ckPage || HoldsControls(Def.Id)) K.ExStyle |= WS_EX_CONTROLPARENT;
  switch (Def.Kind) {
    case ckContainer:
      K.Class = ContainerClass;
      K.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
      break;
    case ckPage:
      K.Class = ContainerClass;
      K.Style |= WS_CLIPCHILDREN;
      break;
    case ckPanel:
    case ckImage:
    case ckBevel:
      K.Class = PanelClass;
      break;
    case ckLabel:
      K.Style |= SS_LEFT | Either(stWordWrap, 0, SS_LEFTNOWORDWRAP) | Either(stAccel, 0, SS_NOPREFIX);
      break;
    case ckButton:
      K.Class = "BUTTON";
      K.Style |= WS_TABSTOP | Either(stDefault, BS_DEFPUSHBUTTON, BS_PUSHBUTTON);
      break;
    case ckEdit:
      K.Class = "EDIT";
      K.Style |= WS_TABSTOP | ES_AUTOHSCROLL;
      K.ExStyle |= Either(stBorderless, 0, WS_EX_CLIENTEDGE);
      break;
    case ckMemo:
      K.Class = "EDIT";
      K.Style |= ES_MULTILINE | ES_AUTOVSCROLL | Either(stReadOnly, ES_READONLY, 0) |
                 Either(stBothScroll, WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL, 0) |
                 Either(stScrollAsNeeded, WS_VSCROLL, 0) | Either(stNoTabStop, 0, WS_TABSTOP);
      K.ExStyle |= Either(stBorderless, 0, WS_EX_CLIENTEDGE);
      break;
    case ckGrid:
      K.Class = WC_LISTVIEWA;
      K.Style |= WS_TABSTOP | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
      K.ExStyle |= WS_EX_CLIENTEDGE;
      break;
    case ckProgress:
      K.Class = PROGRESS_CLASSA;
      K.Style |= PBS_SMOOTH;
      break;
    case ckComboList:
      K.Class = WC_COMBOBOXA;
      K.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case ckDriveList:
      K.Class = WC_COMBOBOXA;
      K.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
  }
  return K;
}
}  // namespace

HFONT TLauncherForm::DesignFont(const TControlDef& Def) const {
  return (Def.Style & stSmallFont) ? FRes.Small.Get() : (Def.Style & stBold) ? FRes.Bold.Get() : FRes.Normal.Get();
}

HWND TLauncherForm::CreateControl(const TControlDef& Def, HWND Parent) {
  const TWindowKind K = WindowKindOf(Def);
  HWND H = CreateWindowExA(K.ExStyle, K.Class, "", K.Style, 0, 0, 10, 10, Parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(Def.Id)), FInstance, nullptr);
  if (!H) return nullptr;
  SendMessageA(H, WM_SETFONT, reinterpret_cast<WPARAM>(DesignFont(Def)), FALSE);
  FControls[Def.Id] = H;
  return H;
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
    LVCOLUMNA Col = {};
    Col.mask = LVCF_TEXT | LVCF_WIDTH;
    Col.cx = ScaleToDpi(190, FDpi);
    Col.pszText = const_cast<char*>("");
    ListView_InsertColumn(Control, 0, &Col);
  }
  if (Def.Kind == ckProgress) SendMessageA(Control, PBM_SETRANGE32, 0, 0);
  SetItemHeight(Def, Control);
}

// Rows of grids and drive lists are as tall as a small picture at the
// window's scale.
void TLauncherForm::SetItemHeight(const TControlDef& Def, HWND Control) {
  const int Height = ScaleToDpi(16, FDpi);
  if (Def.Kind == ckGrid) {
    // The list view takes its row height from its image list, and owns the
    // new one; the one it gave back is ours to destroy.
    const TImageListHandle Previous(
        ListView_SetImageList(Control, ImageList_Create(1, Height, ILC_COLOR, 1, 0), LVSIL_SMALL));
  } else if (Def.Kind == ckDriveList) {
    SendMessageA(Control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Height);
    SendMessageA(Control, CB_SETITEMHEIGHT, 0, Height);
  }
}

void TLauncherForm::CreateControls() {
  for (size_t I = 0; I < ControlDefCount(); ++I) {
    const TControlDef& Def = ControlDefs()[I];
    HWND Parent = Def.ParentId ? Control(Def.ParentId) : FHandle;
    HWND H = CreateControl(Def, Parent);
    if (AccessibleNameSource(Def.Id).Kind != nkOwnText)
      GiveAccessibleName(H, [this, Id = Def.Id] { return AccessibleName(Id); });
  }
  for (size_t I = 0; I < ControlDefCount(); ++I)
    if (HWND H = Control(ControlDefs()[I].Id)) SetUpControl(ControlDefs()[I], H);
  SetTimer(FHandle, Timer1, 1000, nullptr);
}

bool TLauncherForm::RegisterWindowClasses(HINSTANCE Instance) {
  WNDCLASSEXA Wc = {};
  Wc.cbSize = sizeof(Wc);
  Wc.hInstance = Instance;
  Wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  Wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  Wc.lpfnWndProc = WindowProc;
  Wc.lpszClassName = OUPDATE_WINDOW_CLASS;
  Wc.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(1));
  Wc.hIconSm = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
  if (!RegisterClassExA(&Wc)) return false;

  Wc.hIcon = Wc.hIconSm = nullptr;
  Wc.lpfnWndProc = ContainerProc;
  Wc.lpszClassName = ContainerClass;
  if (!RegisterClassExA(&Wc)) return false;

  Wc.lpfnWndProc = PanelProc;
  Wc.lpszClassName = PanelClass;
  Wc.style = CS_HREDRAW | CS_VREDRAW;
  return RegisterClassExA(&Wc) != 0;
}
