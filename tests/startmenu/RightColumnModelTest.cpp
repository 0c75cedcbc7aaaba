// The right column's marks, its picture's timing and what each link starts.
#include <gtest/gtest.h>

#include "startmenu/PowerButtonModel.h"
#include "startmenu/RightColumnModel.h"

namespace tessaline {
namespace {

TEST(RightColumnModel, OneLinkIsMarkedAtATimeAndALeaveOfAnotherLinkKeepsIt) {
    TRightColumnModel column;
    EXPECT_EQ(column.MarkedLink(), -1);
    EXPECT_EQ(column.Enter(3), kPictureDelayHover);
    EXPECT_EQ(column.MarkedLink(), 3);
    EXPECT_TRUE(column.Keyboard());
    EXPECT_EQ(column.CurrentPicture(), L"Resources\\music.png");

    // The pointer crosses from link 3 to link 2: the enter of 2 can come before the leave of 3.
    column.Enter(2);
    EXPECT_EQ(column.Leave(3), kPictureDelayLeave);
    EXPECT_EQ(column.MarkedLink(), 2);
    EXPECT_FALSE(column.Keyboard());
    EXPECT_EQ(column.CurrentPicture(), kUserFramePicture);

    column.Leave(2);
    EXPECT_EQ(column.MarkedLink(), -1);
    column.Enter(10);
    EXPECT_EQ(column.MarkedLink(), -1) << "no such link";
}

TEST(RightColumnModel, ALinksMenuHoldsTheHoverUntilAPressElsewhere) {
    TRightColumnModel column;
    EXPECT_EQ(column.EndHover(), 0u) << "no menu: nothing to end";
    column.Enter(1);
    column.LinkMenuOpened();
    EXPECT_EQ(column.Leave(1), 0u);  // the menu took the pointer; the link stays marked under it
    EXPECT_EQ(column.MarkedLink(), 1);
    EXPECT_EQ(column.EndHover(), kPictureDelayLeave);
    EXPECT_EQ(column.MarkedLink(), -1);
    EXPECT_EQ(column.CurrentPicture(), kUserFramePicture);
    EXPECT_EQ(column.EndHover(), 0u);

    column.Enter(4);
    column.LinkMenuOpened();
    column.LinkMenuClosed();
    EXPECT_EQ(column.Leave(4), kPictureDelayLeave);
    EXPECT_EQ(column.MarkedLink(), -1);
}

TEST(RightColumnModel, ThePictureShowsOnceEachChangeAndNeverOverTheResults) {
    TRightColumnModel column;
    column.Enter(6);
    column.ClearMarks();
    EXPECT_EQ(column.MarkedLink(), -1);
    EXPECT_FALSE(column.Keyboard());
    column.ResetPicture();
    EXPECT_EQ(column.Tick(false, false), L"") << "the menu is hidden";
    EXPECT_EQ(column.Tick(true, true), L"") << "the results cover the column";
    EXPECT_EQ(column.Tick(true, false), kUserFramePicture);
    EXPECT_EQ(column.Tick(true, false), L"") << "already shown";

    column.Enter(9);
    EXPECT_EQ(column.Tick(true, false), L"Resources\\help.png");
    column.PictureHidden();
    EXPECT_EQ(column.Tick(true, false), L"Resources\\help.png") << "hidden, so shown again";
}

TEST(RightColumnModel, EachLinkStartsItsPlace) {
    using Kind = TLinkAction::TKind;
    EXPECT_EQ(LinkAction(0), (TLinkAction{Kind::Open, TLinkFolder::Profile, L"", L""}));
    EXPECT_EQ(LinkAction(3), (TLinkAction{Kind::Open, TLinkFolder::AppData,
                                          L"\\Microsoft\\Windows\\Libraries\\Music.library-ms", L""}));
    EXPECT_EQ(LinkAction(5).Parameters, L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(LinkAction(6),
              (TLinkAction{Kind::RunSystemProgram, TLinkFolder::None, L"rundll32.exe", L"Shell32.DLL,Control_RunDLL"}));
    EXPECT_EQ(LinkAction(9), (TLinkAction{Kind::Open, TLinkFolder::Windows, L"\\winhlp32.exe", L""}));
    for (int link = 0; link < 10; ++link) {
        EXPECT_NE(LinkAction(link).Kind, Kind::None) << link;
    }
    EXPECT_EQ(LinkAction(-1).Kind, Kind::None);
    EXPECT_EQ(LinkAction(10).Kind, Kind::None);
}

TEST(PowerButtonModel, TheButtonAndItsArrowFollowThePointerTheMenuAndTheKeyboard) {
    TPowerButtonModel power;
    const auto pictures = [&] { return std::make_pair(power.ButtonPicture(), power.ArrowPicture()); };
    EXPECT_EQ(pictures(), std::make_pair(0, 0));
    power.Apply(TPowerEvent::PointerEnter);
    EXPECT_EQ(pictures(), std::make_pair(1, 1));
    EXPECT_TRUE(power.Marked());  // a hovered button is where the keyboard's ring goes on from
    power.Apply(TPowerEvent::LeftDown);
    EXPECT_EQ(pictures(), std::make_pair(2, 2));
    EXPECT_FALSE(power.Marked());
    power.Apply(TPowerEvent::ButtonUp);
    power.Apply(TPowerEvent::PointerLeave);
    EXPECT_EQ(pictures(), std::make_pair(0, 0));

    power.Apply(TPowerEvent::MenuOpening);
    EXPECT_EQ(pictures(), std::make_pair(1, 2));
    EXPECT_TRUE(power.Marked());
    power.Apply(TPowerEvent::MenuClosed);
    EXPECT_EQ(pictures(), std::make_pair(0, 0));
    power.Apply(TPowerEvent::Mark);
    EXPECT_TRUE(power.Marked());
    power.Apply(TPowerEvent::Unmark);
    EXPECT_FALSE(power.Marked());
}

}  // namespace
}  // namespace tessaline
