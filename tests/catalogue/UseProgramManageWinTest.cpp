// The frequently used programs from real shortcuts in the prefix's Start Menu, real UserAssist values and
// UserData.ini.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "catalogue/ShellItems.h"
#include "catalogue/UserAssist.h"
#include "catalogue/uStartProgramLst.h"
#include "system/ShellServices.h"

namespace tessaline {
namespace {

class UseProgramManage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com.Ok());
        programs = GetSpecialFolder(CSIDL_PROGRAMS) + L"\\TessalineTest" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(programs.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        for (const auto& name : valueNames) {
            RegDeleteValueW(key, name.c_str());
        }
        RegCloseKey(key);
        SHFILEOPSTRUCTW remove{};
        const std::wstring from = programs + L'\0';
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationW(&remove);
    }

    // A program file and a shortcut to it in the user's Programs folder.
    std::wstring MakeProgram(const std::wstring& name) {
        const std::wstring exe = profile.File(name + L".exe");
        test::WriteBytes(exe, "MZ");
        const std::wstring link = programs + L"\\" + name + L".lnk";
        EXPECT_TRUE(test::SaveShortcut(link, exe));
        return link;
    }

    // A UserAssist value as the shell writes it: ROT13 name, 72 bytes, last run at bytes 60..67.
    void WriteUserAssist(const std::wstring& decodedName, const SYSTEMTIME& utc, size_t size = 72) {
        FILETIME time{};
        SystemTimeToFileTime(&utc, &time);
        std::string data(size, '\0');
        if (size >= 68) {
            memcpy(&data[60], &time.dwLowDateTime, 4);
            memcpy(&data[64], &time.dwHighDateTime, 4);
        }
        const std::wstring name = Rot13(decodedName);
        valueNames.push_back(name);
        ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    std::vector<std::wstring> DataLines() {
        std::vector<std::wstring> lines;
        ReadTextFileLines(manage->DataFile(), lines);
        return lines;
    }

    test::ComScope com;
    test::TempFolder profile;
    test::ScopedEnv env{L"USERPROFILE", profile.Path().c_str()};
    std::unique_ptr<TUseProgramManage> manage = std::make_unique<TUseProgramManage>();
    std::wstring programs;
    HKEY key = nullptr;
    std::vector<std::wstring> valueNames;
};

TEST_F(UseProgramManage, RegistryAndUserDataMergeIntoOneEntryWithTheLaterTime) {
    const std::wstring link = MakeProgram(L"Editor");
    WriteUserAssist(L"prefix text " + link, SYSTEMTIME{2020, 1, 3, 1, 12, 0, 0, 0});
    ASSERT_TRUE(manage->AddLaunchRecord(link));  // now: later than 2020
    manage->Refresh();

    const TUseProgramInfo* info = manage->FindByTarget(profile.File(L"EDITOR.exe"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(manage->Count(), 1);
    EXPECT_TRUE(EqualsNoCase(info->LinkPath, link));
    EXPECT_EQ(info->UserAssistName, Rot13(L"prefix text " + link));  // the registry came first
    EXPECT_GT(info->LastRun.year, 2020);
    EXPECT_EQ(info->DisplayName, L"Editor");
}

// A 32-bit program on 64-bit Windows sees another System32 unless it switches the redirection off: the name of a
// program only the real System32 holds must come from there, also when the entry is first read after the refresh.
TEST_F(UseProgramManage, NamesOfSystemProgramsAreAskedWithTheRedirectionOff) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
        GTEST_SKIP() << "only a 32-bit program on 64-bit Windows has its System32 redirected";
    }
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    // The real System32 as a 32-bit program reaches it without switching anything off.
    const std::wstring real = std::wstring(windows) + L"\\Sysnative\\TessalineOnly64.exe";
    test::WriteBytes(real, "MZ");
    struct TRemove {
        std::wstring path;
        ~TRemove() { DeleteFileW(path.c_str()); }
    } remove{real};
    const std::wstring named = std::wstring(windows) + L"\\System32\\TessalineOnly64.exe";
    WriteUserAssist(named, SYSTEMTIME{2030, 1, 3, 1, 12, 0, 0, 0});
    manage->Refresh();
    const TUseProgramInfo* info = manage->FindByTarget(named);
    ASSERT_NE(info, nullptr);
    std::wstring expected;
    {
        ScopedWow64RedirectionOff off;
        expected = GetShellDisplayName(named);
    }
    EXPECT_EQ(info->DisplayName, expected);
}

TEST_F(UseProgramManage, ProgramsLaunchedOnlyFromTheMenuComeFromUserDataAndCanBeRemoved) {
    const std::wstring link = MakeProgram(L"Viewer");
    ASSERT_TRUE(manage->AddLaunchRecord(link));
    ASSERT_TRUE(manage->AddLaunchRecord(link));  // twice: still one line, on top
    const std::wstring other = MakeProgram(L"Other");
    ASSERT_TRUE(manage->AddLaunchRecord(other));
    std::vector<std::wstring> lines = DataLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(other + L";", 0), 0u);

    manage->Refresh();
    const TUseProgramInfo* info = manage->FindByTarget(profile.File(L"Viewer.exe"));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->UserAssistName.empty());
    ASSERT_TRUE(manage->RemoveEntry(*info));
    lines = DataLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(other + L";", 0), 0u);
    manage->Refresh();
    EXPECT_EQ(manage->FindByTarget(profile.File(L"Viewer.exe")), nullptr);
    EXPECT_NE(manage->FindByTarget(profile.File(L"Other.exe")), nullptr);
}

TEST_F(UseProgramManage, RemovingARegistryEntryDeletesItsValueOnly) {
    const std::wstring link = MakeProgram(L"Player");
    WriteUserAssist(link, SYSTEMTIME{2022, 5, 1, 2, 8, 30, 0, 0});
    manage->Refresh();
    const TUseProgramInfo* info = manage->FindByTarget(profile.File(L"Player.exe"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->LastRun.year, 2022);
    ASSERT_TRUE(manage->RemoveEntry(*info));
    EXPECT_NE(RegQueryValueExW(key, Rot13(link).c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    manage->Refresh();
    EXPECT_EQ(manage->Count(), 0);
}

TEST_F(UseProgramManage, ValuesKeptBetweenRefreshesNeverHideAChange) {
    const std::wstring first = MakeProgram(L"First");
    const std::wstring second = MakeProgram(L"Second");
    WriteUserAssist(first, SYSTEMTIME{2021, 1, 5, 1, 8, 0, 0, 0});
    WriteUserAssist(second, SYSTEMTIME{2022, 1, 6, 1, 8, 0, 0, 0});
    Sleep(1100);  // the key's last write well before the refresh: its values are kept from here on
    manage->Refresh();
    ASSERT_EQ(manage->Count(), 2);
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"Second");
    manage->Refresh();
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"Second");
    // Rewritten right after a refresh (same count, new data): the next refresh reads it.
    WriteUserAssist(first, SYSTEMTIME{2023, 1, 6, 1, 8, 0, 0, 0});
    manage->Refresh();
    ASSERT_EQ(manage->Count(), 2);
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"First");
    EXPECT_EQ(manage->GetItem(0)->LastRun.year, 2023);
    // Deleted and another written: same count again, still seen.
    ASSERT_EQ(RegDeleteValueW(key, Rot13(second).c_str()), ERROR_SUCCESS);
    const std::wstring third = MakeProgram(L"Third");
    WriteUserAssist(third, SYSTEMTIME{2024, 1, 6, 1, 8, 0, 0, 0});
    manage->Refresh();
    ASSERT_EQ(manage->Count(), 2);
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"Third");
    EXPECT_EQ(manage->FindByTarget(profile.File(L"Second.exe")), nullptr);
}

// What the list keeps of the Start Menu's shortcuts between refreshes never hides a change: after each kind the
// list reads as one read afresh.
TEST_F(UseProgramManage, KeptShortcutsReadAsAFreshListAfterEachChange) {
    const auto rows = [](TUseProgramManage& from) {
        std::vector<std::wstring> described;
        for (int i = 0; i < from.Count(); ++i) {
            const TUseProgramInfo* info = from.GetItem(i);
            described.push_back(info->LinkPath + L"|" + info->TargetPath + L"|" + info->DisplayName);
        }
        return described;
    };
    const auto expectFresh = [&](const char* after) {
        test::LetFolderChangesArrive();
        manage->Refresh();
        TUseProgramManage fresh;
        fresh.Refresh();
        EXPECT_EQ(rows(*manage), rows(fresh)) << after;
        return manage->Count();
    };
    const std::wstring alpha = MakeProgram(L"Alpha");
    const std::wstring beta = MakeProgram(L"Beta");
    WriteUserAssist(alpha, SYSTEMTIME{2021, 1, 5, 1, 8, 0, 0, 0});
    WriteUserAssist(beta, SYSTEMTIME{2022, 1, 6, 1, 8, 0, 0, 0});
    EXPECT_EQ(expectFresh("the first reading"), 2);
    expectFresh("nothing");
    // What the list is made of besides the shortcuts, changed by another hand than this list's.
    WriteUserAssist(alpha, SYSTEMTIME{2023, 1, 0, 1, 8, 0, 0, 0});
    expectFresh("a program started again");
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"Alpha");
    const std::wstring gamma = MakeProgram(L"Gamma");
    const std::wstring delta = MakeProgram(L"Delta");  // named by no record yet
    WriteUserAssist(gamma, SYSTEMTIME{2020, 1, 3, 1, 8, 0, 0, 0});
    EXPECT_EQ(expectFresh("a program started for the first time"), 3);
    ASSERT_TRUE(TUseProgramManage().AddLaunchRecord(delta));
    EXPECT_EQ(expectFresh("a line of UserData.ini"), 4);
    TUseProgramManage other;
    other.Refresh();
    ASSERT_NE(other.FindByTarget(profile.File(L"Gamma.exe")), nullptr);
    ASSERT_TRUE(other.RemoveEntry(*other.FindByTarget(profile.File(L"Gamma.exe"))));
    EXPECT_EQ(expectFresh("a value removed"), 3);
    // The value names the shortcut's old name: renamed, it names nothing.
    ASSERT_TRUE(MoveFileW(alpha.c_str(), (programs + L"\\Renamed.lnk").c_str()));
    EXPECT_EQ(expectFresh("renaming"), 2);
    ASSERT_TRUE(MoveFileW((programs + L"\\Renamed.lnk").c_str(), alpha.c_str()));
    EXPECT_EQ(expectFresh("renaming back"), 3);
    ASSERT_TRUE(test::SaveShortcut(beta, profile.File(L"Alpha.exe")));
    expectFresh("retargeting");
    EXPECT_EQ(manage->FindByTarget(profile.File(L"Beta.exe")), nullptr);
    ASSERT_TRUE(test::SaveShortcut(beta, profile.File(L"Beta.exe")));
    ASSERT_TRUE(DeleteFileW(profile.File(L"Alpha.exe").c_str()));
    EXPECT_EQ(expectFresh("deleting a program"), 2);
    ASSERT_TRUE(DeleteFileW(beta.c_str()));
    EXPECT_EQ(expectFresh("deleting a shortcut"), 1);  // Delta's line
}

TEST_F(UseProgramManage, WhatIsNoShortcutToAProgramIsLeftOut) {
    const std::wstring link = MakeProgram(L"Gone");
    ASSERT_TRUE(DeleteFileW(profile.File(L"Gone.exe").c_str()));  // target deleted
    WriteUserAssist(link, SYSTEMTIME{2021, 1, 5, 1, 0, 0, 0, 0});
    const std::wstring doc = profile.File(L"readme.txt");
    test::WriteBytes(doc, "text");
    ASSERT_TRUE(test::SaveShortcut(programs + L"\\Readme.lnk", doc));  // not an .exe
    WriteUserAssist(programs + L"\\Readme.lnk", SYSTEMTIME{2021, 1, 5, 1, 0, 0, 0, 0});
    const std::wstring direct = profile.File(L"Direct.exe");  // a program file, not a shortcut
    test::WriteBytes(direct, "MZ");
    ASSERT_TRUE(manage->AddLaunchRecord(direct));
    WriteUserAssist(L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}\\Desk.lnk", SYSTEMTIME{2021, 1, 5, 1, 0, 0, 0, 0});
    const std::wstring shortData = MakeProgram(L"Short");
    WriteUserAssist(shortData, SYSTEMTIME{2021, 1, 5, 1, 0, 0, 0, 0}, 16);  // no time in it
    manage->Refresh();
    ASSERT_EQ(manage->Count(), 1);
    EXPECT_TRUE(manage->GetItem(0)->LastRun.IsZero());
    EXPECT_NE(manage->FindByTarget(profile.File(L"Short.exe")), nullptr);
    EXPECT_EQ(manage->GetItem(1), nullptr);
}

TEST_F(UseProgramManage, TheListIsNewestFirst) {
    const std::wstring a = MakeProgram(L"Alpha");
    const std::wstring b = MakeProgram(L"Beta");
    const std::wstring c = MakeProgram(L"Gamma");
    WriteUserAssist(a, SYSTEMTIME{2019, 3, 1, 1, 0, 0, 0, 0});
    WriteUserAssist(b, SYSTEMTIME{2023, 3, 1, 1, 0, 0, 0, 0});
    WriteUserAssist(c, SYSTEMTIME{2021, 3, 1, 1, 0, 0, 0, 0});
    manage->Refresh();
    ASSERT_EQ(manage->Count(), 3);
    EXPECT_EQ(manage->GetItem(0)->DisplayName, L"Beta");
    EXPECT_EQ(manage->GetItem(1)->DisplayName, L"Gamma");
    EXPECT_EQ(manage->GetItem(2)->DisplayName, L"Alpha");
}

}  // namespace
}  // namespace tessaline
