// The pinned and frequent panes' context menus end to end, opened with a real right-click on a row and chosen
// with the keys a person presses: "Run as administrator", "Properties" and "Remove from this list", checked
// through what the program hands to the shell (the test build's launch log), UserData.ini and the shell's
// UserAssist values.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SharedDesktop.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/WideText.h"
#include "catalogue/UserAssist.h"
#include "settings/UserDataDir.h"

namespace tessaline::test {
namespace {

// A pinned program, a program launched from the menu before (a line of UserData.ini) and one launched through
// the shell (a UserAssist value): the two frequent ones newer than anything else the prefix may hold.
constexpr wchar_t kPinnedName[] = L"Tessaline Pane Pad";
constexpr wchar_t kMenuProgramName[] = L"Tessaline Pane Clock";
constexpr wchar_t kShellProgramName[] = L"Tessaline Pane Winver";

// The rows of the panes' menus as the arrow keys reach them (the hidden separators are skipped).
constexpr int kRunAsAdministrator = 1;
constexpr int kPinnedProperties = 4;
constexpr int kRemoveFromThisList = 4;
constexpr int kFrequentProperties = 5;

struct TLaunch {
    std::wstring Verb;
    std::wstring File;
    std::wstring Parameters;
};

TLaunch ParseLaunch(const std::wstring& line) {
    const size_t first = line.find(L'\t');
    const size_t second = first == std::wstring::npos ? std::wstring::npos : line.find(L'\t', first + 1);
    if (second == std::wstring::npos) {
        return {line, {}, {}};
    }
    return {line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)};
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class PaneMenusE2E : public TSharedDesktopTest {
  protected:
    static void SetUpTestSuite() {
        StartDesktop();
        SaveShortcut(PinnedLink(), SystemProgram(L"notepad.exe"));
        SaveShortcut(MenuProgramLink(), SystemProgram(L"clock.exe"));
        SaveShortcut(ShellProgramLink(), SystemProgram(L"winver.exe"));
    }
    static void TearDownTestSuite() {
        const std::wstring value = ShellProgramValue();
        EndDesktop();
        DeleteFileW(PinnedLink().c_str());
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, value.c_str());
            RegCloseKey(key);
        }
    }

    void SetUp() override {
        TSharedDesktopTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        // Both frequent programs are listed again whatever an earlier scenario removed: the menu reads where they
        // are recorded each time it opens.
        WriteBytes(UserDataFile(), Utf16LeWithBom(MenuProgramLink() + L";12/31/2099 23:59:59;1\r\n"));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        // As the shell writes it: 72 bytes, the last run (UTC) at bytes 60..67.
        const SYSTEMTIME lastRun{2098, 6, 0, 15, 12, 0, 0, 0};
        FILETIME time{};
        SystemTimeToFileTime(&lastRun, &time);
        std::string data(72, '\0');
        memcpy(&data[60], &time.dwLowDateTime, 4);
        memcpy(&data[64], &time.dwHighDateTime, 4);
        const LSTATUS written = RegSetValueExW(key, ShellProgramValue().c_str(), 0, REG_BINARY,
                                               reinterpret_cast<const BYTE*>(data.data()), 72);
        RegCloseKey(key);
        ASSERT_EQ(written, ERROR_SUCCESS);
    }

    static std::wstring PinnedLink() { return ProgramsFolder() + L"\\" + kPinnedName + L".lnk"; }
    static std::wstring MenuProgramLink() { return Desktop().ProfileFolder() + L"\\" + kMenuProgramName + L".lnk"; }
    static std::wstring ShellProgramLink() { return Desktop().ProfileFolder() + L"\\" + kShellProgramName + L".lnk"; }
    static std::wstring ShellProgramValue() { return Rot13(ShellProgramLink()); }
    static std::wstring UserDataFile() { return UserDataDirFromProfile(Desktop().ProfileFolder()) + L"UserData.ini"; }
    static std::string UserData() {
        std::string bytes;
        ReadFileBytes(UserDataFile(), bytes);
        return bytes;
    }
    static bool UserDataHasLineFor(const std::wstring& link) {
        return UserData().find(Utf16LeWithBom(link + L";").substr(2)) != std::string::npos;
    }
    static bool UserDataStartsWith(const std::wstring& link) {
        return UserData().rfind(Utf16LeWithBom(link + L";"), 0) == 0;
    }
    static bool UserAssistValueExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        const bool exists =
            RegQueryValueExW(key, ShellProgramValue().c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return exists;
    }

    // Right-clicks the row named `name` and chooses the menu's row `downs` arrow presses down, with Enter.
    ::testing::AssertionResult Choose(HWND tree, const std::wstring& name, int downs) {
        const std::vector<std::wstring> rows = TreeTexts(tree);
        const auto row = std::find(rows.begin(), rows.end(), name);
        if (row == rows.end()) {
            return ::testing::AssertionFailure() << "no row " << WideToUtf8(name) << " in " << Narrow(rows);
        }
        RECT treeRect{};
        GetWindowRect(tree, &treeRect);
        const int index = static_cast<int>(row - rows.begin());
        // Two presses on one spot within the double-click time make a double click, which opens no menu; a
        // person choosing from a menu in between takes longer than that.
        WaitUntil([&] { return GetTickCount() - lastPress_ >= GetDoubleClickTime(); }, GetDoubleClickTime());
        ClickAt({treeRect.left + 60, treeRect.top + index * 40 + 20}, true);
        lastPress_ = GetTickCount();
        if (!WaitUntil([] { return OpenStandardMenu(MenuThread()) != nullptr; }, 5000)) {
            return ::testing::AssertionFailure() << "no menu on " << WideToUtf8(name);
        }
        for (int i = 0; i < downs; ++i) {
            SendKey(VK_DOWN);
        }
        SendKey(VK_RETURN);
        const bool closed = WaitUntil([] { return OpenStandardMenu(MenuThread()) == nullptr; }, 5000);
        // The tree view waits for the right button's release to tell a click from a drag; the menu took the first.
        // Once the program answers again it has run the command and its tree waits for that release.
        SendBounded(Menu(), WM_NULL);
        INPUT release{};
        release.type = INPUT_MOUSE;
        release.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(1, &release, sizeof release);
        PumpFor(50);
        return closed ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the menu stayed open";
    }

    // The one launch the program handed to the shell since `before`.
    TLaunch OnlyLaunchSince(size_t before) {
        const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
        EXPECT_EQ(launches.size(), before + 1) << Narrow(launches);
        return launches.size() > before ? ParseLaunch(launches[before]) : TLaunch{};
    }

  private:
    DWORD lastPress_ = GetTickCount() - GetDoubleClickTime();
};

TEST_F(PaneMenusE2E, RunAsAdministratorStartsTheLinkElevatedRecordsItsUseAndHidesTheMenu) {
    struct Case {
        size_t Pane;
        const wchar_t* Name;
        std::wstring Link;
    };
    for (const Case& c : {Case{0, kPinnedName, PinnedLink()}, Case{1, kMenuProgramName, MenuProgramLink()}}) {
        SCOPED_TRACE(WideToUtf8(c.Name));
        ASSERT_TRUE(ShowMenu());
        const size_t before = NewLaunches().size();
        ASSERT_TRUE(Choose(Tree(c.Pane), c.Name, kRunAsAdministrator));
        const TLaunch launch = OnlyLaunchSince(before);
        EXPECT_EQ(launch.Verb, L"runas");
        EXPECT_TRUE(EqualsNoCase(launch.File, c.Link)) << WideToUtf8(launch.File);
        EXPECT_EQ(launch.Parameters, L"");
        EXPECT_TRUE(WaitHidden());
        // Recorded as a use: the newest line of UserData.ini.
        EXPECT_TRUE(UserDataStartsWith(c.Link));
    }
}

TEST_F(PaneMenusE2E, PropertiesShowsTheTargetsPropertySheetAndHidesTheMenu) {
    struct Case {
        size_t Pane;
        const wchar_t* Name;
        int Row;
        const wchar_t* Target;
    };
    const DWORD process = Desktop().TessalineProcessId();
    for (const Case& c : {Case{0, kPinnedName, kPinnedProperties, L"notepad.exe"},
                          Case{1, kMenuProgramName, kFrequentProperties, L"clock.exe"}}) {
        SCOPED_TRACE(WideToUtf8(c.Name));
        ASSERT_TRUE(ShowMenu());
        const size_t before = NewLaunches().size();
        ASSERT_TRUE(Choose(Tree(c.Pane), c.Name, c.Row));
        // The target's, not the shortcut's.
        const TLaunch launch = OnlyLaunchSince(before);
        EXPECT_EQ(launch.Verb, L"properties");
        EXPECT_TRUE(EqualsNoCase(launch.File, SystemProgram(c.Target))) << WideToUtf8(launch.File);
        // The sheet is a dialog of the program's own process, titled with the file's name. Wine's shell has no
        // sheet for a program: it says "Invalid parameter." in a message box instead, answered here like the sheet.
        std::vector<HWND> dialogs;
        const bool opened = WaitUntil([&] { return !(dialogs = VisibleWindowsOf(process, L"#32770")).empty(); }, 5000);
        EXPECT_TRUE(opened || RunningUnderWine());
        for (HWND dialog : dialogs) {
            wchar_t title[MAX_PATH] = {};
            GetWindowTextW(dialog, title, MAX_PATH);
            if (!RunningUnderWine()) {
                EXPECT_NE(LowerAZ(title).find(c.Target), std::wstring::npos) << WideToUtf8(title);
            }
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        EXPECT_TRUE(WaitHidden());
    }
}

TEST_F(PaneMenusE2E, RemoveFromThisListForgetsTheProgramWhereItWasRecorded) {
    ASSERT_TRUE(ShowMenu());
    const HWND frequent = Tree(1);
    ASSERT_TRUE(Contains(TreeTexts(frequent), kMenuProgramName)) << Narrow(TreeTexts(frequent));
    ASSERT_TRUE(Contains(TreeTexts(frequent), kShellProgramName)) << Narrow(TreeTexts(frequent));

    // Launched from the menu before: its line of UserData.ini goes, and the row; the menu stays.
    ASSERT_TRUE(Choose(frequent, kMenuProgramName, kRemoveFromThisList));
    EXPECT_TRUE(WaitUntil([&] { return !Contains(TreeTexts(frequent), kMenuProgramName); }, 3000));
    EXPECT_FALSE(UserDataHasLineFor(MenuProgramLink()));
    EXPECT_TRUE(Contains(TreeTexts(frequent), kShellProgramName));
    EXPECT_TRUE(Shown());

    // Launched through the shell: its UserAssist value goes; UserData.ini is left as it is.
    const std::string userData = UserData();
    ASSERT_TRUE(Choose(frequent, kShellProgramName, kRemoveFromThisList));
    EXPECT_TRUE(WaitUntil([&] { return !Contains(TreeTexts(frequent), kShellProgramName); }, 3000));
    EXPECT_FALSE(UserAssistValueExists());
    EXPECT_EQ(UserData(), userData);
    EXPECT_TRUE(Shown());

    // Neither comes back at the next opening.
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(WaitHidden());
    ASSERT_TRUE(ShowMenu());
    const std::vector<std::wstring> rows = TreeTexts(frequent);
    EXPECT_FALSE(Contains(rows, kMenuProgramName)) << Narrow(rows);
    EXPECT_FALSE(Contains(rows, kShellProgramName)) << Narrow(rows);
    EXPECT_TRUE(NewLaunches().empty()) << Narrow(NewLaunches());
}

}  // namespace
}  // namespace tessaline::test
