#include "SharedDesktop.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "base/WideText.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {

void TSharedDesktopTest::StartDesktop() {
    com_ = std::make_unique<ComScope>();
    TDesktopOptions options;
    options.UnmanagedWindows = true;
    desktop_ = std::make_unique<TDesktop>(options);
    started_ = desktop_->StartHost() && desktop_->StartTessaline();
    menu_ = started_ ? desktop_->StartMenu() : nullptr;
    started_ = started_ && menu_ != nullptr;
    if (started_) {
        // The taskbar side answers the program's heartbeats; the stand-in does not, and ten silent ones would
        // undock the button and take the keyboard hook away while the group still runs.
        answering_ = true;
        heartbeats_ = std::thread([menu = menu_] {
            while (answering_) {
                PostMessageW(menu, WMExplorerAlive, 0, 0);
                Sleep(500);
            }
        });
    }
}

void TSharedDesktopTest::EndDesktop() {
    answering_ = false;
    if (heartbeats_.joinable()) {
        heartbeats_.join();
    }
    desktop_.reset();
    com_.reset();
    menu_ = nullptr;
    started_ = false;
}

void TSharedDesktopTest::SetUp() {
    ASSERT_TRUE(started_) << "the host or Tessaline did not start";
    launched_ = std::make_unique<TStartedProcesses>(desktop_->TessalineProcessId());
    launchesBefore_ = desktop_->LaunchLog().size();
}

void TSharedDesktopTest::TearDown() {
    if (!started_) {
        return;
    }
    const DWORD process = desktop_->TessalineProcessId();
    // Cleaning up, not testing: what a scenario left open is closed by message.
    for (HWND popup = OpenStandardMenu(MenuThread()); popup != nullptr; popup = OpenStandardMenu(MenuThread())) {
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!WaitUntil([&] { return OpenStandardMenu(MenuThread()) != popup; }, 2000)) {
            break;
        }
    }
    for (HWND dialog : VisibleWindowsOf(process, L"#32770")) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    WaitUntil([&] { return VisibleWindowsOf(process, L"#32770").empty(); }, 3000);
    launched_->EndThem();
    if (Shown()) {
        PostMessageW(desktop_->Button(), WMShowToggle, 0, 0);
        WaitHidden();
    }
}

::testing::AssertionResult TSharedDesktopTest::ShowMenu() {
    if (!Shown()) {
        // Off the window's place: a pointer left on a link would show that link's picture instead of the account's.
        MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2});
        // The program's hook must be free to take the key: a key it does not answer in time goes past it.
        SendBounded(menu_, WM_NULL);
        SendKey(VK_LWIN);
    }
    if (!WaitUntil([] { return Shown(); }, 8000)) {
        return ::testing::AssertionFailure() << "the Windows key did not show the menu";
    }
    // The picture comes 200 ms after the panes are filled and the window is placed.
    const DWORD process = desktop_->TessalineProcessId();
    if (!WaitUntil([&] { return ShownUserPicture(process) == L"Resources\\userframe.png"; }, 5000)) {
        HWND foreground = GetForegroundWindow();
        DWORD owner = 0;
        GetWindowThreadProcessId(foreground, &owner);
        return ::testing::AssertionFailure()
               << (Shown() ? "shown" : "hidden again") << ", the picture is \"" << WideToUtf8(ShownUserPicture(process))
               << "\", the foreground window's process " << owner << " (Tessaline " << process << ")";
    }
    return ::testing::AssertionSuccess();
}

HWND TSharedDesktopTest::Tree(size_t index) {
    HWND tree = FindWindowExW(menu_, nullptr, WC_TREEVIEWW, nullptr);
    for (size_t i = 0; i < index && tree != nullptr; ++i) {
        tree = FindWindowExW(menu_, tree, WC_TREEVIEWW, nullptr);
    }
    return tree;
}

RECT TSharedDesktopTest::SearchBoxInMenu() {
    RECT box{};
    GetWindowRect(FindWindowExW(menu_, nullptr, L"Edit", nullptr), &box);
    MapWindowPoints(nullptr, menu_, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

POINT TSharedDesktopTest::MenuToScreen(int x, int y) {
    POINT at{x, y};
    ClientToScreen(menu_, &at);
    return at;
}

std::vector<std::wstring> TSharedDesktopTest::NewLaunches() const {
    std::vector<std::wstring> lines = desktop_->LaunchLog();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(launchesBefore_, lines.size())));
    return lines;
}

std::vector<std::wstring> TSharedDesktopTest::WaitForLaunches(size_t count) const {
    WaitUntil([&] { return NewLaunches().size() >= count; }, 5000);
    return NewLaunches();
}

std::wstring LinkLaunch(int tag) {
    const auto folder = [](int csidl) {
        wchar_t path[MAX_PATH] = {};
        SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
        return std::wstring(path);
    };
    const std::wstring libraries = folder(CSIDL_APPDATA) + L"\\Microsoft\\Windows\\Libraries\\";
    const std::wstring launches[] = {
        L"open\t" + folder(CSIDL_PROFILE) + L"\t",
        L"open\t" + libraries + L"Documents.library-ms\t",
        L"open\t" + libraries + L"Pictures.library-ms\t",
        L"open\t" + libraries + L"Music.library-ms\t",
        L"open\tExplorer.exe\t::{ED228FDF-9EA8-4870-83B1-96B02CFE0D52}",
        L"open\tExplorer.exe\t::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
        L"\t" + SystemProgram(L"rundll32.exe") + L" Shell32.DLL,Control_RunDLL\t",
        L"\t" + SystemProgram(L"control.exe") + L" /name Microsoft.AddHardware\t",
        L"\t" + SystemProgram(L"control.exe") + L" /name Microsoft.DefaultPrograms\t",
        L"open\t" + folder(CSIDL_WINDOWS) + L"\\winhlp32.exe\t",
    };
    return tag >= 0 && tag < static_cast<int>(std::size(launches)) ? launches[tag] : std::wstring();
}

}  // namespace tessaline::test
