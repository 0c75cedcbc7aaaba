#pragma once
// The right column's decisions: which link is marked, whether the keyboard's position is in the column, which
// picture the user-picture window shows and after how long, and what a click on each link starts. Any thread.

#include <string>

namespace tessaline {

// The picture window's delays: after a showing, after the pointer came onto a link, after it left the links.
inline constexpr unsigned kPictureDelayShowing = 200;
inline constexpr unsigned kPictureDelayHover = 200;
inline constexpr unsigned kPictureDelayLeave = 700;
// The account's framed picture, shown while no link is hovered ("Resources\" beside the program).
inline constexpr wchar_t kUserFramePicture[] = L"Resources\\userframe.png";

// A folder of the user or the system that a link's file lies in.
enum class TLinkFolder { None, Profile, AppData, Windows };

struct TLinkAction {
    enum class TKind {
        None,              // no such link: nothing starts and the menu stays
        Open,              // the shell's "open" of the folder's path followed by File, with Parameters
        RunSystemProgram,  // File of the system folder, by its full path, with Parameters
    };
    TKind Kind = TKind::None;
    TLinkFolder Folder = TLinkFolder::None;
    std::wstring File;
    std::wstring Parameters;

    bool operator==(const TLinkAction&) const = default;
};

// What a click on link `link` (0 = the account, 9 = Help and Support) starts.
TLinkAction LinkAction(int link);

class TRightColumnModel {
  public:
    // Each of these returns the delay to start the picture's timer anew with, or 0 to leave it as it is.

    // The pointer or the keyboard came onto a link: it is the one marked, and its picture follows.
    unsigned Enter(int link);
    // The pointer left a link (ignored while a link's menu is open): the account's picture follows.
    unsigned Leave(int link);
    // A press elsewhere in the window ends a hover that a link's menu left behind.
    unsigned EndHover();
    // The panes are filled for a showing: the account's picture is the one to show.
    void ResetPicture() { current_ = kUserFramePicture; }

    void LinkMenuOpened() { linkMenuOpen_ = true; }
    void LinkMenuClosed() { linkMenuOpen_ = false; }
    // No link marked and the keyboard's position out of the column.
    void ClearMarks();

    int MarkedLink() const { return marked_; }
    bool Keyboard() const { return keyboard_; }
    void SetKeyboard(bool keyboard) { keyboard_ = keyboard; }
    const std::wstring& CurrentPicture() const { return current_; }

    // The timer's tick: the picture to show now, or empty when the one shown stays (the same one, the menu
    // hidden, or the search's results over the column).
    std::wstring Tick(bool menuShown, bool searchMode);
    // The picture window was hidden: the next tick shows its picture again.
    void PictureHidden() { shown_.clear(); }

  private:
    int marked_ = -1;
    bool keyboard_ = false;
    bool linkMenuOpen_ = false;
    std::wstring current_ = kUserFramePicture;
    std::wstring shown_;
};

}  // namespace tessaline
