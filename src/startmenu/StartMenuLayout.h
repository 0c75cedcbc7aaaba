#pragma once
// Where everything of the start-menu window goes: the left pane (trees, separators, the view-switch row, the
// search box, the nine-slice panel, the power button), where the window sits beside the taskbar, and the right
// column under the user picture. Sizes in, rectangles out; no
// platform calls. Any thread.

#include <array>
#include <vector>

#include "base/Geometry.h"

namespace tessaline {

inline constexpr int kStartMenuWidth = 410;
inline constexpr int kStartMenuBaseHeight = 95;  // the window without its panes
// How many rows the pinned and frequent panes get is catalogue/PaneRows.h (SelectPinnedRows,
// SelectFrequentRows); the heights are rows * 40 + 2 (pinned) and rows * 40 + 4 (frequent).

// ---- Left pane ----

struct TLeftPaneInput {
    int WindowWidth = kStartMenuWidth;
    int WindowHeight = kStartMenuBaseHeight;  // H before the layout (95 on a fresh show)
    int ClientWidth = kStartMenuWidth;
    bool Grow = true;         // the show handler grows H by the panes; later re-layouts do not
    bool SearchMode = false;  // the white panel then spans the whole window
    int PinnedTop = 10;
    int PinnedHeight = 0;
    bool PinnedHasItems = false;
    int FrequentHeight = 0;
    bool FrequentVisible = true;
    // Design sizes of the pieces (the form description's).
    int CornerSize = 6;         // the nine-slice corners are square
    int SideWidth = 6;          // left and right edges
    int EdgeHeight = 6;         // top and bottom edges
    int RowPieceHeight = 24;    // the view-switch row's three pieces
    int SideRowPieceWidth = 3;  // its left and right pieces
    int SearchFrameHeight = 24;
    int SearchBackgroundHeight = 41;
    int SearchButtonWidth = 20;
    int SearchButtonHeight = 20;
    int EditHeight = 17;
    int SearchResultListBottom = 0;  // bottom of the results list inside the search panel (for the footer)
    int FooterSideWidth = 3;
    int FooterHeight = 24;
    int FooterLabelHeight = 14;  // lbl_SearchResult; it runs to the end of the footer's centre piece
    int StepHeight = 5;          // Pnl_Step1 / Pnl_Step2
    int LogoSize = 16;
    int UserLabelLeft = 271;  // lbl_User's left: the power button lines up with it
    TSize PowerButton{72, 21};
    TSize PowerArrow{23, 21};
    TSize PowerLabel{66, 14};
    TSize ProgramLogo{16, 12};
    TSize ProgramLabel{149, 17};
};

struct TLeftPaneLayout {
    int WindowHeight = 0;     // H after the layout
    int StartMenuHeight = 0;  // v_StartMenu_Height
    TRect PinnedTree, FrequentTree, ProgramTree, SearchPanel;
    bool PinnedVisible = false;
    TRect Step1, Step2;  // Pnl_Step1 / Pnl_Step2
    bool Step1Visible = false;
    bool Step2Visible = false;
    // Nine-slice panel, in the order: top-left, top-centre, top-right, centre-left, centre, centre-right,
    // bottom-left, bottom-centre, bottom-right.
    std::array<TRect, 9> Panel;
    std::array<TRect, 3> SwitchRow;  // left, centre, right piece
    TRect ProgramLogo, ProgramLabel;
    TRect SearchFrame, SearchBackground, SearchButton, SearchCloseButton, SearchEdit;
    std::array<TRect, 3> FooterPieces;  // Image_SearchResultBack_Left / _Center / _Right
    TRect FooterLogo, FooterLabel;
    TRect PowerButton, PowerArrow, PowerLabel;  // ImageNote_ShotDown, ImageNote_PopMenu, lab_Powner
};

TLeftPaneLayout LayoutLeftPane(const TLeftPaneInput& input);

// Where the frequent pane starts under a pinned pane of this height (at the pinned pane's top when it is empty).
int FrequentPaneTop(int pinnedTop, int pinnedHeight, bool pinnedHasItems);

// The frequent pane after a program was pinned: from its new top down to the separator under it (whose top is
// `step2Top`), so that nothing below moves; shown only when that leaves it more than 39 pixels.
struct TFrequentPane {
    int Height = 0;
    bool Visible = false;
    friend bool operator==(const TFrequentPane&, const TFrequentPane&) = default;
};
TFrequentPane FrequentPaneAfterPin(int step2Top, int newTop);
// After an unpin: the pane grows by the distance its top moves up, keeping its bottom (the pinned pane shorter by
// a row, or gone altogether and the frequent pane at the top).
int FrequentHeightAfterUnpin(int oldTop, int oldHeight, int newTop);

// ---- The window beside the taskbar ----

struct TStartMenuPlacement {
    bool Changed = false;  // false: no visible taskbar, the window keeps its place
    TPoint Position;
    TPoint Anchor;        // the user picture's anchor, screen coordinates
    TPoint AnchorOffset;  // the anchor from the window's top-left: the right column's anchor in the window, and
                          // what gives the anchor when the window keeps its place
};

// From the screen and its work area: taskbar left → (0, 50); right → (screen width − W, 50); top →
// (0, work-area top); bottom → (0, work-area height − H); no visible taskbar → unchanged. The anchor is
// (left + W − 104, top), 30 higher with the taskbar at the bottom.
TStartMenuPlacement PlaceStartMenu(const TRect& screen, const TRect& workArea, int width, int height);

// ---- The right column ----

inline constexpr int kLinkCount = 10;

struct TRightColumnInput {
    TPoint AnchorInWindow;  // the anchor in the window's coordinates
    int AnchorScreenX = 0;
    int SendBackWidth = 116;
    std::array<TRect, kLinkCount> Links;   // current bounds of the ten buttons (only left/size are kept)
    std::array<TRect, kLinkCount> Labels;  // and their labels
    TRect Separator1, Separator2;          // Image_Right_Step1 / 2
    TRect SendBack, SendBackLabel;         // Image_SendBack / Label_Sendback
};

struct TRightColumnLayout {
    std::array<TRect, kLinkCount> Links;
    std::array<TRect, kLinkCount> Labels;
    TRect Separator1, Separator2, SendBack, SendBackLabel;
};

// Send-back at anchor y + 65, centred under a 64-pixel picture (round half to even); the user link at y + 88,
// each label 8 below its button, each next button 36 lower, the separators and the 5-pixel gaps after them.
TRightColumnLayout LayoutRightColumn(const TRightColumnInput& input);

// Links (with their labels) whose bottom lies below the power button's top are hidden: true = visible.
std::array<bool, kLinkCount> LinksAbovePowerButton(const std::array<TRect, kLinkCount>& links,
                                                   const std::array<TRect, kLinkCount>& labels,
                                                   int powerButtonTop);

}  // namespace tessaline
