#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <chrono>

#include "TestSupport.h"
#include "controls/FormDescription.h"
#include "controls/FormWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/RdLabel.h"
#include "controls/StandardClasses.h"
#include "controls/TimerWin.h"
#include "controls/WinControlWin.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

// A 4 x 4 PNG, every pixel red at alpha 128.
const std::vector<uint8_t> kHalfRedPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA9, 0xF1, 0x9E, 0x7E, 0x00, 0x00, 0x00, 0x12, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xD0, 0x80, 0x8C, 0x19, 0x48, 0x17, 0x00, 0x00, 0x3A, 0x39,
    0x17, 0xF1, 0xC1, 0x24, 0xF9, 0x09, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// A windowless control that shows one picture at its natural size.
class PictureBox : public TControl {
  public:
    using TControl::TControl;
    TPicture Picture;
    void Paint(ICanvas& canvas) override { canvas.DrawPicture(Picture, ClientRect(), false); }
};

struct Screen {
    std::vector<uint32_t> pixels;
    int width = 0;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// What the form paints, through WM_PRINTCLIENT into a bitmap of our own.
Screen Print(TForm& form) {
    RECT client{};
    GetClientRect(form.Handle(), &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    Screen screen;
    screen.width = client.right;
    const auto* p = static_cast<const uint32_t*>(bits);
    screen.pixels.assign(p, p + static_cast<size_t>(client.right) * client.bottom);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return screen;
}

void PumpFor(std::chrono::milliseconds span, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + span;
    MSG msg;
    while (!done() && std::chrono::steady_clock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Style = WS_POPUP;
        form.SetBounds(40, 40, 200, 120);
        form.SetColor(RgbColor(0, 0, 255));
        form.SetVisible(false);
    }
    TForm form{nullptr};
};

TEST_F(FormTest, DecodedPngIsPremultipliedAndBlendsOverTheBackground) {
    const TPicture picture = DecodePicture(kHalfRedPng);
    ASSERT_EQ(picture.Width, 4);
    ASSERT_TRUE(picture.HasAlpha);
    const uint32_t p = picture.Pixel(1, 1);
    EXPECT_NEAR(static_cast<int>(p >> 24), 128, 1);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 128, 1);  // red, premultiplied

    auto* box = Create<PictureBox>(&form, L"Box");
    box->SetParent(&form);
    box->SetBounds(10, 10, 4, 4);
    box->Picture = picture;
    ASSERT_TRUE(form.CreateHandle());
    const Screen screen = Print(form);
    const uint32_t blended = screen.At(11, 11);
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 2);  // red
    EXPECT_NEAR(static_cast<int>((blended >> 8) & 0xFF), 0, 2);
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 127, 2);  // blue behind it, half covered
    EXPECT_EQ(screen.At(20, 20), 0x0000FFu);                // background alone
}

TEST_F(FormTest, ImageNoteFromADescriptionBlendsItsPictureAndSwitchesState) {
    RegisterStandardClasses();
    const TPicture half = DecodePicture(kHalfRedPng);
    TPicture white{4, 4, std::vector<uint32_t>(16, 0xFFFFFFFFu), false};
    TPropertyContext context;
    context.Pictures = [&](const std::wstring& name) { return name == L"HALF" ? half : white; };
    const TFormDescription description = {
        {L"TImageNote",
         L"ImageNote_Test",
         L"",
         RectOf(10, 10, 4, 4),
         {{L"Items", L"HALF, WHITE"}, {L"Picture", L"HALF"}, {L"ImageIndex", L"1"}}},
        {L"TImageNote", L"ImageNote_Empty", L"", RectOf(40, 10, 20, 20), {{L"Tag", L"3"}}},
        {L"TLabel", L"Label_Name", L"", RectOf(60, 60, 10, 10), {{L"Caption", L"Name"}, {L"AutoSize", L"True"}}},
    };
    ASSERT_EQ(BuildForm(form, description, context), 0);
    ASSERT_TRUE(form.CreateHandle());
    auto* image = form.Find<TImageNote>(L"ImageNote_Test");
    ASSERT_NE(image, nullptr);
    // Loaded with index 1 but the stored picture (the half-transparent one) shows until the next write.
    EXPECT_EQ(image->ImageIndex(), 1);
    uint32_t blended = Print(form).At(11, 11);
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 2);
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 127, 2);
    image->SetImageIndex(1);
    EXPECT_EQ(Print(form).At(11, 11), 0xFFFFFFu);
    image->SetImageIndex(-1);
    EXPECT_EQ(Print(form).At(11, 11), 0x0000FFu);

    // A label sizes itself to its text on the screen's device context.
    auto* label = form.Find<TLabel>(L"Label_Name");
    ASSERT_NE(label, nullptr);
    EXPECT_GT(label->Width(), 10);
    EXPECT_GT(label->Height(), 5);
    EXPECT_EQ(label->Left(), 60);
}

TEST_F(FormTest, LabelsMeasuredWithDrawTextKeepTheirAlignedEdgeAndWrapWords) {
    RegisterStandardClasses();
    const TFormDescription description = {
        {L"TRdLabel",
         L"RdLabel_Right",
         L"",
         RectOf(100, 10, 50, 15),
         {{L"Alignment", L"taRightJustify"}, {L"Caption", L"Short"}}},
        {L"TRdLabel",
         L"RdLabel_Wrap",
         L"",
         RectOf(10, 40, 60, 15),
         {{L"AutoSize", L"True"}, {L"WordWrap", L"True"}, {L"Caption", L"one"}}},
    };
    ASSERT_EQ(BuildForm(form, description, {}), 0);
    auto* right = form.Find<TRdLabel>(L"RdLabel_Right");
    const int rightEdge = right->BoundsRect().Right;
    right->SetCaption(L"A much longer caption");
    EXPECT_EQ(right->BoundsRect().Right, rightEdge);
    EXPECT_LT(right->Left(), 100);

    auto* wrap = form.Find<TRdLabel>(L"RdLabel_Wrap");
    const int oneLine = wrap->Height();
    wrap->SetCaption(L"several words that cannot share one line of sixty pixels");
    EXPECT_GE(wrap->Height(), 3 * oneLine);
    EXPECT_LE(wrap->Width(), 60);
}

TEST_F(FormTest, EmbeddedPicturesLoadByName) {
    const TPicture button = LoadPictureResource(L"STARTBUTTON_NORMAL");
    EXPECT_EQ(button.Width, 54);
    EXPECT_EQ(button.Height, 54);
    EXPECT_TRUE(button.HasAlpha);
    EXPECT_EQ(LoadPictureResource(L"CONTROLPANEL_47").Width, 16);
}

TEST_F(FormTest, UndecodableDataGivesAnEmptyPicture) {
    EXPECT_TRUE(DecodePicture({}).Empty());
    EXPECT_TRUE(DecodePicture({0x89, 0x50, 0x4E, 0x47, 1, 2, 3}).Empty());
    test::TempFolder folder;
    EXPECT_TRUE(LoadPictureFile(folder.File(L"missing.png")).Empty());
    EXPECT_TRUE(LoadPictureResource(L"NO_SUCH_PICTURE").Empty());
}

TEST_F(FormTest, ControlWithoutPictureGetsEnterLeaveAndClickFromRealMessages) {
    auto* box = Create<PictureBox>(&form, L"Box");
    box->SetParent(&form);
    box->SetBounds(20, 20, 30, 30);
    std::vector<std::string> events;
    box->OnMouseEnter = [&](TControl&) { events.push_back("enter"); };
    box->OnMouseLeave = [&](TControl&) { events.push_back("leave"); };
    box->OnClick = [&](TControl&) { events.push_back("click"); };
    ASSERT_TRUE(form.CreateHandle());
    HWND hwnd = form.Handle();
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(26, 26));
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "click", "leave", "enter", "leave"}));
}

TEST_F(FormTest, APressWhoseReleaseAMenuTookLetsTheHoverMoveOn) {
    auto* box = Create<PictureBox>(&form, L"Box");
    box->SetParent(&form);
    box->SetBounds(20, 20, 30, 30);
    std::vector<std::string> events;
    box->OnMouseEnter = [&](TControl&) { events.push_back("enter"); };
    box->OnMouseLeave = [&](TControl&) { events.push_back("leave"); };
    ASSERT_TRUE(form.CreateHandle());
    HWND hwnd = form.Handle();
    HWND menu = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // A context menu opened on the press: its loop takes the capture, and the release with it.
    box->OnMouseDown = [&](TControl&, TMouseButton, TShiftState, int, int) {
        events.push_back("down");
        SetCapture(menu);
        ReleaseCapture();
    };
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(25, 25));
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(25, 25));
    DestroyWindow(menu);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "leave", "enter"}));
}

TEST_F(FormTest, AHoveredControlWithAHintGetsATooltipToolOverItsRectangle) {
    auto* plain = Create<PictureBox>(&form, L"Plain");
    plain->SetParent(&form);
    plain->SetBounds(0, 0, 20, 20);
    auto* hinted = Create<PictureBox>(&form, L"Hinted");
    hinted->SetParent(&form);
    hinted->SetBounds(30, 10, 40, 20);
    hinted->SetHint(L"Shut down");
    hinted->SetShowHint(true);
    ASSERT_TRUE(form.CreateHandle());
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.HintWindow(), nullptr);  // nothing to show yet
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 15));
    ASSERT_NE(form.HintWindow(), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    wchar_t text[64] = {};
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(form.HintWindow(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_STREQ(text, L"Shut down");
    EXPECT_EQ(tool.rect.left, 30);
    EXPECT_EQ(tool.rect.bottom, 30);
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageW(form.HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(FormTest, WindowedControlsFollowTheirPropertiesAndReportChanges) {
    auto* edit = Create<TEdit>(&form, L"Edit_Search");
    edit->SetParent(&form);
    edit->SetBounds(5, 5, 100, 20);
    edit->SetCaption(L"before");
    int changes = 0;
    edit->OnChange = [&](TControl&) { ++changes; };
    auto* button = Create<TButton>(&form, L"Button_OK");
    button->SetParent(&form);
    int clicks = 0;
    button->OnClick = [&](TControl&) { ++clicks; };
    ASSERT_TRUE(form.CreateHandle());

    ASSERT_NE(edit->Handle(), nullptr);
    EXPECT_EQ(GetParent(edit->Handle()), form.Handle());
    EXPECT_EQ(edit->Text(), L"before");
    SetWindowTextW(edit->Handle(), L"typed");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Caption(), L"typed");
    edit->SetCaption(L"typed");  // unchanged: no notification
    EXPECT_EQ(changes, 1);

    edit->SetBounds(7, 8, 90, 22);
    RECT r{};
    GetWindowRect(edit->Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 8);
    edit->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(edit->Handle()));

    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.Find<TButton>(L"button_ok"), button);
}

// Alt and the marked letter of a label's caption, typed with real keys while the focus is elsewhere in the form,
// move the focus to the control the form description names for the label, though it is described after it.
TEST_F(FormTest, AltWithALabelsAcceleratorFocusesItsFocusControl) {
    RegisterStandardClasses();
    const TFormDescription description = {
        {L"TRdLabel",
         L"Label_Search",
         L"",
         RectOf(5, 5, 60, 17),
         {{L"Caption", L"&Search"}, {L"FocusControl", L"Edit1"}}},
        {L"TEdit", L"Edit1", L"", RectOf(70, 5, 100, 20), {}},
        {L"TButton", L"Button1", L"", RectOf(70, 40, 80, 24), {{L"Caption", L"OK"}}},
    };
    ASSERT_EQ(BuildForm(form, description, {}), 0);
    auto* label = form.Find<TRdLabel>(L"Label_Search");
    auto* edit = form.Find<TEdit>(L"Edit1");
    auto* button = form.Find<TButton>(L"Button1");
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(label->FocusControl(), edit);
    form.SetVisible(true);
    ASSERT_TRUE(form.CreateHandle());
    SetForegroundWindow(form.Handle());
    SetFocus(button->Handle());
    PumpFor(std::chrono::milliseconds(300), [&] { return GetFocus() == button->Handle(); });
    ASSERT_EQ(GetFocus(), button->Handle());

    INPUT keys[4] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = 'S';
    keys[2].ki.wVk = 'S';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
    PumpFor(std::chrono::milliseconds(2000), [&] { return GetFocus() == edit->Handle(); });
    EXPECT_EQ(GetFocus(), edit->Handle());

    // Once its focus control is gone the label takes no accelerator.
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_FALSE(form.DialogChar(L's'));
}

TEST_F(FormTest, LocaliserChangesComboEntriesAndKeepsTheSelection) {
    test::TempFolder folder;
    test::WriteBytes(folder.File(L"English.lng"),
                     "\xEF\xBB\xBF[Tessaline_frmTest]\nfrmTest.Caption=Options\nComboBox_Mode.Items[0].Caption=Small\n"
                     "ComboBox_Mode.Items[1].Caption=Large\n");
    form.SetName(L"frmTest");
    auto* combo = Create<TComboBox>(&form, L"ComboBox_Mode");
    combo->SetParent(&form);
    combo->AddItem(L"small");
    combo->AddItem(L"large");
    combo->SetItemIndex(1);
    ASSERT_TRUE(form.CreateHandle());

    TLanguage language(L"Tessaline", folder.Path());
    ASSERT_TRUE(language.LoadLanguage(L"English"));
    language.ApplyToComponent(form);

    EXPECT_EQ(combo->ItemText(0), L"Small");
    EXPECT_EQ(combo->ItemIndex(), 1);
    wchar_t text[32] = {};
    SendMessageW(combo->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Large");
    GetWindowTextW(form.Handle(), text, 32);
    EXPECT_STREQ(text, L"Options");
}

TEST_F(FormTest, TimerFiresOnTheMessageLoopUntilDisabled) {
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int fired = 0;
    timer.OnTimer = [&](TTimer& t) {
        if (++fired == 2) {
            t.SetEnabled(false);
        }
    };
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    PumpFor(std::chrono::seconds(5), [&] { return fired >= 2; });
    PumpFor(std::chrono::milliseconds(100), [] { return false; });
    EXPECT_EQ(fired, 2);
}

}  // namespace
}  // namespace tessaline
