// The wizard window's make-up as data: every control with its kind, parent,
// design rectangle (pixels at 96 DPI), anchors and look. The window creates
// its controls from this table and re-lays them out from it on every resize.
#pragma once
#include <cstddef>

enum TControlKind {
  ckContainer,  // the page control: a plain child that holds the pages
  ckPage,       // a page: holds its controls, shown only while it is the current page
  ckPanel,      // drawn panel: bevels, background, optional caption
  ckImage,      // bitmap drawn from its top-left corner, cut to the control
  ckBevel,      // the rule above the buttons
  ckLabel,
  ckButton,
  ckEdit,
  ckMemo,  // multi-line edit
  ckGrid,  // one-column list with a title row
  ckProgress,
  ckComboList,  // drop-down list
  ckDriveList,  // drop-down list of drives with a picture per type
};

enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

enum TStyle : unsigned {
  stBold = 1u << 0,
  stWordWrap = 1u << 1,
  stAccel = 1u << 2,  // a label that treats "&" as an access key
  stNavy = 1u << 3,
  stRed = 1u << 4,
  stReadOnly = 1u << 5,
  stBorderless = 1u << 6,
  stNoTabStop = 1u << 7,
  stHidden = 1u << 8,     // never shown in this layout
  stSmallFont = 1u << 9,  // 6 point instead of 8
  stAutoSize = 1u << 10,  // sized to its text
  stBothScroll = 1u << 11,
  stLoweredBevel = 1u << 12,
  stRaisedBevel = 1u << 13,  // raised inner and lowered outer bevel, 2 wide
  stTeal = 1u << 14,
  stInfoBackground = 1u << 15,     // the system colour of inactive caption text
  stDefault = 1u << 16,            // the window's default button
  stFixedSize = 1u << 17,          // a label that does not size itself to its text
  stAnnounce = 1u << 18,           // a screen reader reads out each new text
  stAnnounceWhenShown = 1u << 19,  // ... only while its page is the current one
  stScrollAsNeeded = 1u << 20,     // a memo whose vertical scroll bar shows only when its text needs it
  stNoTextLimit = 1u << 21,        // an edit that takes text of any length
  stWantsEnter = 1u << 22,         // an edit whose key handler gets Enter before the default button does
  stKeepInside = 1u << 23,         // a right-kept label that stays inside its parent; Neighbour yields width
  stNoWiden = 1u << 24,            // a single-line label whose length never widens the window
  stGlyphRight = 1u << 25,         // a button's picture stands right of its caption, not left
  stPictureButton = 1u << 26,      // a button whose face is its picture, centred and always shown
  stTransparent = 1u << 27,        // an image whose magenta pixels are left out
};

// The artwork a button or an image shows.
enum TArt {
  arNone,
  arPicture,      // the wizard's picture
  arLogo,         // the maker's logo
  arUpdateGlyph,  // button pictures
  arPrevGlyph,
  arNextGlyph,
  arExitGlyph,
};

struct TControlDef {
  int Id;
  const char* Name;
  TControlKind Kind;
  int ParentId;  // 0: the window itself
  int Left, Top, Width, Height;
  unsigned Anchors;
  unsigned Style;
  TArt Art = arNone;
  int Neighbour = 0;              // stKeepInside: the control on its left that gives up width
  const char* Caption = nullptr;  // a fixed caption no language changes
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect& O) const {
    return Left == O.Left && Top == O.Top && Right == O.Right && Bottom == O.Bottom;
  }
};

// Client size of the window at design time, and its smallest outer size.
constexpr int DesignClientWidth = 472;
constexpr int DesignClientHeight = 352;
constexpr int MinOuterWidth = 400;
constexpr int MinOuterHeight = 350;

const TControlDef* ControlDefs();
std::size_t ControlDefCount();
const TControlDef* FindControlDef(int Id);

// Whether the keyboard reaches the control (Tab stops at it).
bool TakesFocus(const TControlDef& Def);
// The first control of a page in keyboard order that Tab stops at, 0 when the
// page has none (the focus then belongs to the buttons).
int FirstFocusControl(int PageId);

// Whether other rows of the table have the control as their parent.
bool HoldsControls(int Id);
// The window's default button (Enter presses it), 0 when there is none.
int DefaultButtonId();

// How a single-line label's text may widen the window: not at all, when it
// is longer than the room its parent leaves it (labels sized to their text),
// or when it is longer than the label itself (a label of fixed width).
enum TWidthFit { wfNone, wfInParent, wfInOwnWidth };
TWidthFit WidthFitOf(const TControlDef& Def);

// Design client size of a parent (0 for the window).
void DesignClientSize(int ParentId, int& Width, int& Height);

// Scales a design length from 96 DPI to the given DPI, rounding to nearest.
int ScaleToDpi(int Value, int Dpi);

// Where a control stands inside a parent whose client area is now
// ParentWidth x ParentHeight, all in device pixels at Dpi. A side anchored to
// an edge keeps its design distance to that edge; a control anchored to both
// opposite edges stretches. Width/Height override the design size (labels that
// size themselves to their text), 0 keeps it.
TRect AnchoredRect(const TControlDef& Def, int ParentWidth, int ParentHeight, int Dpi, int Width = 0, int Height = 0);

// A label sized to its text that is kept to the right edge (the free-space
// line beside the drive list) may outgrow its parent in some languages and
// on big disks: it is moved left to stay inside, and the control on its left
// gives up width so that the two do not overlap.
void KeepLabelInside(TRect& Label, TRect& LeftNeighbour, int ParentWidth, int Margin, int Gap);

// The outer width that lets the window's single-line texts fit. Overflow is
// how far the widest of them reaches past its place at CurrentWidth (negative
// when all fit with room to spare). BaseWidth is the width the window had
// before it widened itself for a language (0: it has not, or the operator has
// resized it since); the window never goes below it, and returns to it once
// the texts fit there again.
int FittedOuterWidth(int CurrentWidth, int BaseWidth, int Overflow);
