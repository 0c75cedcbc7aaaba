// The start-menu window end to end: where it sits, how tall its panes make it, launching, the two views and Esc,
// with real shortcuts in the prefix's Start Menu and the demo taskbar host at the bottom of the screen.

#include <gtest/gtest.h>

#include <shlobj.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Desktop.h"
#include "WinTestSupport.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/WideText.h"
#include "catalogue/ShellItems.h"
#include "settings/UserDataDir.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

// Pins made for one test: shortcuts in the user's Programs folder, removed again at the end.
class TPins {
  public:
    void Add(const std::wstring& name, const std::wstring& target) {
        const std::wstring link = ProgramsFolder() + L"\\" + name + L".lnk";
        if (SaveShortcut(link, target)) {
            links_.push_back(link);
        }
    }
    size_t Count() const { return links_.size(); }
    ~TPins() {
        for (const std::wstring& link : links_) {
            DeleteFileW(link.c_str());
        }
    }

  private:
    std::vector<std::wstring> links_;
};

// The trees of the menu, in their creation order: pinned, frequent, all programs, search results.
std::vector<HWND> Trees(HWND startMenu) {
    std::vector<HWND> trees;
    for (HWND tree = FindWindowExW(startMenu, nullptr, WC_TREEVIEWW, nullptr); tree != nullptr;
         tree = FindWindowExW(startMenu, tree, WC_TREEVIEWW, nullptr)) {
        trees.push_back(tree);
    }
    return trees;
}

RECT InParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int HeightOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

class StartMenuE2E : public ::testing::Test {
  protected:
    void Open() {
        ASSERT_TRUE(desktop_.StartHost());
        ASSERT_TRUE(desktop_.StartTessaline());
        menu_ = desktop_.StartMenu();
        ASSERT_NE(menu_, nullptr);
        PostMessageW(desktop_.Button(), WMShowToggle, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu_) != FALSE; }, 5000));
        PumpFor(300);
        trees_ = Trees(menu_);
        ASSERT_EQ(trees_.size(), 4u);
    }
    bool Shown() const { return IsWindowVisible(menu_) != FALSE; }

    ComScope com_;
    TDesktop desktop_;
    HWND menu_ = nullptr;
    std::vector<HWND> trees_;
};

TEST_F(StartMenuE2E, SitsOnTheWorkAreaEdgeAsTallAsItsPanesWithPins) {
    TPins pins;
    pins.Add(L"Tessaline test Notepad", SystemProgram(L"notepad.exe"));
    pins.Add(L"Tessaline test Console", SystemProgram(L"cmd.exe"));
    ASSERT_EQ(pins.Count(), 2u);
    Open();
    const HWND pinned = trees_[0];
    const HWND frequent = trees_[1];
    const int pinnedRows = static_cast<int>(SendMessageW(pinned, TVM_GETCOUNT, 0, 0));
    EXPECT_GE(pinnedRows, 2);
    EXPECT_EQ(HeightOf(pinned), pinnedRows * 40 + 2);
    // Fewer than ten frequent programs still keep room for ten rows (the work area allows it).
    EXPECT_EQ(HeightOf(frequent), 10 * 40 + 4);
    RECT window{};
    GetWindowRect(menu_, &window);
    const RECT work = WorkArea();
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.bottom, work.bottom);
    EXPECT_EQ(window.right - window.left, 410);
    EXPECT_EQ(window.bottom - window.top, 95 + HeightOf(pinned) + 6 + HeightOf(frequent));
    EXPECT_EQ(InParent(pinned).top, 10);
    EXPECT_EQ(InParent(frequent).top, 10 + HeightOf(pinned) + 3);

    // Any move or resize is put back.
    SetWindowPos(menu_, nullptr, 300, 100, 500, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(200);
    RECT after{};
    GetWindowRect(menu_, &after);
    EXPECT_EQ(after.left, window.left);
    EXPECT_EQ(after.top, window.top);
    EXPECT_EQ(after.bottom, window.bottom);
}

// Once the button has docked, the program fills the panes and draws them once while the menu stays hidden, so the
// user's first opening is as quick as the later ones; the window the user works in keeps the keyboard meanwhile.
TEST_F(StartMenuE2E, TheFirstOpeningIsPreparedOnceDockedWithoutShowingOrTakingTheKeyboard) {
    TPins pins;
    pins.Add(L"Tessaline test Notepad", SystemProgram(L"notepad.exe"));
    ASSERT_EQ(pins.Count(), 1u);
    ASSERT_TRUE(desktop_.StartHost());
    ASSERT_TRUE(desktop_.StartTessaline());
    // The user goes on working as soon as the button shows.
    HWND work = OpenWorkWindow();
    ASSERT_NE(work, nullptr);
    menu_ = desktop_.StartMenu();
    ASSERT_NE(menu_, nullptr);
    trees_ = Trees(menu_);
    ASSERT_EQ(trees_.size(), 4u);
    EXPECT_TRUE(WaitUntil([&] { return SendBounded(trees_[0], TVM_GETCOUNT) >= 1; }, 5000));
    EXPECT_FALSE(Shown());
    EXPECT_EQ(GetForegroundWindow(), work);
    DestroyWindow(work);
}

TEST_F(StartMenuE2E, WithoutPinsTheFrequentPaneStartsAtTheTop) {
    const TScopedProgramsFolder noPins;
    ASSERT_TRUE(EqualsNoCase(ProgramsFolder(), noPins.Path())) << "the Programs folder cannot be moved";
    Open();
    ASSERT_EQ(SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(trees_[0]));
    EXPECT_EQ(InParent(trees_[1]).top, 10);
    RECT window{};
    GetWindowRect(menu_, &window);
    EXPECT_EQ(window.bottom - window.top, 95 + HeightOf(trees_[1]));
    EXPECT_EQ(window.bottom, WorkArea().bottom);
}

TEST_F(StartMenuE2E, ClickingAPinnedProgramLaunchesRecordsAndHides) {
    TPins pins;
    pins.Add(L"Tessaline test Notepad", SystemProgram(L"notepad.exe"));
    Open();
    const HWND pinned = trees_[0];
    // The click goes where the mouse is, as a real one does.
    RECT row{};
    GetWindowRect(pinned, &row);
    const int count = static_cast<int>(SendMessageW(pinned, TVM_GETCOUNT, 0, 0));
    ASSERT_GE(count, 1);
    // Our pin sorts among any others; find its row by its text.
    int target = -1;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(pinned, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int i = 0; item != nullptr; ++i) {
        wchar_t text[260] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = 260;
        // The text crosses processes only through the control's own buffer: ask for it by message.
        SendMessageW(pinned, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        if (std::wstring(text).find(L"Tessaline test Notepad") != std::wstring::npos) {
            target = i;
        }
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(pinned, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    if (target < 0) {
        target = 0;  // texts do not cross processes everywhere; the only pin of a clean prefix is ours
    }
    const int x = 60;
    const int y = target * 40 + 20;
    SetCursorPos(row.left + x, row.top + y);
    PostMessageW(pinned, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(pinned, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 5000));
    const std::wstring userData = UserDataDirFromProfile(desktop_.ProfileFolder()) + L"UserData.ini";
    EXPECT_TRUE(WaitUntil([&] { return FileExists(userData); }, 3000));
    // UTF-16 with a byte-order mark, newest first: our shortcut's line is the first.
    std::string bytes;
    ReadFileBytes(userData, bytes);
    const std::string firstLine = Utf16LeWithBom(L"Tessaline test Notepad.lnk;");
    EXPECT_NE(bytes.find(firstLine.substr(2)), std::string::npos);
    const size_t lineEnd = bytes.find(Utf16LeWithBom(L"\r\n").substr(2));
    EXPECT_LT(bytes.find(firstLine.substr(2)), lineEnd);
    // Close what was launched.
    WaitUntil([] { return FindWindowW(L"Notepad", nullptr) != nullptr; }, 5000);
    for (HWND notepad = FindWindowW(L"Notepad", nullptr); notepad != nullptr;
         notepad = FindWindowW(L"Notepad", nullptr)) {
        PostMessageW(notepad, WM_CLOSE, 0, 0);
        PumpFor(300);
    }
}

TEST_F(StartMenuE2E, AllProgramsAndBackAndEscapeInEachView) {
    Open();
    // "All Programs" is a label on the window: click it where the layout put it (its row lies just above the
    // search box; the row's centre piece spans the tree's width).
    const HWND search = FindWindowExW(menu_, nullptr, L"Edit", nullptr);
    ASSERT_NE(search, nullptr);
    const RECT box = InParent(search);
    const int x = 60;
    const int y = box.top - 15 - 5 - 12;  // the view-switch row ends 15 above the search frame
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(menu_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(menu_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(trees_[2]) != FALSE; }, 3000));
    EXPECT_FALSE(IsWindowVisible(trees_[1]));
    EXPECT_GT(SendMessageW(trees_[2], TVM_GETCOUNT, 0, 0), 0);
    // Esc in the tree goes back to the frequent list; a second Esc hides the menu.
    PostMessageW(search, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(trees_[1]) != FALSE; }, 3000));
    EXPECT_FALSE(IsWindowVisible(trees_[2]));
    EXPECT_TRUE(Shown());
    PostMessageW(search, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 3000));
}

TEST_F(StartMenuE2E, ActivatingAnotherApplicationHidesTheMenu) {
    Open();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TessalineE2EOther";
    RegisterClassExW(&wc);
    HWND other = CreateWindowExW(0, wc.lpszClassName, L"other", WS_OVERLAPPEDWINDOW, 600, 100, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 3000));
    DestroyWindow(other);
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// The skinned power menu's window, once open.
HWND OpenPowerMenu(DWORD process) {
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"TRdMenuCtrl", nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, L"TRdMenuCtrl", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == process && IsWindowVisible(menu)) {
            return menu;
        }
    }
    return nullptr;
}

class PowerMenuE2E : public StartMenuE2E {
  protected:
    // Hovers the arrow beside "Shut down": the menu opens without a click.
    HWND HoverArrow() {
        const HWND search = FindWindowExW(menu_, nullptr, L"Edit", nullptr);
        const RECT edit = InParent(search);
        // The arrow sits right of the 72-pixel button, on the search frame's top (5 above the edit).
        const int x = 271 + 72 + 11;
        const int y = edit.top - 5 + 10;
        PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        HWND popup = nullptr;
        WaitUntil([&] { return (popup = OpenPowerMenu(desktop_.TessalineProcessId())) != nullptr; }, 3000);
        return popup;
    }
    // Clicks the n-th row of the menu: five items and two separators (3 pixels) in a 2-pixel border.
    void ChooseRow(HWND popup, int row, bool afterFirstSeparator, bool afterSecondSeparator) {
        RECT rect{};
        GetClientRect(popup, &rect);
        const int itemHeight = (rect.bottom - 4 - 2 * 3) / 5;
        const int y =
            2 + row * itemHeight + (afterFirstSeparator ? 3 : 0) + (afterSecondSeparator ? 3 : 0) + itemHeight / 2;
        PostMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(30, y));
        PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, y));
        PostMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(30, y));
    }
};

TEST_F(PowerMenuE2E, SwitchUserAndLockBothLockAndHideTheMenu) {
    Open();
    for (const int row : {0, 2}) {
        HWND popup = HoverArrow();
        ASSERT_NE(popup, nullptr);
        ChooseRow(popup, row, false, false);
        // Under Wine hiding an active window takes a couple of seconds; the menu hides two.
        EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 8000));
        PostMessageW(desktop_.Button(), WMShowToggle, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return Shown(); }, 8000));
        PumpFor(300);
    }
    const std::vector<std::wstring> calls = desktop_.SessionLog();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], L"LockWorkStation");
    EXPECT_EQ(calls[1], L"LockWorkStation");
}

TEST_F(PowerMenuE2E, ShutDownAsksForTheShutdownWithReasonFFFFAndKeepsTheMenu) {
    Open();
    const HWND search = FindWindowExW(menu_, nullptr, L"Edit", nullptr);
    const RECT edit = InParent(search);
    const int x = 271 + 30;
    const int y = edit.top - 5 + 10;
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(menu_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(menu_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(WaitUntil([&] { return desktop_.SessionLog().size() >= 2; }, 3000));
    const std::vector<std::wstring> calls = desktop_.SessionLog();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], L"EnableShutdownPrivilege");
    EXPECT_EQ(calls[1], L"ExitWindowsEx 1 65535");
    EXPECT_TRUE(Shown());
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// While it lives, the system's debugger for crashed programs is one that ends at once, so a crashed program ends
// as it does on an unattended Windows once its own reporter has run. Wine's debugger would attach instead, and it
// has been seen to attach to the wrong process (this one), stopping the whole run.
class TNoCrashDebugger {
  public:
    TNoCrashDebugger() {
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                            &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        wchar_t saved[512] = {};
        DWORD bytes = sizeof saved - sizeof(wchar_t);
        DWORD type = 0;
        had_ = RegQueryValueExW(key_, L"Debugger", nullptr, &type, reinterpret_cast<BYTE*>(saved), &bytes) ==
                   ERROR_SUCCESS &&
               (type == REG_SZ || type == REG_EXPAND_SZ);
        if (had_) {
            saved_.assign(saved, bytes / sizeof(wchar_t));
            savedType_ = type;
        }
        SetValue(REG_SZ, L"rundll32.exe");
    }
    ~TNoCrashDebugger() {
        if (key_ == nullptr) {
            return;
        }
        if (had_) {
            SetValue(savedType_, saved_);
        } else {
            RegDeleteValueW(key_, L"Debugger");
        }
        RegCloseKey(key_);
    }
    TNoCrashDebugger(const TNoCrashDebugger&) = delete;
    TNoCrashDebugger& operator=(const TNoCrashDebugger&) = delete;
    bool Set() const { return key_ != nullptr; }

  private:
    static constexpr const wchar_t* kAeDebugKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
    void SetValue(DWORD type, const std::wstring& text) {
        const std::wstring value(text.c_str());  // up to its first terminator
        RegSetValueExW(key_, L"Debugger", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    bool had_ = false;
    std::wstring saved_;
    DWORD savedType_ = REG_SZ;
};

// A thread started in Tessaline at an address where nothing is: the crash reporter appends its report.
TEST_F(StartMenuE2E, ACrashAppendsOneReportToTheBugReportFile) {
    const TNoCrashDebugger noDebugger;
    ASSERT_TRUE(noDebugger.Set());
    const std::wstring reports = UserDataDirFromProfile(desktop_.ProfileFolder()) + L"Tessaline_Bugreprot.txt";
    for (int crash = 1; crash <= 2; ++crash) {
        ASSERT_TRUE(desktop_.StartHost());
        ASSERT_TRUE(desktop_.StartTessaline());
        HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, desktop_.TessalineProcessId());
        ASSERT_NE(process, nullptr);
        HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr,
                                           0, nullptr);
        ASSERT_NE(thread, nullptr);
        CloseHandle(thread);
        EXPECT_NE(desktop_.WaitTessalineExit(30000), static_cast<DWORD>(STILL_ACTIVE));
        CloseHandle(process);
        std::string bytes;
        ASSERT_EQ(ReadFileBytes(reports, bytes), FileReadResult::Ok);
        // One report per crash, the earlier ones kept.
        const std::string code = Utf16LeWithBom(L"C0000005").substr(2);
        int found = 0;
        for (size_t at = bytes.find(code); at != std::string::npos; at = bytes.find(code, at + code.size())) {
            ++found;
        }
        const std::string ascii = "C0000005";
        for (size_t at = bytes.find(ascii); at != std::string::npos; at = bytes.find(ascii, at + ascii.size())) {
            ++found;
        }
        EXPECT_GE(found, crash) << "after crash " << crash;
        desktop_.EndAll();
    }
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

TEST_F(StartMenuE2E, RestingOnMusicShowsItsPictureAndLeavingBringsTheAccountBack) {
    Open();
    const DWORD process = desktop_.TessalineProcessId();
    EXPECT_TRUE(WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\userframe.png"; }, 3000));
    // "Music" is the fourth link: 36 pixels a link below the account's at anchor y + 88 (anchor 30 above the
    // window with the taskbar at the bottom).
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(300, -30 + 88 + 3 * 36 + 14));
    EXPECT_TRUE(WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\music.png"; }, 3000));
    // Off the links: the account picture comes back, but not at once.
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(258, 3));
    PumpFor(300);
    EXPECT_EQ(ShownUserPicture(process), L"Resources\\music.png");
    EXPECT_TRUE(WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\userframe.png"; }, 3000));
}

bool ChooseFromRowMenu(HWND tree, int position) {
    const DWORD thread = GetWindowThreadProcessId(tree, nullptr);
    // The menu opens on the button's press; the release comes after it closed, as a real one would (the tree
    // view waits for it to tell a click from a drag).
    PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 20));
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenStandardMenu(thread)) != nullptr; }, 5000)) {
        return false;
    }
    for (int i = 0; i < position; ++i) {
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    const bool closed = WaitUntil([&] { return OpenStandardMenu(thread) == nullptr; }, 5000);
    PostMessageW(tree, WM_RBUTTONUP, 0, MAKELPARAM(60, 20));
    return closed;
}

TEST_F(StartMenuE2E, PinningAFrequentProgramMovesItUpAndUnpinningTheLastPinMovesTheFrequentPaneToTheTop) {
    // A program launched from the menu before (a line of UserData.ini, the newest), not pinned.
    const std::wstring link = desktop_.ProfileFolder() + L"\\Tessaline Probe.lnk";
    ASSERT_TRUE(SaveShortcut(link, SystemProgram(L"notepad.exe")));
    const std::wstring data = UserDataDirFromProfile(desktop_.ProfileFolder());
    WriteBytes(data + L"UserData.ini", Utf16LeWithBom(link + L";12/31/2099 23:59:59;1\r\n"));
    const TScopedProgramsFolder noPins;
    const std::wstring pinnedLink = noPins.Path() + L"\\Tessaline Probe.lnk";
    Open();
    ASSERT_EQ(SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0), 0);
    ASSERT_GE(SendMessageW(trees_[1], TVM_GETCOUNT, 0, 0), 1);
    const LRESULT frequentBefore = SendMessageW(trees_[1], TVM_GETCOUNT, 0, 0);
    // The window keeps its height: the frequent pane's bottom, and everything below it, stay put.
    const LONG frequentBottom = InParent(trees_[1]).bottom;

    ASSERT_TRUE(ChooseFromRowMenu(trees_[1], 3));  // Pin to Start Menu
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0) == 1; }, 5000));
    EXPECT_TRUE(FileExists(pinnedLink));
    EXPECT_TRUE(IsWindowVisible(trees_[0]));
    EXPECT_EQ(SendMessageW(trees_[1], TVM_GETCOUNT, 0, 0), frequentBefore - 1);
    EXPECT_EQ(InParent(trees_[1]).top, 10 + HeightOf(trees_[0]) + 3);
    EXPECT_EQ(InParent(trees_[1]).bottom, frequentBottom);

    ASSERT_TRUE(ChooseFromRowMenu(trees_[0], 3));  // Unpin from Start Menu
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0) == 0; }, 5000));
    EXPECT_FALSE(FileExists(pinnedLink));
    EXPECT_FALSE(IsWindowVisible(trees_[0]));
    EXPECT_EQ(InParent(trees_[1]).top, 10);
    EXPECT_EQ(InParent(trees_[1]).bottom, frequentBottom);
    EXPECT_EQ(SendMessageW(trees_[1], TVM_GETCOUNT, 0, 0), frequentBefore);
}

// The first opening after a start, keys a quarter of a second apart, as soon as a person would press them: Down
// walks the pins from the first whatever is still being filled when the keys come, so Down, Down, Enter starts the
// second pin. Over several starts, opened at once and a little later, with the pointer over the panes or away.
TEST_F(StartMenuE2E, DownDownEnterOnTheFirstOpeningAfterAStartStartsTheSecondPin) {
    const TScopedProgramsFolder programs;
    ASSERT_TRUE(SaveShortcut(programs.Path() + L"\\Tessaline First.lnk", SystemProgram(L"winver.exe")));
    PumpFor(1100);  // creation times a second apart: the newest pin comes first
    ASSERT_TRUE(SaveShortcut(programs.Path() + L"\\Tessaline Second.lnk", SystemProgram(L"clock.exe")));
    ASSERT_TRUE(desktop_.StartHost());
    for (int start = 1; start <= 4; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        TStartedProcesses launched;
        ASSERT_TRUE(desktop_.StartTessaline());
        menu_ = desktop_.StartMenu();
        // Where the pointer rests when the menu comes up: over the pinned pane, or far from the menu.
        const RECT work = WorkArea();
        MoveMouseTo(start % 2 == 1 ? POINT{80, work.bottom - 556} : POINT{work.right - 20, work.top + 20});
        PumpFor(static_cast<DWORD>((start - 1) / 2 * 400));  // at once, and 0.4 s after the button docked
        const size_t before = desktop_.LaunchLog().size();
        SendKey(VK_LWIN);
        PumpFor(250);
        SendKey(VK_DOWN);
        PumpFor(250);
        SendKey(VK_DOWN);
        PumpFor(250);
        SendKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return desktop_.LaunchLog().size() > before; }, 5000)) << "nothing started";
        const std::vector<std::wstring> pins = TreeTexts(Trees(menu_)[0]);
        ASSERT_EQ(pins.size(), 2u) << Narrow(pins);
        const std::wstring launch = desktop_.LaunchLog()[before];
        EXPECT_TRUE(EqualsNoCase(launch, L"\t" + programs.Path() + L"\\" + pins[1] + L".lnk\t"))
            << WideToUtf8(launch) << " instead of the second pin, " << WideToUtf8(pins[1]);
        desktop_.EndTessaline();
        launched.EndThem();
    }
}

// Installers put their shortcuts into the Programs folder too: pinning a program whose name one of them has keeps
// that shortcut, and ours goes beside it.
TEST_F(StartMenuE2E, PinningBesideAnotherProgramsShortcutOfTheSameNameKeepsIt) {
    const std::wstring link = desktop_.ProfileFolder() + L"\\Tessaline Probe.lnk";
    ASSERT_TRUE(SaveShortcut(link, SystemProgram(L"notepad.exe")));
    const std::wstring data = UserDataDirFromProfile(desktop_.ProfileFolder());
    WriteBytes(data + L"UserData.ini", Utf16LeWithBom(link + L";12/31/2099 23:59:59;1\r\n"));
    const TScopedProgramsFolder programs;
    const std::wstring installed = programs.Path() + L"\\Tessaline Probe.lnk";
    ASSERT_TRUE(SaveShortcut(installed, SystemProgram(L"clock.exe")));
    Open();
    ASSERT_EQ(SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0), 1);  // the installer's shortcut, a pin as any other

    ASSERT_TRUE(ChooseFromRowMenu(trees_[1], 3));  // Pin to Start Menu
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0) == 2; }, 5000));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(installed), SystemProgram(L"clock.exe")))
        << "the other program's shortcut was written over";
    const std::wstring ours = programs.Path() + L"\\Tessaline Probe (2).lnk";
    ASSERT_TRUE(FileExists(ours));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(ours), SystemProgram(L"notepad.exe")));
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

std::wstring SearchText(HWND startMenu) {
    const HWND search = FindWindowExW(startMenu, nullptr, L"Edit", nullptr);
    wchar_t text[256] = {};
    SendMessageW(search, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

// Keys typed while the menu is still being filled wait for the search box.
TEST_F(StartMenuE2E, KeysTypedWhileTheMenuOpensLandInTheSearchBox) {
    ASSERT_TRUE(desktop_.StartHost());
    ASSERT_TRUE(desktop_.StartTessaline());
    menu_ = desktop_.StartMenu();
    PostMessageW(desktop_.Button(), WMShowToggle, 0, 0);
    // No pumping: type as soon as the window is there, while its panes are being filled.
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(menu_) && GetTickCount() - start < 5000) {
        Sleep(1);
    }
    SendKey('Q');
    SendKey('Z');
    EXPECT_TRUE(WaitUntil([&] { return SearchText(menu_).find(L"qz") != std::wstring::npos; }, 5000))
        << "search box: " << std::string(SearchText(menu_).begin(), SearchText(menu_).end());
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// The visible tooltip windows of a process and their texts.
std::vector<std::wstring> VisibleTooltips(DWORD processId) {
    std::vector<std::wstring> texts;
    for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip != nullptr;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tip, &owner);
        if (owner == processId && IsWindowVisible(tip)) {
            wchar_t text[256] = {};
            SendMessageW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
            texts.emplace_back(text);
        }
    }
    return texts;
}

// A pinned name too long for its row shows its hint at once, and hides it when the mouse leaves.
TEST_F(StartMenuE2E, APinnedNameTooLongForItsRowShowsItsHintAtOnce) {
    const std::wstring name = L"Tessaline test program with a name far too long for its row";
    TPins pins;
    pins.Add(name, SystemProgram(L"notepad.exe"));
    ASSERT_EQ(pins.Count(), 1u);
    Open();
    const HWND pinned = trees_[0];
    RECT row{};
    GetWindowRect(pinned, &row);
    MoveMouseTo({row.left + 60, row.top + 20});
    PumpFor(50);
    MoveMouseTo({row.left + 70, row.top + 22});
    const auto hasHint = [&] {
        const auto tips = VisibleTooltips(desktop_.TessalineProcessId());
        return std::find(tips.begin(), tips.end(), name) != tips.end();
    };
    // At once: well inside the control's usual half-second tooltip delay.
    EXPECT_TRUE(WaitUntil(hasHint, 400));
    // Off the menu, onto the taskbar (a window of the session: the X keyboard focus follows the pointer).
    RECT taskbar{};
    GetWindowRect(desktop_.Taskbar(), &taskbar);
    MoveMouseTo({taskbar.right - 20, (taskbar.top + taskbar.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return !hasHint(); }, 3000));
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// Scenarios with a work area of their own (published to the whole session, restored afterwards).
class StartMenuWorkAreaE2E : public ::testing::Test {
  protected:
    // True when the scenario may go on; otherwise its failure or skip has been reported.
    bool Open(const RECT& workArea) {
#ifndef _WIN64
        // Wine's 32-bit processes keep the work area they found when the session started (WINE.md); the x86_64
        // run of the same scenarios covers them.
        [] { GTEST_SKIP() << "32-bit processes do not take in a newly published work area"; }();
        return false;
#endif
        TDesktopOptions options;
        options.WorkArea = workArea;
        desktop_ = std::make_unique<TDesktop>(options);
        EXPECT_TRUE(desktop_->StartHost());
        EXPECT_TRUE(desktop_->StartTessaline());
        menu_ = desktop_->StartMenu();
        EXPECT_NE(menu_, nullptr);
        if (menu_ == nullptr || HasFailure()) {
            return false;
        }
        Toggle(true);
        trees_ = Trees(menu_);
        EXPECT_EQ(trees_.size(), 4u);
        return trees_.size() == 4u && !HasFatalFailure();
    }
    void Toggle(bool shown) {
        PostMessageW(desktop_->Button(), WMShowToggle, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return (IsWindowVisible(menu_) != FALSE) == shown; }, 8000));
        PumpFor(300);
    }
    RECT Window() const {
        RECT window{};
        GetWindowRect(menu_, &window);
        return window;
    }

    ComScope com_;
    std::unique_ptr<TDesktop> desktop_;
    HWND menu_ = nullptr;
    std::vector<HWND> trees_;
};

TEST_F(StartMenuWorkAreaE2E, A768PixelWorkAreaShowsThirteenPinnedRows) {
    // Sixteen pins to sixteen programs (one program is pinned once).
    TPins pins;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(SystemProgram(L"*.exe").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        pins.Add(L"Tessaline test pin " + std::to_wstring(10 + pins.Count()), SystemProgram(found.cFileName));
    } while (pins.Count() < 16 && FindNextFileW(find, &found));
    FindClose(find);
    ASSERT_EQ(pins.Count(), 16u);
    if (!Open({0, 0, GetSystemMetrics(SM_CXSCREEN), 768})) {
        return;
    }
    EXPECT_EQ(SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0), 13);
    EXPECT_EQ(HeightOf(trees_[0]), 522);  // 13 rows of 40 and 2
    const RECT window = Window();
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.bottom, 768);
}

TEST_F(StartMenuWorkAreaE2E, A1080PixelWorkAreaHoldsTheMenuOnItsEdgeAsTallAsItsPanes) {
    if (GetSystemMetrics(SM_CYSCREEN) < 1120) {
        GTEST_SKIP() << "the screen is too short for a 1080-pixel work area (the test command's is 1200)";
    }
    TPins pins;
    pins.Add(L"Tessaline test Notepad", SystemProgram(L"notepad.exe"));
    pins.Add(L"Tessaline test Console", SystemProgram(L"cmd.exe"));
    ASSERT_EQ(pins.Count(), 2u);
    if (!Open({0, 0, GetSystemMetrics(SM_CXSCREEN), 1080})) {
        return;
    }
    const int pinnedRows = static_cast<int>(SendMessageW(trees_[0], TVM_GETCOUNT, 0, 0));
    EXPECT_GE(pinnedRows, 2);
    EXPECT_EQ(HeightOf(trees_[0]), pinnedRows * 40 + 2);
    EXPECT_EQ(HeightOf(trees_[1]), 10 * 40 + 4);  // ten rows kept however few programs are frequent
    const RECT window = Window();
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.bottom, 1080);
    EXPECT_EQ(window.bottom - window.top, 95 + HeightOf(trees_[0]) + 6 + HeightOf(trees_[1]));
}

TEST_F(StartMenuWorkAreaE2E, OnAShortWorkAreaTheLinksBelowThePowerButtonAreHidden) {
    if (!Open({0, 0, GetSystemMetrics(SM_CXSCREEN), 480})) {
        return;
    }
    const RECT window = Window();
    // The links hang from the user picture at the window's top, 36 pixels apart with two separators: "Help and
    // Support", the last, would be at 410, below this short window's power button.
    const int helpY = -30 + 88 + 9 * 36 + 14 + 2 * 7;
    ASSERT_LT(window.bottom - window.top, helpY);
    const DWORD process = desktop_->TessalineProcessId();
    ASSERT_TRUE(WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\userframe.png"; }, 3000));
    // "Documents" stays: resting on it shows its picture.
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(300, -30 + 88 + 36 + 14));
    EXPECT_TRUE(WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\documents.png"; }, 3000));
    // "Help and Support" is hidden: nothing answers there, and the account picture comes back.
    PostMessageW(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(300, helpY));
    bool helpShown = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::wstring shown = ShownUserPicture(process);
            helpShown = helpShown || shown == L"Resources\\help.png";
            return shown == L"Resources\\userframe.png";
        },
        3000));
    EXPECT_FALSE(helpShown);
}

TEST_F(StartMenuWorkAreaE2E, WithTheTaskbarHiddenTheMenuKeepsItsPlace) {
    // An auto-hidden taskbar leaves the whole screen as work area: nothing to stand beside, so the window stays
    // where it was made (the top-left corner) instead of sitting on the screen's bottom edge.
    if (!Open({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})) {
        return;
    }
    const RECT shown = Window();
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.top, 0);
    Toggle(false);
    Toggle(true);
    const RECT again = Window();
    EXPECT_TRUE(EqualRect(&shown, &again));
}

}  // namespace
}  // namespace tessaline::test
