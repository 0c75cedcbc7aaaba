#include "startmenu/KeyboardNavigation.h"

namespace tessaline {
namespace {

constexpr unsigned kEnter = 13, kEsc = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

using Kind = TNavActionKind;
using Actions = std::vector<TNavAction>;

TNavAction Act(Kind kind) {
    return {kind};
}
TNavAction Focus(Kind kind, TNavControl control) {
    return {kind, control};
}
TNavAction OnLink(Kind kind, int link) {
    return {kind, TNavControl::None, link};
}

TNavControl ProgramTree(const TNavState& s) {
    return s.View == TNavView::AllPrograms ? TNavControl::AllProgramsTree : TNavControl::FrequentTree;
}

// The right column has the keys: the links and the power button form a ring of their own.
Actions RightColumnKey(const TNavState& s, unsigned key) {
    const bool link = s.Link >= 0 && s.Link < kLinkCount;
    if (key == kDown || key == kUp) {
        const bool down = key == kDown;
        if (s.PowerMarked) {
            return {Act(Kind::UnmarkPower), OnLink(Kind::HighlightLink, down ? 0 : kLinkCount - 1)};
        }
        if (!link) {
            return {};
        }
        const int next = s.Link + (down ? 1 : -1);
        if (next < 0 || next >= kLinkCount) {
            return {OnLink(Kind::UnhighlightLink, s.Link), Act(Kind::MarkPower), Act(Kind::SetRightColumnKeys)};
        }
        return {OnLink(Kind::UnhighlightLink, s.Link), OnLink(Kind::HighlightLink, next)};
    }
    if (key == kLeft || key == kRight) {
        Actions actions;
        if (link) {
            actions.push_back(OnLink(Kind::UnhighlightLink, s.Link));
        }
        if (!s.PowerMarked) {
            actions.push_back(Focus(Kind::FocusKeepSelection, ProgramTree(s)));
        } else if (key == kRight) {
            actions.push_back(Act(Kind::OpenPowerMenu));
            return actions;
        } else {
            actions.push_back(Act(Kind::ClosePowerMenu));
            actions.push_back(Act(Kind::FocusSearchBox));
        }
        actions.push_back(Act(Kind::UnmarkPower));
        actions.push_back(Act(Kind::ClearRightColumnKeys));
        return actions;
    }
    if (key == kEnter && link && !s.PowerMarked) {
        return {OnLink(Kind::ClickLink, s.Link)};
    }
    return {};
}

Actions Down(const TNavState& s) {
    switch (s.View) {
        case TNavView::Search:
            if (s.Active == TNavControl::SearchBox) {
                if (s.ResultsVisible) {
                    return {Focus(Kind::FocusFirst, TNavControl::ResultsTree)};
                }
                return {Act(Kind::NoActiveControl), Act(Kind::HighlightFooter)};
            }
            if (s.Active == TNavControl::ResultsTree) {
                return s.AtLast ? Actions{Act(Kind::NoActiveControl), Act(Kind::HighlightFooter)} : Actions{};
            }
            if (s.Active == TNavControl::None && s.FooterHighlighted) {
                return {Act(Kind::UnhighlightFooter), Act(Kind::FocusSearchBox)};
            }
            return {};
        case TNavView::Frequent:
            if (s.Active == TNavControl::PinnedTree) {
                return s.AtLast ? Actions{Focus(Kind::FocusFirst, TNavControl::FrequentTree)} : Actions{};
            }
            if (s.Active == TNavControl::FrequentTree) {
                return s.AtLast ? Actions{Act(Kind::NoActiveControl), Act(Kind::HighlightRow)} : Actions{};
            }
            if (s.Active == TNavControl::SearchBox) {
                return {Focus(Kind::FocusFirst, s.PinnedVisible ? TNavControl::PinnedTree : TNavControl::FrequentTree)};
            }
            break;
        case TNavView::AllPrograms:
            if (s.Active == TNavControl::AllProgramsTree) {
                return s.AtLast ? Actions{Act(Kind::NoActiveControl), Act(Kind::HighlightRow)} : Actions{};
            }
            if (s.Active == TNavControl::SearchBox) {
                return {Focus(Kind::FocusFirst, TNavControl::AllProgramsTree)};
            }
            break;
    }
    if (s.Active == TNavControl::None && s.RowHighlighted) {
        return {Act(Kind::UnhighlightRow), Act(Kind::FocusSearchBox)};
    }
    return {};
}

Actions Up(const TNavState& s) {
    switch (s.View) {
        case TNavView::Search:
            if (s.Active == TNavControl::SearchBox) {
                return {Act(Kind::NoActiveControl), Act(Kind::HighlightFooter)};
            }
            if (s.Active == TNavControl::ResultsTree) {
                return s.AtFirst ? Actions{Act(Kind::FocusSearchBox)} : Actions{};
            }
            if (s.Active == TNavControl::None && s.FooterHighlighted) {
                if (s.ResultsVisible) {
                    return {Act(Kind::UnhighlightFooter), Focus(Kind::FocusLast, TNavControl::ResultsTree)};
                }
                return {Act(Kind::UnhighlightFooter), Act(Kind::FocusSearchBox)};
            }
            return {};
        case TNavView::Frequent:
            if (s.Active == TNavControl::FrequentTree) {
                if (!s.AtFirst) {
                    return {};
                }
                return s.PinnedVisible ? Actions{Focus(Kind::FocusLast, TNavControl::PinnedTree)}
                                       : Actions{Act(Kind::FocusSearchBox)};
            }
            if (s.Active == TNavControl::PinnedTree) {
                return s.AtFirst ? Actions{Act(Kind::FocusSearchBox)} : Actions{};
            }
            break;
        case TNavView::AllPrograms:
            if (s.Active == TNavControl::AllProgramsTree) {
                return s.AtFirst ? Actions{Act(Kind::FocusSearchBox)} : Actions{};
            }
            break;
    }
    if (s.Active == TNavControl::SearchBox) {
        return {Act(Kind::NoActiveControl), Act(Kind::HighlightRow)};
    }
    if (s.Active == TNavControl::None && s.RowHighlighted) {
        return {Act(Kind::UnhighlightRow), Focus(Kind::FocusLast, ProgramTree(s))};
    }
    return {};
}

// Into the right column from the left: its first link, unless one is highlighted already.
Actions EnterRightColumn(const TNavState& s, bool markPowerInstead) {
    Actions actions;
    if (markPowerInstead) {
        actions.push_back(Act(Kind::MarkPower));
    } else {
        if (s.Link < 0) {
            actions.push_back(OnLink(Kind::HighlightLink, 0));
        }
        if (s.PowerMarked) {
            actions.push_back(Act(Kind::UnmarkPower));
        }
    }
    actions.push_back(Act(Kind::UnhighlightRow));
    actions.push_back(Act(Kind::NoActiveControl));
    actions.push_back(Act(Kind::SetRightColumnKeys));
    return actions;
}

Actions Sideways(const TNavState& s, unsigned key) {
    switch (s.View) {
        case TNavView::Search:
            return {};
        case TNavView::Frequent: {
            const bool tree = s.Active == TNavControl::PinnedTree || s.Active == TNavControl::FrequentTree;
            return EnterRightColumn(s, !tree);
        }
        case TNavView::AllPrograms:
            if (s.Active != TNavControl::AllProgramsTree) {
                return EnterRightColumn(s, false);
            }
            if (key == kLeft || s.Selected == TNavNode::None) {
                return {};
            }
            if (s.Selected == TNavNode::FolderWithChildren) {
                return {Act(Kind::SelectNextNode)};
            }
            if (s.Selected == TNavNode::FolderNotExpanded) {
                return {Act(Kind::ExpandFolder)};
            }
            return EnterRightColumn(s, false);
    }
    return {};
}

Actions Enter(const TNavState& s) {
    if (s.Active == TNavControl::None && s.RowHighlighted && s.View != TNavView::Search) {
        return {Act(Kind::SwitchView)};
    }
    const bool tree = s.Active == TNavControl::PinnedTree || s.Active == TNavControl::FrequentTree ||
                      s.Active == TNavControl::AllProgramsTree || s.Active == TNavControl::ResultsTree;
    if (!tree) {
        return {};
    }
    switch (s.Selected) {
        case TNavNode::None:
        case TNavNode::Placeholder:
            return {};
        case TNavNode::Program:
            return {Act(Kind::StartSelected)};
        case TNavNode::FolderWithChildren:
        case TNavNode::FolderNotExpanded:
            return {Act(Kind::ToggleFolder)};
    }
    return {};
}

}  // namespace

bool IsNavigationKey(unsigned key) {
    return key == kEsc || key == kEnter || (key >= kLeft && key <= kDown);
}

bool KeyTypesOrEdits(unsigned key) {
    struct TRange {
        unsigned First, Last;
    };
    // Virtual-key codes that type nothing and change no text by themselves.
    constexpr TRange kQuiet[] = {
        {0x09, 0x09},  // Tab
        {0x0C, 0x0C},  // Clear (the number pad's 5 without Num Lock)
        {0x10, 0x14},  // Shift, Ctrl, Alt, Pause, Caps Lock
        {0x15, 0x1A},  // input method: Kana/Hangul, IME on, Junja, Final, Kanji, IME off
        {0x1B, 0x1F},  // Esc, input method: Convert, Non-convert, Accept, Mode change
        {0x21, 0x2D},  // Page Up, Page Down, End, Home, the arrows, Select, Print, Execute, Print Screen, Insert
        {0x2F, 0x2F},  // Help
        {0x5B, 0x5F},  // the Windows keys, Menu, Sleep
        {0x70, 0x87},  // F1 to F24
        {0x90, 0x91},  // Num Lock, Scroll Lock
        {0xA0, 0xB7},  // left and right Shift, Ctrl and Alt; browser, volume, media and launch keys
        {0xF6, 0xFE},  // Attn, CrSel, ExSel, Erase EOF, Play, Zoom, PA1, Clear
    };
    for (const TRange& range : kQuiet) {
        if (key >= range.First && key <= range.Last) {
            return false;
        }
    }
    return key != 0 && key <= 0xFF;
}

std::vector<TNavAction> NavigationActions(const TNavState& state, unsigned key) {
    if (key == kEsc) {
        switch (state.View) {
            case TNavView::Search:
                return {Act(Kind::CloseSearch)};
            case TNavView::Frequent:
                return {Act(Kind::HideMenu)};
            case TNavView::AllPrograms:
                return {Act(Kind::SwitchView)};
        }
    }
    if (state.RightColumnKeys) {
        return RightColumnKey(state, key);
    }
    switch (key) {
        case kDown:
            return Down(state);
        case kUp:
            return Up(state);
        case kLeft:
        case kRight:
            return Sideways(state, key);
        case kEnter:
            return Enter(state);
        default:
            return {};
    }
}

}  // namespace tessaline
