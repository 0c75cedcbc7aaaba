#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "controls/LogoHintwindow.h"

namespace tessaline {
namespace {

// A 4 x 4 PNG, every pixel red at alpha 128.
const char kHalfRedPng[] =
    "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x04\x00\x00\x00\x04\x08\x06\x00\x00\x00\xa9\xf1\x9e\x7e\x00"
    "\x00\x00\x12IDATx\x9c\x63\xf8\xcf\xc0\xd0\x80\x8c\x19\x48\x17\x00\x00\x3a\x39\x17\xf1\xc1\x24\xf9\x09\x00\x00"
    "\x00\x00IEND\xae\x42\x60\x82";

class LogoHintWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The account picture falls back to Resources\user.png beside the program.
        const std::wstring resources = GetProgramDirectory() + L"Resources";
        CreateDirectoryTree(resources);
        for (const wchar_t* name : {L"user.png", L"userframe.png"}) {
            CopyFileW(test::SourcePath(std::wstring(L"data\\Resources\\") + name).c_str(),
                      (resources + L"\\" + name).c_str(), FALSE);
        }
        test::WriteBytes(folder.File(L"half.png"), std::string(kHalfRedPng, sizeof kHalfRedPng - 1));
    }
    std::wstring Frame() const { return GetProgramDirectory() + L"Resources\\userframe.png"; }

    test::TempFolder folder;
    TLogoHintWindow window{nullptr, nullptr};
};

TEST_F(LogoHintWindowTest, ComposedPixelsKeepThePicturesAlpha) {
    const TPicture half = ComposeLogoPicture(folder.File(L"half.png"), false);
    ASSERT_EQ(half.Width, 4);
    const uint32_t p = half.Pixel(2, 2);
    EXPECT_NEAR(static_cast<int>(p >> 24), 128, 1);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 128, 1);
    EXPECT_EQ(p & 0xFFFF, 0u);

    const TPicture plainFrame = ComposeLogoPicture(Frame(), false);
    const TPicture withAccount = ComposeLogoPicture(Frame(), true);
    ASSERT_EQ(withAccount.Width, 64);
    // The opening is see-through in the frame alone and covered by the account picture in the user frame.
    EXPECT_LT(plainFrame.Pixel(36, 35) >> 24, 16u);
    EXPECT_EQ(withAccount.Pixel(36, 35) >> 24, 255u);
    EXPECT_EQ(withAccount.Pixel(0, 0) >> 24, plainFrame.Pixel(0, 0) >> 24);
    EXPECT_TRUE(ComposeLogoPicture(folder.File(L"missing.png"), false).Empty());
}

TEST_F(LogoHintWindowTest, UserFrameIsALayeredShadowlessWindowWithAClickTarget) {
    int clicks = 0;
    window.SetClickHandler([&](TControl&) { ++clicks; });
    ASSERT_TRUE(window.ShowUserFrame(Frame(), 100, 80));
    HWND hwnd = window.Handle();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetClassLongPtrW(hwnd, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 64);
    EXPECT_NE(GetForegroundWindow(), hwnd);

    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(clicks, 1);

    // A plain picture has no click target.
    ASSERT_TRUE(window.ShowImage(folder.File(L"half.png"), 10, 10));
    EXPECT_FALSE(window.ClickImage().Visible());
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 4);
}

TEST(LogoHintFiles, UserFrameModeIsChosenByTheFileNameInAnyCase) {
    EXPECT_TRUE(IsUserFrameFile(L"C:\\Program\\Resources\\UserFrame.PNG"));
    EXPECT_TRUE(IsUserFrameFile(L"userframe.png"));
    EXPECT_FALSE(IsUserFrameFile(L"C:\\Resources\\documents.png"));
    EXPECT_FALSE(IsUserFrameFile(L"C:\\userframe.png\\other.png"));
}

}  // namespace
}  // namespace tessaline
