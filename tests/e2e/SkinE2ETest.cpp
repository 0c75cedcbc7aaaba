// Which pictures the docked button shows: a complete skin's, or the built-in ones when a file is missing. The
// button's pixels are read with PrintWindow (under Wine a child window of another process is not drawn on the
// screen, but it paints itself when asked).

#include <gtest/gtest.h>

#include "Desktop.h"
#include "base/FileSystem.h"
#include "controls/PictureLoader.h"

namespace tessaline::test {
namespace {

void WriteSkinName(const TDesktop& desktop, const std::wstring& name) {
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nSkinName=" + name + L"\r\n"));
}

TEST(SkinE2E, ACompleteSkinIsShownAndAnIncompleteOneFallsBackToTheBuiltInPictures) {
    EnsureGdiplus();
    const TPicture builtIn = LoadPictureResource(L"STARTBUTTON_NORMAL");
    ASSERT_FALSE(builtIn.Empty());
    for (const bool complete : {true, false}) {
        TDesktop desktop;
        const std::wstring skins = desktop.StageFolder() + L"\\StartButtonSkin\\";
        const TPicture ember = LoadPictureFile(skins + L"Ember_normal.png");
        ASSERT_FALSE(ember.Empty());
        ASSERT_FALSE(NearColour(CenterOverBlack(ember), CenterOverBlack(builtIn)));
        for (const wchar_t* state : {L"_normal.png", L"_hover.png"}) {
            CopyFileW((skins + L"Ember" + state).c_str(), (skins + L"Partial" + state).c_str(), FALSE);
        }
        WriteSkinName(desktop, complete ? L"Ember" : L"Partial");
        ASSERT_TRUE(desktop.StartHost());
        ASSERT_TRUE(desktop.StartTessaline());
        PumpFor(700);  // the picture refresh after docking
        const uint32_t shown = PrintedButtonCenter(desktop.StageFolder() + L"\\button.png");
        const uint32_t expected = CenterOverBlack(complete ? ember : builtIn);
        EXPECT_TRUE(NearColour(shown, expected))
            << (complete ? "complete" : "partial") << std::hex << " shown " << shown << " expected " << expected;
    }
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

TEST(SkinE2E, ThePictureFollowsTheMouseAndStaysPressedWhileTheMenuShows) {
    EnsureGdiplus();
    TDesktop desktop;
    const std::wstring skins = desktop.StageFolder() + L"\\StartButtonSkin\\Ember";
    WriteSkinName(desktop, L"Ember");
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    PumpFor(700);
    const std::wstring png = desktop.StageFolder() + L"\\button.png";
    const auto shows = [&](const wchar_t* state) {
        const uint32_t shown = PrintedButtonCenter(png);
        const uint32_t expected = CenterOverBlack(LoadPictureFile(skins + state));
        return NearColour(shown, expected);
    };
    ASSERT_FALSE(NearColour(CenterOverBlack(LoadPictureFile(skins + L"_hover.png")),
                            CenterOverBlack(LoadPictureFile(skins + L"_click.png"))));
    HWND button = desktop.Button();
    EXPECT_TRUE(shows(L"_normal.png"));
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(27, 27));
    EXPECT_TRUE(shows(L"_hover.png"));
    // A click opens the menu; the button stays pressed while the mouse moves over it.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(27, 27));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(27, 27));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(desktop.StartMenu()) != FALSE; }, 3000));
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(shows(L"_click.png"));
    // A second click closes it again and the hover picture comes back.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(27, 27));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(27, 27));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(desktop.StartMenu()) == FALSE; }, 3000));
    EXPECT_TRUE(shows(L"_hover.png"));
}

}  // namespace
}  // namespace tessaline::test
