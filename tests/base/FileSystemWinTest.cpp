// The Win32 file layer: listing, environment and the program folder, as Windows answers them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

TEST(FileSystemWin, ListingMatchesFilesAndFoldersByMaskIgnoringCase) {
    test::TempFolder folder;
    test::WriteBytes(folder.File(L"English.lng"), "");
    test::WriteBytes(folder.File(L"german.LNG"), "");
    test::WriteBytes(folder.File(L"notes.txt"), "");
    ASSERT_TRUE(CreateDirectoryTree(folder.File(L"Folder.lng")));
    std::vector<std::wstring> names = ListFolder(folder.Path(), L"*.lng");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"English.lng", L"Folder.lng", L"german.LNG"}));
    EXPECT_TRUE(ListFolder(folder.File(L"absent"), L"*.lng").empty());
}

TEST(FileSystemWin, AnEmptyVariableIsToldFromAnUnsetOne) {
    bool defined = false;
    {
        test::ScopedEnv env(L"TESSALINE_PROBE", L"");
        EXPECT_EQ(GetEnvironmentText(L"TESSALINE_PROBE", &defined), L"");
        EXPECT_TRUE(defined);
    }
    EXPECT_EQ(GetEnvironmentText(L"TESSALINE_PROBE", &defined), L"");
    EXPECT_FALSE(defined);
    test::ScopedEnv env(L"TESSALINE_PROBE", L"value");
    EXPECT_EQ(GetEnvironmentText(L"TESSALINE_PROBE", &defined), L"value");
}

TEST(FileSystemWin, TheProgramFolderHoldsTheRunningExecutable) {
    const std::wstring folder = GetProgramDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_TRUE(FileExists(folder + ExtractFileName(exe)));
}

}  // namespace
}  // namespace tessaline
