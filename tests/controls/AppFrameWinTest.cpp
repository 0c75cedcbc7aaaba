// Special folders from the real shell under Wine: the paths read at creation and a few codes' real answers.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "base/Strings.h"
#include "controls/AppFrame_New.h"

namespace tessaline {
namespace {

std::wstring ShellFolder(int id) {
    wchar_t path[MAX_PATH + 1] = {};
    return SHGetSpecialFolderPathW(nullptr, path, id, FALSE) ? path : L"";
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
}

TEST(AppFrameWin, CreationReadsTheDataFoldersAndTheProgramFolder) {
    const TAppFrame frame;
    EXPECT_FALSE(frame.AppDataPath.empty());
    EXPECT_EQ(frame.AppDataPath, ShellFolder(CSIDL_APPDATA));
    EXPECT_EQ(frame.CommonAppDataPath, ShellFolder(CSIDL_COMMON_APPDATA));

    wchar_t exe[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    ASSERT_FALSE(frame.ExePath.empty());
    EXPECT_EQ(frame.ExePath.back(), L'\\');
    const std::wstring name = std::wstring(exe).substr(frame.ExePath.size());
    EXPECT_EQ(frame.ExePath + name, exe);
    EXPECT_TRUE(EndsWithNoCase(name, L"tessaline_tests.exe")) << name;
}

TEST(AppFrameWin, CodesAnswerTheRealFolders) {
    const TAppFrame frame;
    std::wstring path;
    frame.GetFolder(8, path);
    EXPECT_TRUE(EndsWithNoCase(path, L"\\Programs")) << path;
    frame.GetCommonFolder(2, path);
    EXPECT_TRUE(EndsWithNoCase(path, L"\\Programs")) << path;

    for (int code : {0, 1, 2}) {
        path.clear();
        frame.GetFolder(code, path);
        EXPECT_TRUE(IsDirectory(path)) << code << L" " << path;
    }
    frame.GetFolder(0, path);
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(path, windows);

    std::wstring local;
    frame.GetFolder(13, local);
    frame.GetFolder(19, path);
    EXPECT_EQ(local, ShellFolder(CSIDL_LOCAL_APPDATA));
    EXPECT_EQ(path, local);
}

TEST(AppFrameWin, UnknownFoldersGiveNothingAndUnlistedCodesNoChange) {
    const TAppFrame frame;
    EXPECT_EQ(frame.GetCsidlPath(0x7E), L"");
    std::wstring path = L"kept";
    frame.GetFolder(14, path);
    EXPECT_EQ(path, L"kept");
    frame.GetCommonFolder(13, path);
    EXPECT_EQ(path, L"kept");
}

TEST(AppFrameWin, TempPathLongerThanTheUsualBufferIsReadWhole) {
    // 257 units plus the backslash the call adds: past 256, within the shell's limit.
    const std::wstring temp = L"C:\\" + std::wstring(254, L'x');
    const test::ScopedEnv tmp(L"TMP", temp.c_str());
    std::wstring path;
    TAppFrame().GetFolder(2, path);
    EXPECT_EQ(path, temp + L"\\");
}

}  // namespace
}  // namespace tessaline
