// The shell layer against Wine's real shell: shortcuts saved with IShellLinkW, display names, file stamps,
// identifier lists, folder enumeration and the system's known-folder descriptions.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/Strings.h"
#include "catalogue/KnownFolders.h"
#include "catalogue/ShellItems.h"

namespace tessaline {
namespace {

class ShellItems : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(com.Ok()); }
    test::ComScope com;
    test::TempFolder folder;
};

using test::SaveShortcut;

TEST_F(ShellItems, ShortcutsResolveToTheirTargetEvenAfterItIsGone) {
    const std::wstring target = folder.File(L"Tool.exe");
    test::WriteBytes(target, "MZ");
    const std::wstring link = folder.File(L"Tool.lnk");
    ASSERT_TRUE(SaveShortcut(link, target));
    const std::string saved = test::ReadBytes(link);

    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(link), target));
    ASSERT_TRUE(DeleteFileW(target.c_str()));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(link), target));  // last target, no dialog
    EXPECT_EQ(test::ReadBytes(link), saved);                     // never repaired on disk
}

TEST_F(ShellItems, AShortcutSavedAgainResolvesToItsNewTarget) {
    const std::wstring first = folder.File(L"First.exe");
    const std::wstring second = folder.File(L"Second program.exe");
    test::WriteBytes(first, "MZ");
    test::WriteBytes(second, "MZ");
    const std::wstring link = folder.File(L"Changing.lnk");
    ASSERT_TRUE(SaveShortcut(link, first));
    TLinkResolver resolver;
    EXPECT_TRUE(EqualsNoCase(resolver.Resolve(link), first));
    EXPECT_TRUE(EqualsNoCase(resolver.Resolve(link), first));  // unchanged: the answer kept
    ASSERT_TRUE(SaveShortcut(link, second));
    EXPECT_TRUE(EqualsNoCase(resolver.Resolve(link), second));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(link), second));
    // A shortcut gone and made again under the same name is a new file as well.
    ASSERT_TRUE(DeleteFileW(link.c_str()));
    EXPECT_EQ(ResolveLinkTarget(link), L"");
    ASSERT_TRUE(SaveShortcut(link, first));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(link), first));
}

TEST_F(ShellItems, WhatIsNoShortcutResolvesToNothing) {
    const std::wstring exe = folder.File(L"Direct.exe");
    test::WriteBytes(exe, "MZ");
    EXPECT_EQ(ResolveLinkTarget(exe), L"");
    const std::wstring damaged = folder.File(L"Damaged.lnk");
    test::WriteBytes(damaged, std::string("L\0\0\0garbage", 11));
    EXPECT_EQ(ResolveLinkTarget(damaged), L"");
    EXPECT_EQ(ResolveLinkTarget(folder.File(L"Missing.lnk")), L"");
}

TEST_F(ShellItems, DisplayNamesHideTheShortcutExtension) {
    const std::wstring target = folder.File(L"App.exe");
    test::WriteBytes(target, "MZ");
    ASSERT_TRUE(SaveShortcut(folder.File(L"My App.lnk"), target));
    EXPECT_EQ(GetShellDisplayName(folder.File(L"My App.lnk")), L"My App");
}

TEST_F(ShellItems, IconIndexesAreKeptPerSizeWhileTheFileIsUnchanged) {
    const std::wstring file = folder.File(L"Icon source.txt");
    test::WriteBytes(file, "one");
    int asked = 0;
    const auto ask = [&] {
        SHFILEINFOW info{};
        SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        ++asked;
        return info.iIcon;
    };
    const int index = KeptIconIndex(file, true, ask);
    EXPECT_GE(index, 0);
    EXPECT_EQ(KeptIconIndex(file, true, ask), index);
    EXPECT_EQ(asked, 1);
    KeptIconIndex(file, false, ask);  // the large list is another question
    EXPECT_EQ(asked, 2);
    test::WriteBytes(file, "a longer text");
    EXPECT_EQ(KeptIconIndex(file, true, ask), index);
    EXPECT_EQ(asked, 3);
    // A file that cannot be looked at is asked about every time.
    const std::wstring missing = folder.File(L"missing.txt");
    KeptIconIndex(missing, true, ask);
    KeptIconIndex(missing, true, ask);
    EXPECT_EQ(asked, 5);
}

TEST_F(ShellItems, FileStampsHaveTwoSecondResolutionInLocalTime) {
    EXPECT_TRUE(GetFileTimeStamp(folder.File(L"missing.txt"), 1).IsZero());

    const std::wstring path = folder.File(L"stamped.txt");
    test::WriteBytes(path, "x");
    SYSTEMTIME utc{2021, 6, 2, 15, 10, 20, 31, 0};
    FILETIME stamp{};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &stamp));
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &stamp));
    CloseHandle(file);

    FILETIME localStamp{};
    SYSTEMTIME local{};
    FileTimeToLocalFileTime(&stamp, &localStamp);
    FileTimeToSystemTime(&localStamp, &local);
    const TDateTime read = GetFileTimeStamp(path, 1);
    EXPECT_EQ(read.year, local.wYear);
    EXPECT_EQ(read.day, local.wDay);
    EXPECT_EQ(read.hour, local.wHour);
    EXPECT_EQ(read.minute, 20);
    EXPECT_EQ(read.second, 30);  // 31 s rounds down to the DOS two-second step

    EXPECT_TRUE(FileTimeToDateTime(FILETIME{0, 0}).IsZero());
}

TEST_F(ShellItems, IdentifierListsConcatenateParentAndChild) {
    EXPECT_EQ(PidlSize(nullptr), 0u);
    PIDLIST_ABSOLUTE desktop = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)));
    EXPECT_EQ(PidlSize(desktop), 2u);

    test::WriteBytes(folder.File(L"child.txt"), "x");
    PIDLIST_ABSOLUTE parent = ILCreateFromPathW(folder.Path().c_str());
    PIDLIST_ABSOLUTE full = ILCreateFromPathW(folder.File(L"child.txt").c_str());
    ASSERT_NE(parent, nullptr);
    ASSERT_NE(full, nullptr);
    PCUIDLIST_RELATIVE last = ILFindLastID(full);
    UniquePidl joined(ConcatPidl(parent, last));
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(PidlSize(joined.get()), PidlSize(full));
    EXPECT_TRUE(ILIsEqual(joined.get(), full));
    UniquePidl alone(ConcatPidl(nullptr, last));
    EXPECT_EQ(PidlSize(alone.get()), PidlSize(last));

    ILFree(full);
    ILFree(parent);
    ILFree(desktop);
}

TEST_F(ShellItems, FolderEnumerationGivesNamesFindDataAndKinds) {
    test::WriteBytes(folder.File(L"Visible.txt"), "x");
    test::WriteBytes(folder.File(L"Secret.txt"), "x");
    ASSERT_TRUE(SetFileAttributesW(folder.File(L"Secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Sub").c_str(), nullptr));

    IShellFolder* desktop = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetDesktopFolder(&desktop)));
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathW(folder.Path().c_str());
    IShellFolder* shellFolder = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shellFolder))));
    IEnumIDList* items = nullptr;
    ASSERT_EQ(shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items),
              S_OK);

    std::map<std::wstring, std::pair<bool, bool>> seen;  // file name -> (hidden, folder)
    PITEMID_CHILD child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        const TItemFindData data = GetItemFindData(shellFolder, child);
        seen[data.fileName] = {data.hidden, IsFolderItem(shellFolder, child)};
        if (data.fileName == L"Visible.txt") {
            EXPECT_TRUE(EqualsNoCase(GetItemDisplayName(shellFolder, child, true), folder.File(L"Visible.txt")));
            EXPECT_FALSE(GetItemDisplayName(shellFolder, child, false).empty());
        }
        CoTaskMemFree(child);
    }
    items->Release();
    shellFolder->Release();
    ILFree(pidl);
    desktop->Release();

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[L"Visible.txt"], std::make_pair(false, false));
    EXPECT_EQ(seen[L"Secret.txt"], std::make_pair(true, false));
    EXPECT_EQ(seen[L"Sub"], std::make_pair(false, true));
}

TEST_F(ShellItems, StartMenuKnownFoldersComeFromTheSystemsDescriptions) {
    const std::wstring commonPrograms = GetStartMenuKnownFolder(L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}");
    EXPECT_TRUE(EqualsNoCase(commonPrograms, GetSpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\"))
        << testing::PrintToString(commonPrograms);
    EXPECT_EQ(GetStartMenuKnownFolder(L"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}"), L"");  // documents
    EXPECT_EQ(GetStartMenuKnownFolder(L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"), L"");  // desktop
    EXPECT_EQ(GetStartMenuKnownFolder(L"{00000000-0000-0000-0000-00000000FFFF}"), L"");  // not described
}

// Descriptions of our own under the real key, laid out as a per-user root with a Start Menu below it.
TEST_F(ShellItems, ADescribedFolderBelowTheRoamingRootResolvesThere) {
    const std::wstring base = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FolderDescriptions\\";
    const std::wstring root = L"{7E5A1B2C-0000-4000-8000-00000000A001}";
    const std::wstring child = L"{7E5A1B2C-0000-4000-8000-00000000A002}";
    const auto setValue = [](HKEY key, const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, (base + root).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    setValue(key, L"Name", L"AppData");
    RegCloseKey(key);
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, (base + child).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    setValue(key, L"ParentFolder", root);
    setValue(key, L"RelativePath", L"Microsoft\\Windows\\Start Menu\\Programs\\Tools");
    RegCloseKey(key);

    const std::wstring path = GetStartMenuKnownFolder(child);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (base + child).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (base + root).c_str());
    EXPECT_TRUE(
        EqualsNoCase(path, GetSpecialFolder(CSIDL_APPDATA) + L"\\Microsoft\\Windows\\Start Menu\\Programs\\Tools\\"))
        << testing::PrintToString(path);
}

TEST_F(ShellItems, TheFourStartMenuFoldersExist) {
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_STARTMENU, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTMENU}) {
        const std::wstring path = GetSpecialFolder(csidl);
        EXPECT_FALSE(path.empty()) << csidl;
        EXPECT_NE(path.back(), L'\\') << csidl;
    }
}

}  // namespace
}  // namespace tessaline
