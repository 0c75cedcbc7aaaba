// The shell services against Wine's shell, windows and WMI.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"

namespace tessaline {
namespace {

class ShellServices : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(com.Ok()); }
    test::ComScope com;
    test::TempFolder folder;
};

HWND MakeWindow(const wchar_t* title) {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TessalineTestWindow";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    HWND window = CreateWindowExW(0, L"TessalineTestWindow", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

VOID CALLBACK DismissMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(ShellServices, PathsAndDriveRootsFindTheirShellItem) {
    test::WriteBytes(folder.File(L"note.txt"), "x");
    for (const std::wstring& path : {folder.File(L"note.txt"), std::wstring(L"C:\\"), std::wstring(L"C:")}) {
        IShellFolder* parent = nullptr;
        PITEMID_CHILD item = nullptr;
        ASSERT_TRUE(ParseShellItemForPath(path, &parent, &item)) << testing::PrintToString(path);
        STRRET name{};
        EXPECT_TRUE(SUCCEEDED(parent->GetDisplayNameOf(item, SHGDN_FORPARSING, &name)));
        if (name.uType == STRRET_WSTR) {
            CoTaskMemFree(name.pOleStr);
        }
        CoTaskMemFree(item);
        parent->Release();
    }
    IShellFolder* parent = nullptr;
    PITEMID_CHILD item = nullptr;
    EXPECT_FALSE(ParseShellItemForPath(folder.File(L"absent\\nothing.txt"), &parent, &item));
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(item, nullptr);
}

TEST_F(ShellServices, ADismissedContextMenuInvokesNothing) {
    test::WriteBytes(folder.File(L"note.txt"), "x");
    HWND owner = MakeWindow(L"owner");
    SetTimer(nullptr, 0, 300, DismissMenu);
    EXPECT_FALSE(ShowShellContextMenuForPath(owner, folder.File(L"note.txt"), POINT{5, 5}));
    // The callback window is gone with the menu.
    EXPECT_EQ(FindWindowW(L"ICMCALLBACKWND", L"ICMCALLBACKWND"), nullptr);
    EXPECT_TRUE(test::Exists(folder.File(L"note.txt")));
    DestroyWindow(owner);
    EXPECT_FALSE(ShowShellContextMenuForPath(nullptr, folder.File(L"absent.txt"), POINT{0, 0}));
}

// The machine a PE file is built for (0x14C i386, 0x8664 x86_64); 0 when it cannot be read.
uint16_t MachineOf(const std::wstring& path) {
    const std::string bytes = test::ReadBytes(path);
    if (bytes.size() < 0x40) {
        return 0;
    }
    const auto at = [&](size_t offset) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset])); };
    const size_t header = at(0x3C) | at(0x3D) << 8 | at(0x3E) << 16 | at(0x3F) << 24;
    if (header + 6 > bytes.size()) {
        return 0;
    }
    return static_cast<uint16_t>(at(header + 4) | at(header + 5) << 8);
}

TEST_F(ShellServices, RedirectionOffShowsA32BitProcessThe64BitSystemFolder) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
        GTEST_SKIP() << "not a 32-bit process on 64-bit Windows: there is no redirection to switch";
    }
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring kernel = std::wstring(system) + L"\\kernel32.dll";
    EXPECT_EQ(MachineOf(kernel), 0x14C);  // redirected to the 32-bit folder
    {
        ScopedWow64RedirectionOff off;
        EXPECT_EQ(MachineOf(kernel), 0x8664);
    }
    EXPECT_EQ(MachineOf(kernel), 0x14C);  // and back after the scope
    void* old = nullptr;
    ASSERT_TRUE(DisableWow64Redirection(&old));
    EXPECT_EQ(MachineOf(kernel), 0x8664);
    EXPECT_TRUE(RevertWow64Redirection(old));
    EXPECT_EQ(MachineOf(kernel), 0x14C);
}

TEST_F(ShellServices, IconIndexesComeFromTheSystemImageList) {
    test::WriteBytes(folder.File(L"note.txt"), "x");
    EXPECT_GE(GetSysIconIndex(folder.File(L"note.txt"), true, false), 0);
    EXPECT_GE(GetSysIconIndex(folder.Path(), true, true), 0);
    EXPECT_EQ(GetSysIconIndex(folder.File(L"missing\\nothing.txt"), false, false), -1);
}

TEST_F(ShellServices, AShortcutShowsItsProgramsIconInBothSizes) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\notepad.exe";
    const std::wstring link = folder.File(L"Notepad.lnk");
    ASSERT_TRUE(test::SaveShortcut(link, program));
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small" : "large");
        // Not the shortcut arrow on its own: the program's picture, which the shell keeps once for both.
        EXPECT_EQ(GetSysIconIndex(link, small, false), GetSysIconIndex(program, small, false));
    }
}

TEST_F(ShellServices, TheUserNameFallsBackToTheLoginName) {
    std::vector<std::wstring> lines;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { lines.push_back(line); });
    const std::wstring name = GetUserFullName();
    SetTraceSink(previous);
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name, Trim(name));
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"UserName: " + name), lines.end());
}

TEST_F(ShellServices, AWindowIsForcedToTheForeground) {
    HWND first = MakeWindow(L"first");
    HWND second = MakeWindow(L"second");
    PumpMessages();
    ASSERT_TRUE(ForceForegroundWindow(first));
    EXPECT_EQ(GetForegroundWindow(), first);
    ShowWindow(second, SW_MINIMIZE);
    PumpMessages();
    EXPECT_TRUE(ForceForegroundWindow(second));
    EXPECT_FALSE(IsIconic(second));
    EXPECT_EQ(GetForegroundWindow(), second);
    DestroyWindow(second);
    DestroyWindow(first);
}

}  // namespace
}  // namespace tessaline

namespace tessaline {
namespace {

TEST(ShellContextMenu, TheFirstCommandIsVerbZeroAndNoChoiceInvokesNothing) {
    EXPECT_EQ(ShellVerbIndex(1), 0);
    EXPECT_EQ(ShellVerbIndex(17), 16);
    EXPECT_EQ(ShellVerbIndex(0x7FFF), 0x7FFE);
    EXPECT_EQ(ShellVerbIndex(0), -1);
    EXPECT_EQ(ShellVerbIndex(0x8000), -1);
}

TEST_F(ShellServices, RunAsAdminStartsTheProgramWithItsParameters) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring marker = folder.File(L"elevated.txt");
    ASSERT_TRUE(RunAsAdmin(nullptr, std::wstring(system) + L"\\cmd.exe", L"/c echo done> \"" + marker + L"\""));
    for (int i = 0; i < 200 && !test::Exists(marker); ++i) {
        Sleep(25);
    }
    EXPECT_TRUE(test::Exists(marker));
}

}  // namespace
}  // namespace tessaline
