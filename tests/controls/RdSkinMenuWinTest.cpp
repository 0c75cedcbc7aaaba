// The skinned menu's real windows under Wine: an owner window of the test's own, real messages and real key
// input through the thread hook.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/RdSkinMenuWin.h"

namespace tessaline {
namespace {

constexpr wchar_t kOwnerClass[] = L"TessalineMenuOwner";

// What reached the owner window's own procedure.
std::vector<UINT> ownerMessages;
std::vector<WPARAM> ownerKeys;  // virtual keys of WM_KEYDOWN and WM_KEYUP

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ownerMessages.push_back(message);
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        ownerKeys.push_back(wParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool OwnerSaw(UINT message) {
    return std::find(ownerMessages.begin(), ownerMessages.end(), message) != ownerMessages.end();
}

bool OwnerSawKey(WPARAM key) {
    return std::find(ownerKeys.begin(), ownerKeys.end(), key) != ownerKeys.end();
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Input from keybd_event arrives through the X server: pump until it has been handled.
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        Pump();
        if (!done()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return done();
}

void PressKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

LPARAM PointParam(TPoint p) {
    return MAKELPARAM(p.X, p.Y);
}

TPoint CentreOf(const TRdMenuCtrl& level, int index) {
    const TRect& r = level.Layout().ItemRects[static_cast<size_t>(index)];
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Moves the pointer onto an item the way the system reports it to the window under the pointer.
void Hover(const TRdMenuCtrl& level, int index) {
    SendMessageW(level.Handle(), WM_MOUSEMOVE, 0, PointParam(CentreOf(level, index)));
}

TFont Tahoma11(TColor color) {
    TFont font;
    font.Name = L"Tahoma";
    font.Height = -11;
    font.Color = color;
    return font;
}

// The menu's own measure, taken independently: max(text height, 16) + 10.
int Tahoma11ItemHeight() {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32W(screen, L"|", 1, &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return std::max<int>(size.cy, 16) + 10;
}

HWND CreateOwner() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kOwnerClass;
        return RegisterClassW(&windowClass);
    }();
    if (atom == 0) {
        return nullptr;
    }
    return CreateWindowExW(0, kOwnerClass, L"Menu owner", WS_POPUP | WS_BORDER, 40, 40, 320, 240, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class RdSkinMenuWin : public testing::Test {
  protected:
    // One owner for the suite, shown only by the tests that need it in front: without a window manager Wine
    // waits two seconds for an activated window to go.
    static void SetUpTestSuite() { owner = CreateOwner(); }
    // Key input goes to the foreground window's thread.
    static void OwnerInFront() {
        ShowWindow(owner, SW_SHOW);
        SetForegroundWindow(owner);
        SetFocus(owner);
        Pump();
    }
    static void TearDownTestSuite() {
        if (owner != nullptr) {
            DestroyWindow(owner);
            owner = nullptr;
        }
        Pump();
    }

    void SetUp() override {
        ASSERT_NE(owner, nullptr);
        menu.reset(CreateRdSkinMenu(nullptr, L"PopupMenu_Shutdown", owner));
        menu->FontNormal = Tahoma11(kColorBlack);
        menu->FontHighLight = Tahoma11(0xCC6600);
        menu->FontDisabled = Tahoma11(kColorGray);
        menu->OnHide = [this](TRdSkinMenu&) { ++hides; };
        for (const wchar_t* caption : {L"Switch user", L"Log off", L"Lock", L"-", L"Restart", L"-", L"&Sleep"}) {
            Add(menu->Items(), caption);
        }
        ownerMessages.clear();
        ownerKeys.clear();
    }

    void TearDown() override {
        menu.reset();
        Pump();
    }

    TMenuItem* Add(TMenuItem& parent, const std::wstring& caption) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        item->OnClick = [this](TMenuItem& sender) { clicks.push_back(sender.Caption()); };
        parent.Add(item);
        return item;
    }
    TRdMenuCtrl& Root() { return menu->RootMenu(); }
    HWND RootWindow() { return Root().Handle(); }

    static inline HWND owner = nullptr;
    std::unique_ptr<TRdSkinMenu> menu;
    int hides = 0;
    std::vector<std::wstring> clicks;
};

TEST_F(RdSkinMenuWin, ShutDownMenuOpensTopmostUnactivatedAtItsMeasuredSize) {
    OwnerInFront();
    menu->Popup(200, 150);
    HWND window = RootWindow();
    ASSERT_TRUE(IsWindowVisible(window));
    const RECT rect = WindowRect(window);
    const int itemHeight = Tahoma11ItemHeight();
    EXPECT_EQ(rect.bottom - rect.top, 4 + 5 * itemHeight + 2 * 3);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_GE(rect.right - rect.left, 120);

    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_NE(GetClassLongPtrW(window, GCL_STYLE) & CS_SAVEBITS, 0u);
    EXPECT_NE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
    Pump();
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_NE(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), owner);

    menu->AlphaBlend = true;
    menu->AlphaBlendValue = 200;
    menu->DropShadow = false;
    menu->Popup(200, 150);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
}

TEST_F(RdSkinMenuWin, MenuWithoutItemsShowsNoWindowAndAllInvisibleOpensAsAnEmptyFrame) {
    menu->Items().Clear();
    menu->Popup(100, 100);
    EXPECT_FALSE(IsWindowVisible(RootWindow()));

    Add(menu->Items(), L"Hidden")->Visible = false;
    menu->Popup(100, 100);
    ASSERT_TRUE(IsWindowVisible(RootWindow()));
    const RECT rect = WindowRect(RootWindow());
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 4);
}

TEST_F(RdSkinMenuWin, NearTheRightEdgeTheMenuAndItsSubmenuOpenToTheLeft) {
    Add(*menu->Items().Items(4), L"Now");
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{100, 100}, MONITOR_DEFAULTTONEAREST), &info));
    const int x = info.rcMonitor.right - 10;
    menu->Popup(x, 100);
    const RECT root = WindowRect(RootWindow());
    EXPECT_EQ(root.left, x - Root().Layout().Width);

    Hover(Root(), 4);
    TRdMenuCtrl* submenu = Root().Submenu(4);
    ASSERT_NE(submenu, nullptr);
    ASSERT_TRUE(IsWindowVisible(submenu->Handle()));
    EXPECT_EQ(WindowRect(submenu->Handle()).right, root.left);
    EXPECT_NE(GetWindowLongPtrW(submenu->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(RdSkinMenuWin, EscapeHidesTheRootWithoutOnHide) {
    OwnerInFront();
    menu->Popup(100, 100);
    ASSERT_EQ(GetForegroundWindow(), owner) << "key input needs the owner in front";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(RootWindow()); }));
    EXPECT_EQ(hides, 0);
    EXPECT_FALSE(OwnerSaw(WM_KEYDOWN));
}

TEST_F(RdSkinMenuWin, KeysWhileOpenNeverReachTheOwner) {
    std::vector<int> others;
    menu->OnOtherKey = [&](TRdSkinMenu&, int key) { others.push_back(key); };
    OwnerInFront();
    menu->Popup(100, 100);
    ASSERT_EQ(GetForegroundWindow(), owner) << "key input needs the owner in front";
    PressKey('X');
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);  // input keeps its order: once the menu is gone, the keys before it have been handled
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(RootWindow()); }));
    EXPECT_FALSE(OwnerSawKey('X'));
    EXPECT_FALSE(OwnerSawKey(VK_DOWN));
    EXPECT_FALSE(OwnerSaw(WM_CHAR));
    // The keys that picked nothing went to the menu's own handler instead, once each (not on release).
    EXPECT_EQ(others, (std::vector<int>{'X', VK_DOWN}));
    menu->OnOtherKey = nullptr;

    // The same key with the menu closed does reach the owner: the check above could see it.
    PressKey('X');
    EXPECT_TRUE(PumpUntil([] { return OwnerSawKey('X'); }));
}

TEST_F(RdSkinMenuWin, AcceleratorAndEnterPickItemsThroughTheHook) {
    OwnerInFront();
    menu->Popup(100, 100);
    PressKey('S');
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"&Sleep"}));
    EXPECT_FALSE(IsWindowVisible(RootWindow()));

    clicks.clear();
    menu->Popup(100, 100);
    Hover(Root(), 1);
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"Log off"}));
}

TEST_F(RdSkinMenuWin, ClicksOnTheOwnerCloseTheMenuWithOnHide) {
    for (UINT message : {WM_MOUSEACTIVATE, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN,
                         WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        hides = 0;
        ownerMessages.clear();
        menu->Popup(100, 100);
        ASSERT_TRUE(IsWindowVisible(RootWindow()));
        SendMessageW(owner, message, 0, MAKELPARAM(10, 10));
        EXPECT_FALSE(IsWindowVisible(RootWindow())) << message;
        EXPECT_EQ(hides, 1) << message;
        EXPECT_TRUE(OwnerSaw(message)) << message;  // the owner's own procedure still runs
    }
    hides = 0;
    menu->Popup(100, 100);
    SendMessageW(owner, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    SendMessageW(owner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(IsWindowVisible(RootWindow()));
    EXPECT_EQ(hides, 0);
}

TEST_F(RdSkinMenuWin, ClickingAnItemRunsItsEventAndItemsWithChildrenStayOpen) {
    Add(*menu->Items().Items(4), L"Now");
    menu->Popup(100, 100);
    Hover(Root(), 4);
    SendMessageW(RootWindow(), WM_LBUTTONUP, 0, PointParam(CentreOf(Root(), 4)));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"Restart"}));
    EXPECT_TRUE(IsWindowVisible(RootWindow()));
    ASSERT_NE(Root().Submenu(4), nullptr);
    EXPECT_TRUE(IsWindowVisible(Root().Submenu(4)->Handle()));
    EXPECT_EQ(hides, 0);

    clicks.clear();
    TRdMenuCtrl& submenu = *Root().Submenu(4);
    Hover(submenu, 0);
    SendMessageW(submenu.Handle(), WM_LBUTTONUP, 0, PointParam(CentreOf(submenu, 0)));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"Now"}));
    EXPECT_FALSE(IsWindowVisible(RootWindow()));
    EXPECT_FALSE(IsWindowVisible(submenu.Handle()));
    EXPECT_EQ(hides, 2);  // one per level
}

TEST_F(RdSkinMenuWin, ApplicationDeactivationAndCloseMessagesHideTheMenu) {
    menu->Popup(100, 100);
    SendMessageW(RootWindow(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(RootWindow()));
    EXPECT_EQ(hides, 1);

    menu->Popup(100, 100);
    SendMessageW(RootWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(RootWindow()));
    EXPECT_TRUE(IsWindow(RootWindow()));  // hidden, not destroyed: it opens again
    EXPECT_EQ(hides, 1);
    menu->Popup(100, 100);
    EXPECT_TRUE(IsWindowVisible(RootWindow()));
}

TEST_F(RdSkinMenuWin, ModalPopupReturnsWhenTheMenuCloses) {
    menu->ModalMenu = true;
    bool popupFired = false;
    menu->OnPopup = [&](TRdSkinMenu&) { popupFired = true; };
    PostMessageW(owner, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));  // handled inside the menu's own loop
    menu->Popup(100, 100);
    EXPECT_TRUE(popupFired);
    EXPECT_TRUE(Root().Closed());
    EXPECT_FALSE(IsWindowVisible(RootWindow()));
    EXPECT_EQ(hides, 1);
}

TEST_F(RdSkinMenuWin, RealPointerInputPicksItemsWithoutActivatingTheMenu) {
    OwnerInFront();
    Add(*menu->Items().Items(4), L"Now");
    menu->Popup(400, 300);
    const TPoint restart = CentreOf(Root(), 4);
    SetCursorPos(400 + restart.X, 300 + restart.Y);
    EXPECT_TRUE(PumpUntil([&] { return Root().Submenu(4) != nullptr && Root().Submenu(4)->Visible(); }));
    // "Restart" has a submenu: the menu stays open, so nothing gives the owner its activation back.
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"Restart"}));
    EXPECT_EQ(GetForegroundWindow(), owner);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_FALSE(OwnerSaw(WM_LBUTTONDOWN));  // the press went to the menu window, not to the owner
    EXPECT_TRUE(IsWindowVisible(RootWindow()));

    const TPoint lock = CentreOf(Root(), 2);
    SetCursorPos(400 + lock.X, 300 + lock.Y);
    EXPECT_TRUE(PumpUntil([&] { return Root().HotIndex() == 2; }));
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks.back(), L"Lock");
    EXPECT_FALSE(IsWindowVisible(RootWindow()));
    SetCursorPos(0, 0);
    Pump();
}

TEST_F(RdSkinMenuWin, OwnerDestroyedBeforeTheMenuLeavesNothingBehind) {
    HWND second = CreateOwner();
    ASSERT_NE(second, nullptr);
    std::unique_ptr<TRdSkinMenu> other(CreateRdSkinMenu(nullptr, L"PopupMenu_Other", second));
    Add(other->Items(), L"Only");
    HWND level = other->RootMenu().Handle();
    DestroyWindow(second);  // takes the owned menu window with it
    EXPECT_FALSE(IsWindow(level));
    other->Popup(100, 100);
    other->CloseMenu();
    other.reset();  // removes neither a subclass nor a window twice
    menu->Popup(100, 100);
    SendMessageW(owner, WM_LBUTTONDOWN, 0, 0);  // the suite's owner is still watched by its own menu
    EXPECT_EQ(hides, 1);
}

// The window's picture, as WM_PRINTCLIENT paints it.
class TCapture {
  public:
    explicit TCapture(HWND window) {
        const RECT rect = WindowRect(window);
        width_ = rect.right - rect.left;
        height_ = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        pixels_.assign(pixels, pixels + static_cast<size_t>(width_) * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    TColor At(int x, int y) const {
        const uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
        return RgbColor(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                        static_cast<int>(p & 0xFF));
    }
    bool Holds(const TRect& rect, TColor color) const {
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            for (int x = rect.Left; x < rect.Right; ++x) {
                if (At(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

TEST_F(RdSkinMenuWin, PaintsFrameColumnHighlightTextAndGlyphs) {
    const TColor highlight = menu->ColorHighLight;
    TMenuItem* lock = menu->Items().Items(2);
    lock->Checked = true;
    menu->Items().Items(1)->Enabled = false;
    Add(*menu->Items().Items(4), L"Now");
    menu->Popup(100, 100);
    Hover(Root(), 0);  // "Switch user" hot, with the pointer inside
    const TCapture picture(RootWindow());
    const TSkinMenuLayout& layout = Root().Layout();
    const TRect hot = layout.ItemRects[0];
    const TRect normal = layout.ItemRects[4];
    const TRect disabled = layout.ItemRects[1];
    const auto textOf = [](const TRect& r) { return TRect{r.Left + 16 + 18, r.Top, r.Right - 5, r.Bottom}; };

    EXPECT_EQ(picture.At(0, 0), kColorGray);
    EXPECT_EQ(picture.At(layout.Width - 1, layout.Height - 1), kColorGray);
    EXPECT_EQ(picture.At(16 + 13, normal.Top + 3), kColorSilver);  // the glyph column's edge
    EXPECT_EQ(picture.At(normal.Left + 2, normal.Top + 3), kColorWhite);
    EXPECT_EQ(picture.At(16 + 20, layout.ItemRects[3].Top + 1), kColorSilver);  // separator line

    EXPECT_EQ(picture.At(hot.Left, hot.Top + 5), highlight);        // rounded frame
    EXPECT_EQ(picture.At(hot.Left + 1, hot.Top + 5), kColorWhite);  // between frame and fill
    EXPECT_EQ(picture.At(hot.Left + 3, hot.Top + 3), highlight);    // inset fill
    EXPECT_TRUE(picture.Holds(textOf(hot), 0xCC6600));
    EXPECT_FALSE(picture.Holds(textOf(hot), kColorBlack));
    EXPECT_TRUE(picture.Holds(textOf(normal), kColorBlack));
    EXPECT_TRUE(picture.Holds(textOf(disabled), kColorGray));
    EXPECT_FALSE(picture.Holds(textOf(disabled), kColorBlack));

    const TRect lockRect = layout.ItemRects[2];
    EXPECT_EQ(picture.At(lockRect.Left + 5 + 11, lockRect.Top + 5 + 4), kColorBlack);  // tip of the tick
    EXPECT_EQ(picture.At(lockRect.Left + 5 + 5, lockRect.Top + 5 + 7), kColorWhite);   // inside the tick
    EXPECT_EQ(picture.At(normal.Right - 18 + 9, normal.Top + 5 + 7), kColorBlack);     // tip of the arrow
    EXPECT_EQ(picture.At(normal.Right - 18 + 10, normal.Top + 5 + 7), kColorWhite);
}

}  // namespace
}  // namespace tessaline
