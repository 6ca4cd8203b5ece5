#include "wizard/Layout.h"

#include "wizard/ControlIds.h"

namespace {

constexpr unsigned LT = akLeft | akTop;
constexpr unsigned LTR = akLeft | akTop | akRight;
constexpr unsigned LTRB = akLeft | akTop | akRight | akBottom;
constexpr unsigned LTB = akLeft | akTop | akBottom;
constexpr unsigned LB = akLeft | akBottom;
constexpr unsigned LRB = akLeft | akRight | akBottom;
constexpr unsigned RB = akRight | akBottom;
constexpr unsigned TR = akTop | akRight;

// Creation order is keyboard order: the page control with its pages first,
// then the picture panel, then Prev, Next and Exit.
const TControlDef Defs[] = {
    {ID_PageControl1, "PageControl1", ckContainer, 0, 160, 10, 304, 247, LTRB, 0},

    {ID_TabSheet0, "TabSheet0", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    // The language comes first: an operator who does not read English picks
    // it before anything else.
    {ID_cbLocale, "cbLocale", ckComboList, ID_TabSheet0, 8, 201, 105, 21, LB, 0},
    {ID_btUpdateSystem, "btUpdateSystem", ckButton, ID_TabSheet0, 8, 0, 49, 49, LT, stPictureButton, arUpdateGlyph},
    {ID_lbUpdateSystemTitle, "lbUpdateSystemTitle", ckLabel, ID_TabSheet0, 64, 0, 0, 0, LT, stBold | stAutoSize},
    {ID_lbUpdateSystemInfo, "lbUpdateSystemInfo", ckLabel, ID_TabSheet0, 64, 16, 225, 33, LTR,
     stWordWrap | stFixedSize},

    {ID_TabSheet1, "TabSheet1", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    {ID_lbUpdateFilesPathTitle, "lbUpdateFilesPathTitle", ckLabel, ID_TabSheet1, 8, 0, 0, 0, LT, stAccel | stAutoSize},
    {ID_edUpdateFilesPath, "edUpdateFilesPath", ckEdit, ID_TabSheet1, 8, 16, 256, 21, LTR, 0},
    {ID_btUpdateFilesPathBrowse, "btUpdateFilesPathBrowse", ckButton, ID_TabSheet1, 272, 16, 20, 21, TR, 0, arNone, 0,
     "..."},
    {ID_lbUpdateFilesPathInfo, "lbUpdateFilesPathInfo", ckLabel, ID_TabSheet1, 8, 64, 288, 191, LTRB,
     stBold | stWordWrap},

    {ID_TabSheet2, "TabSheet2", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    {ID_lbUpdateFilesPathEchoTitle, "lbUpdateFilesPathEchoTitle", ckLabel, ID_TabSheet2, 8, 0, 0, 0, LT,
     stAccel | stAutoSize},
    {ID_txtUpdateFilesPathEcho, "txtUpdateFilesPathEcho", ckMemo, ID_TabSheet2, 8, 16, 288, 39, LTR,
     stReadOnly | stBorderless | stBold | stNoTabStop | stInfoBackground},
    {ID_lbUpdateFileListTitle, "lbUpdateFileListTitle", ckLabel, ID_TabSheet2, 8, 56, 0, 0, LT, stAccel | stAutoSize},
    {ID_grdUpdateFileList, "grdUpdateFileList", ckGrid, ID_TabSheet2, 8, 72, 288, 165, LTRB, 0},

    {ID_TabSheet3, "TabSheet3", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    {ID_lbSnapshotDriveTitle, "lbSnapshotDriveTitle", ckLabel, ID_TabSheet3, 8, 0, 0, 0, LT, stAccel | stAutoSize},
    {ID_cbSnapshotDrive, "cbSnapshotDrive", ckDriveList, ID_TabSheet3, 8, 16, 153, 19, LTR, 0},
    {ID_lbSnapshotDriveSizeInfo, "lbSnapshotDriveSizeInfo", ckLabel, ID_TabSheet3, 164, 18, 0, 0, TR,
     stBold | stNavy | stAutoSize | stKeepInside | stNoWiden, arNone, ID_cbSnapshotDrive},
    {ID_lbSnapshotDriveInfo, "lbSnapshotDriveInfo", ckLabel, ID_TabSheet3, 8, 48, 257, 186, LTRB, stBold | stWordWrap},

    {ID_TabSheet5, "TabSheet5", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    {ID_lbAboutToInstallInfo1, "lbAboutToInstallInfo1", ckLabel, ID_TabSheet5, 8, 32, 0, 0, LT,
     stBold | stRed | stAutoSize},
    {ID_lbAboutToInstallInfo2, "lbAboutToInstallInfo2", ckLabel, ID_TabSheet5, 8, 48, 257, 186, LTRB,
     stBold | stWordWrap},

    {ID_TabSheet6, "TabSheet6", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    {ID_lbCurrentStepTitle, "lbCurrentStepTitle", ckLabel, ID_TabSheet6, 8, 0, 0, 0, LT,
     stAccel | stAutoSize | stAnnounceWhenShown},
    {ID_txtCurrentStep, "txtCurrentStep", ckPanel, ID_TabSheet6, 8, 14, 281, 17, LTR, stLoweredBevel | stNavy},
    {ID_lbProgressTitle, "lbProgressTitle", ckLabel, ID_TabSheet6, 8, 36, 0, 0, LT, stAccel | stAutoSize},
    {ID_sbarProgress, "sbarProgress", ckProgress, ID_TabSheet6, 8, 50, 281, 17, LTR, 0},
    {ID_lbProgressDetailsTitle, "lbProgressDetailsTitle", ckLabel, ID_TabSheet6, 8, 72, 0, 0, LT, stAccel | stAutoSize},
    {ID_txtProgressDetails, "txtProgressDetails", ckPanel, ID_TabSheet6, 8, 86, 281, 17, LTR, stLoweredBevel | stNavy},
    {ID_lbProgressInfo, "lbProgressInfo", ckLabel, ID_TabSheet6, 8, 112, 257, 125, LTRB, stBold | stWordWrap},
    {ID_edOUEInput, "edOUEInput", ckEdit, ID_TabSheet6, 240, 146, 49, 14, LRB,
     stBorderless | stSmallFont | stHidden | stNoTextLimit | stWantsEnter},
    {ID_memOUEOutput, "memOUEOutput", ckMemo, ID_TabSheet6, 240, 200, 49, 34, LTRB,
     stReadOnly | stBorderless | stBothScroll | stSmallFont | stHidden | stNoTextLimit},

    {ID_TabSheet7, "TabSheet7", ckPage, ID_PageControl1, 4, 6, 296, 237, LTRB, 0},
    // A long failure text (the engine's last output) must be readable to its end.
    {ID_txtCompletionStatusInfo, "txtCompletionStatusInfo", ckMemo, ID_TabSheet7, 8, 24, 281, 202, LTRB,
     stReadOnly | stBorderless | stBold | stNoTabStop | stInfoBackground | stScrollAsNeeded | stAnnounce},

    {ID_pnlImage, "pnlImage", ckPanel, 0, 16, 16, 136, 268, LTB, stRaisedBevel | stTeal},
    {ID_imgImage1, "imgImage1", ckImage, ID_pnlImage, 4, 4, 128, 230, LT, 0, arPicture},
    {ID_lbServerVersionTitle, "lbServerVersionTitle", ckLabel, 0, 172, 257, 109, 13, LB, stAutoSize},
    {ID_lbServerVersion, "lbServerVersion", ckLabel, 0, 172, 273, 165, 13, LB, stBold | stAutoSize | stNoWiden},
    {ID_lbResponceCenter, "lbResponceCenter", ckLabel, 0, 16, 289, 441, 13, LRB, stFixedSize},
    {ID_Bevel1, "Bevel1", ckBevel, 0, 16, 293, 441, 17, LRB, 0},
    {ID_Image1, "Image1", ckImage, 0, 16, 319, 65, 22, LB, stTransparent, arLogo},
    {ID_btPrev, "btPrev", ckButton, 0, 224, 318, 75, 25, RB, 0, arPrevGlyph},
    {ID_btNext, "btNext", ckButton, 0, 304, 318, 75, 25, RB, stDefault | stGlyphRight, arNextGlyph},
    {ID_btExit, "btExit", ckButton, 0, 384, 318, 75, 25, RB, 0, arExitGlyph},
};

}  // namespace

const TControlDef* ControlDefs() { return Defs; }
std::size_t ControlDefCount() { return sizeof(Defs) / sizeof(Defs[0]); }

const TControlDef* FindControlDef(int Id) {
  for (const TControlDef& D : Defs)
    if (D.Id == Id) return &D;
  return nullptr;
}

bool TakesFocus(const TControlDef& Def) {
  if (Def.Style & (stHidden | stNoTabStop)) return false;
  switch (Def.Kind) {
    case ckButton:
    case ckEdit:
    case ckMemo:
    case ckGrid:
    case ckComboList:
    case ckDriveList:
      return true;
    default:
      return false;
  }
}

int FirstFocusControl(int PageId) {
  for (const TControlDef& D : Defs)
    if (D.ParentId == PageId && TakesFocus(D)) return D.Id;
  return 0;
}

bool HoldsControls(int Id) {
  for (const TControlDef& D : Defs)
    if (D.ParentId == Id) return true;
  return false;
}

int DefaultButtonId() {
  for (const TControlDef& D : Defs)
    if (D.Kind == ckButton && (D.Style & stDefault)) return D.Id;
  return 0;
}

TWidthFit WidthFitOf(const TControlDef& Def) {
  if (Def.Kind != ckLabel || (Def.Style & stNoWiden)) return wfNone;
  if (Def.Style & stAutoSize) return wfInParent;
  return (Def.Style & stWordWrap) ? wfNone : wfInOwnWidth;
}

void DesignClientSize(int ParentId, int& Width, int& Height) {
  if (ParentId == 0) {
    Width = DesignClientWidth;
    Height = DesignClientHeight;
    return;
  }
  const TControlDef* P = FindControlDef(ParentId);
  Width = P ? P->Width : 0;
  Height = P ? P->Height : 0;
}

int ScaleToDpi(int Value, int Dpi) {
  long long V = static_cast<long long>(Value) * Dpi;
  return static_cast<int>(V >= 0 ? (V + 48) / 96 : -((-V + 48) / 96));
}

namespace {
// One axis: a design position and size inside a design parent extent, placed
// inside an actual extent. ActualSize differs from DesignSize for labels sized
// to their text: they grow away from the edge their position is kept to.
void PlaceAxis(int Pos, int DesignSize, int ActualSize, int DesignExtent, int Extent, bool Near, bool Far, int& OutPos,
               int& OutSize) {
  const int Shift = Extent - DesignExtent;
  if (Near && Far) {
    OutPos = Pos;
    OutSize = DesignSize + Shift;
    if (OutSize < 0) OutSize = 0;
  } else if (Far) {
    OutPos = Pos + Shift;
    OutSize = ActualSize;
  } else if (Near) {
    OutPos = Pos;
    OutSize = ActualSize;
  } else {
    // Neither edge: keep the centre at the same proportion.
    OutSize = ActualSize;
    OutPos =
        DesignExtent > 0
            ? static_cast<int>((static_cast<long long>(Pos + DesignSize / 2) * Extent) / DesignExtent) - ActualSize / 2
            : Pos;
  }
}
}  // namespace

TRect AnchoredRect(const TControlDef& Def, int ParentWidth, int ParentHeight, int Dpi, int Width, int Height) {
  int Pw, Ph;
  DesignClientSize(Def.ParentId, Pw, Ph);
  const int DesignW = ScaleToDpi(Pw, Dpi), DesignH = ScaleToDpi(Ph, Dpi);
  const int Left = ScaleToDpi(Def.Left, Dpi), Top = ScaleToDpi(Def.Top, Dpi);
  const int Dw = ScaleToDpi(Def.Width, Dpi), Dh = ScaleToDpi(Def.Height, Dpi);
  const int W = Width > 0 ? Width : Dw;
  const int H = Height > 0 ? Height : Dh;
  TRect R;
  int X, Cx, Y, Cy;
  PlaceAxis(Left, Dw, W, DesignW, ParentWidth, Def.Anchors & akLeft, Def.Anchors & akRight, X, Cx);
  PlaceAxis(Top, Dh, H, DesignH, ParentHeight, Def.Anchors & akTop, Def.Anchors & akBottom, Y, Cy);
  R.Left = X;
  R.Top = Y;
  R.Right = X + Cx;
  R.Bottom = Y + Cy;
  return R;
}

void KeepLabelInside(TRect& Label, TRect& LeftNeighbour, int ParentWidth, int Margin, int Gap) {
  const int Overflow = Label.Right - (ParentWidth - Margin);
  if (Overflow > 0) {
    Label.Left -= Overflow;
    Label.Right -= Overflow;
  }
  if (Label.Left < LeftNeighbour.Left) {  // never push it past the neighbour's own start
    const int Back = LeftNeighbour.Left - Label.Left;
    Label.Left += Back;
    Label.Right += Back;
  }
  if (LeftNeighbour.Right > Label.Left - Gap) LeftNeighbour.Right = Label.Left - Gap;
  if (LeftNeighbour.Right < LeftNeighbour.Left) LeftNeighbour.Right = LeftNeighbour.Left;
}

int FittedOuterWidth(int CurrentWidth, int BaseWidth, int Overflow) {
  const int Base = BaseWidth > 0 ? BaseWidth : CurrentWidth;
  const int Need = (CurrentWidth - Base) + Overflow;
  return Need > 0 ? Base + Need : Base;
}
