#pragma once
// The right column of the start-menu window: the ten links with their hover highlights and actions, the "Open"
// menu, Computer's shell menu, "Send Feedback", the account name, and the user picture above them (its own
// window, shown by a timer after a showing and as the pointer moves over the links). Its decisions are in
// TRightColumnModel; this is their glue. GUI thread only.

#include <array>
#include <functional>
#include <string>

#include "base/Geometry.h"
#include "startmenu/RightColumnModel.h"
#include "startmenu/StartMenuLayout.h"

namespace tessaline {

class TControl;
class TForm;
class TImageNote;
class TLabel;
class TLogoHintWindow;
class TPopupMenu;
class TTimer;

class TRightColumnRegion {
  public:
    struct TControls {
        std::array<TImageNote*, kLinkCount> Links{};
        std::array<TLabel*, kLinkCount> Labels{};
        TImageNote* Separator1 = nullptr;
        TImageNote* Separator2 = nullptr;
        TImageNote* SendBack = nullptr;
        TLabel* SendBackLabel = nullptr;
        TPopupMenu* LinkMenu = nullptr;  // "Open", on a link's right button
        TTimer* PictureTimer = nullptr;
    };
    struct TCalls {
        std::function<void()> HideMenu;    // after a link's start
        std::function<bool()> MenuShown;   // the window is showing
        std::function<bool()> SearchMode;  // the results cover the column
        std::function<void()> HoverEnded;  // a press elsewhere: the power button loses its highlight too
    };

    TRightColumnRegion(TForm& form, TControls controls, TCalls calls);

    void Enter(int link);
    void Leave(int link);
    void Click(int link);
    void EndHover();
    // The panes are filled: the account's picture is the one to show.
    void ResetPicture() { model_.ResetPicture(); }
    // The window shows: the picture comes after a moment.
    void Showing() { RestartTimer(kPictureDelayShowing); }
    // The picture window hides (the window hid, or the search's results cover the column).
    void HidePicture();
    // The search's results cover the column: no picture comes until they go.
    void SearchEntered();
    // They went: the picture comes back as on a showing (once one was shown).
    void SearchLeft();
    void ClearMarks();

    int MarkedLink() const { return model_.MarkedLink(); }
    bool Keyboard() const { return model_.Keyboard(); }
    void SetKeyboard(bool keyboard) { model_.SetKeyboard(keyboard); }

    // The page "Send Feedback" opens; empty hides the button.
    void SetFeedbackPage(const std::wstring& page);
    // The user picture's anchor, screen coordinates: the column is laid out from it.
    void Place(TPoint anchor);
    // The links that would reach below the power button's top are hidden.
    void HideLinksBelow(int powerButtonTop);
    void UpdateUserName();

  private:
    void RightDown(int link, int x, int y);
    void RightUp(TControl& sender, int link, int x, int y);
    void Tick();
    void RestartTimer(unsigned delay);
    void ShowMarks();

    TForm& form_;
    TControls controls_;
    TCalls calls_;
    TRightColumnModel model_;
    std::wstring feedbackPage_;
    TPoint anchor_{0, 0};
    TLogoHintWindow* pictureWindow_ = nullptr;
};

}  // namespace tessaline
