#include "startmenu/StartMenuLayout.h"

#include <algorithm>

namespace tessaline {
namespace {

constexpr int kPaneLeft = 9;
constexpr int kTreeWidthMargin = 163;        // W - 163: the trees stop short of the right column
constexpr int kPanelRightMargin = 157;       // the white panel stops 151 px before the window's right edge
constexpr int kPanelRightMarginSearch = 12;  // in search mode it spans the window
constexpr int kPanelVerticalMargin = 14;     // the nine-slice panel's top and bottom breathing room
constexpr int kSearchFrameGap = 15;          // between the view-switch row and the search frame
constexpr int kUserPictureWidth = 64;        // the send-back button centres under it
constexpr int kUserPictureLeftFromRight = 104;
constexpr int kUserPictureRaise = 30;  // above the window when the taskbar is at the bottom
constexpr int kSideTaskbarTop = 50;
constexpr int kLinkSpacing = 36;
constexpr int kLinkLabelDrop = 8;
constexpr int kSeparatorGap = 5;

// A window narrower or shorter than the design gets empty pieces rather than negative sizes.
TRect Sized(int left, int top, int width, int height) {
    return RectOf(left, top, std::max(width, 0), std::max(height, 0));
}

TRect MovedTo(const TRect& r, int left, int top) {
    return RectOf(left, top, r.Width(), r.Height());
}

// n / 2 rounded to the nearest integer, halves to the even one.
int HalfRoundedToEven(int n) {
    const int floorHalf = (n >= 0 || n % 2 == 0) ? n / 2 : n / 2 - 1;
    if (n % 2 == 0) {
        return floorHalf;
    }
    return floorHalf % 2 == 0 ? floorHalf : floorHalf + 1;
}

void LayoutPanel(const TLeftPaneInput& in, int height, TLeftPaneLayout& out) {
    const int corner = in.CornerSize;
    const int side = in.SideWidth;
    const int edge = in.EdgeHeight;
    const int rightMargin = in.SearchMode ? kPanelRightMarginSearch : kPanelRightMargin;
    const int middleHeight = std::max(height - corner - corner - kPanelVerticalMargin, 0);
    const int centreWidth = std::max(in.WindowWidth - side - side - rightMargin, 0);

    const TRect topLeft = RectOf(6, 6, corner, corner);
    const TRect centreLeft = Sized(topLeft.Left, topLeft.Bottom, side, middleHeight);
    const TRect centre = Sized(centreLeft.Right, centreLeft.Top, centreWidth, middleHeight);
    out.Panel = {
        topLeft,
        RectOf(centre.Left, centre.Top - edge, centre.Width(), edge),
        RectOf(centre.Right, centre.Top - corner, corner, corner),
        centreLeft,
        centre,
        RectOf(centre.Right, centre.Top, side, middleHeight),
        RectOf(centreLeft.Left, centreLeft.Bottom, corner, corner),
        RectOf(centre.Left, centre.Bottom, centre.Width(), edge),
        RectOf(centre.Right, centre.Bottom, corner, corner),
    };
}

}  // namespace

int FrequentPaneTop(int pinnedTop, int pinnedHeight, bool pinnedHasItems) {
    return pinnedHasItems ? pinnedTop + pinnedHeight + 3 : pinnedTop;
}

TFrequentPane FrequentPaneAfterPin(int step2Top, int newTop) {
    const int height = std::max(step2Top - newTop + 2, 0);
    return {height, height > 39};
}

int FrequentHeightAfterUnpin(int oldTop, int oldHeight, int newTop) {
    return std::max(oldHeight + oldTop - newTop, 0);
}

TLeftPaneLayout LayoutLeftPane(const TLeftPaneInput& in) {
    TLeftPaneLayout out;
    const int treeWidth = std::max(in.WindowWidth - kTreeWidthMargin, 0);
    const int searchPanelWidth = std::max(in.ClientWidth - 18, 0);
    const int stepLeft = kPaneLeft + 4;
    const int stepWidth = std::max(treeWidth - 8, 0);
    int height = in.WindowHeight;

    // Only the show handler grows the window (it starts from 95 each time); a re-layout would add the panes twice.
    if (in.FrequentVisible && in.Grow) {
        height += in.FrequentHeight;
    }

    out.PinnedTree = Sized(kPaneLeft, in.PinnedTop, treeWidth, in.PinnedHeight);
    const int frequentTop = FrequentPaneTop(in.PinnedTop, in.PinnedHeight, in.PinnedHasItems);
    int searchPanelHeight = 0;
    if (!in.PinnedHasItems) {
        out.ProgramTree = Sized(kPaneLeft, in.PinnedTop, treeWidth, in.FrequentHeight);
        searchPanelHeight = in.FrequentHeight + in.SearchFrameHeight + 10;
    } else {
        out.PinnedVisible = true;
        if (in.Grow) {
            height += in.PinnedHeight + 6;
        }
        out.ProgramTree = Sized(kPaneLeft, in.PinnedTop, treeWidth, in.PinnedHeight + in.FrequentHeight + 2);
        out.Step1 = Sized(stepLeft, in.PinnedTop + in.PinnedHeight - 2, stepWidth, in.StepHeight);
        out.Step1Visible = true;
        searchPanelHeight = in.PinnedHeight + in.FrequentHeight + in.SearchFrameHeight + 6;
    }
    out.WindowHeight = height;
    out.StartMenuHeight = height;
    out.FrequentTree = Sized(kPaneLeft, frequentTop, treeWidth, in.FrequentHeight);
    out.SearchPanel = Sized(kPaneLeft, 10, searchPanelWidth, searchPanelHeight);

    LayoutPanel(in, height, out);

    const int frequentBottom = frequentTop + in.FrequentHeight;
    const int rowLeft = out.Panel[0].Left + 6;
    const int rowTop = in.FrequentVisible ? frequentBottom + 4 : frequentBottom + 2;
    out.Step2 = Sized(stepLeft, frequentBottom - 2, stepWidth, in.StepHeight);
    out.Step2Visible = in.FrequentVisible;
    out.SwitchRow[0] = RectOf(rowLeft, rowTop, in.SideRowPieceWidth, in.RowPieceHeight);
    out.SwitchRow[1] = Sized(out.SwitchRow[0].Right, rowTop, treeWidth - 20, in.RowPieceHeight);
    out.SwitchRow[2] = RectOf(out.SwitchRow[1].Right, rowTop, in.SideRowPieceWidth, in.RowPieceHeight);
    out.ProgramLogo = RectOf(rowLeft + 5, rowTop + 6, in.ProgramLogo.Width, in.ProgramLogo.Height);
    out.ProgramLabel = RectOf(rowLeft + 30, rowTop + 3, in.ProgramLabel.Width, in.ProgramLabel.Height);

    const int frameTop = rowTop + in.RowPieceHeight + kSearchFrameGap;
    out.SearchFrame = Sized(out.Panel[0].Left + 10, frameTop, treeWidth - 20, in.SearchFrameHeight);
    // In search mode the white panel spans the window, and the box's background follows the search panel.
    out.SearchBackground =
        Sized(kPaneLeft, frameTop - 10, in.SearchMode ? searchPanelWidth : treeWidth, in.SearchBackgroundHeight);
    out.SearchButton = RectOf(out.SearchFrame.Right - 2 - in.SearchButtonWidth, frameTop + 2, in.SearchButtonWidth,
                              in.SearchButtonHeight);
    out.SearchCloseButton = out.SearchButton;
    out.SearchEdit = Sized(out.SearchFrame.Left + 5, frameTop + 5, out.SearchFrame.Width() - in.SearchButtonWidth - 6,
                           in.EditHeight);

    // The footer lives inside the search panel, below its results list.
    const int footerTop = in.SearchResultListBottom + 6;
    out.FooterPieces[0] = RectOf(5, footerTop, in.FooterSideWidth, in.FooterHeight);
    out.FooterPieces[1] =
        Sized(out.FooterPieces[0].Right, footerTop, searchPanelWidth - 2 * in.FooterSideWidth - 10, in.FooterHeight);
    out.FooterPieces[2] = RectOf(out.FooterPieces[1].Right, footerTop, in.FooterSideWidth, in.FooterHeight);
    out.FooterLogo = RectOf(out.FooterPieces[0].Right + 3, footerTop + 5, in.LogoSize, in.LogoSize);
    out.FooterLabel = Sized(out.FooterLogo.Right + 2, footerTop + 6,
                            out.FooterPieces[1].Right - out.FooterLogo.Right - 2, in.FooterLabelHeight);

    // The power button lines up with the user's name above and with the search box beside it.
    out.PowerButton = RectOf(in.UserLabelLeft, frameTop, in.PowerButton.Width, in.PowerButton.Height);
    out.PowerArrow = RectOf(out.PowerButton.Right, frameTop, in.PowerArrow.Width, in.PowerArrow.Height);
    out.PowerLabel =
        RectOf(out.PowerButton.Left + 4, out.PowerButton.Top + 3, in.PowerLabel.Width, in.PowerLabel.Height);
    return out;
}

TStartMenuPlacement PlaceStartMenu(const TRect& screen, const TRect& workArea, int width, int height) {
    TStartMenuPlacement placement;
    const bool fullHeight = workArea.Height() == screen.Height();
    const bool fullWidth = workArea.Width() == screen.Width();
    if (fullHeight && fullWidth) {
        // Auto-hidden or no taskbar: nothing to stand beside.
        placement.AnchorOffset = {width - kUserPictureLeftFromRight, 0};
        return placement;
    }
    // Measured from the screen's own origin so a screen that does not start at (0, 0) works the same.
    bool bottom = false;
    if (fullHeight) {
        const int left = workArea.Left != screen.Left ? screen.Left : screen.Right - width;
        placement.Position = {left, screen.Top + kSideTaskbarTop};
    } else if (workArea.Top != screen.Top) {
        placement.Position = {screen.Left, workArea.Top};
    } else {
        bottom = true;
        placement.Position = {screen.Left, workArea.Bottom - height};
    }
    placement.Changed = true;
    placement.AnchorOffset = {width - kUserPictureLeftFromRight, bottom ? -kUserPictureRaise : 0};
    placement.Anchor = {placement.Position.X + placement.AnchorOffset.X,
                        placement.Position.Y + placement.AnchorOffset.Y};
    return placement;
}

TRightColumnLayout LayoutRightColumn(const TRightColumnInput& in) {
    TRightColumnLayout out;
    const TPoint anchor = in.AnchorInWindow;
    // Centred under the picture in the window's own coordinates: the screen x would put the button outside the
    // window whenever the window does not start at the screen's left edge (taskbar at the right).
    const int sendBackTop = anchor.Y + 65;
    out.SendBack = Sized(anchor.X + HalfRoundedToEven(kUserPictureWidth - in.SendBackWidth), sendBackTop,
                         in.SendBackWidth, in.SendBack.Height());
    out.SendBackLabel = MovedTo(in.SendBackLabel, in.SendBackLabel.Left, sendBackTop + 3);

    int top = anchor.Y + 88;
    const auto place = [&](size_t link) {
        out.Links[link] = MovedTo(in.Links[link], in.Links[link].Left, top);
        out.Labels[link] = MovedTo(in.Labels[link], in.Labels[link].Left, top + kLinkLabelDrop);
    };
    // User, Documents, Pictures, Music | Games, Computer | Control Panel, Devices, Default Programs, Help.
    for (size_t link = 0; link <= 3; ++link, top += kLinkSpacing) {
        place(link);
    }
    out.Separator1 = MovedTo(in.Separator1, in.Separator1.Left, top);
    top = out.Separator1.Bottom + kSeparatorGap;
    for (size_t link = 4; link <= 5; ++link, top += kLinkSpacing) {
        place(link);
    }
    out.Separator2 = MovedTo(in.Separator2, in.Separator2.Left, top);
    top = out.Separator2.Bottom + kSeparatorGap;
    for (size_t link = 6; link < kLinkCount; ++link, top += kLinkSpacing) {
        place(link);
    }
    return out;
}

std::array<bool, kLinkCount> LinksAbovePowerButton(const std::array<TRect, kLinkCount>& links,
                                                   const std::array<TRect, kLinkCount>& labels,
                                                   int powerButtonTop) {
    // A link and its label go together: neither may reach below the power button's top.
    std::array<bool, kLinkCount> visible{};
    for (size_t link = 0; link < kLinkCount; ++link) {
        visible[link] = links[link].Bottom <= powerButtonTop && labels[link].Bottom <= powerButtonTop;
    }
    return visible;
}

}  // namespace tessaline
