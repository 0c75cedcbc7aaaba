#include <gtest/gtest.h>

#include <map>

#include "catalogue/KnownFolders.h"
#include "catalogue/Pidl.h"

namespace tessaline {
namespace {

// The folder descriptions of a standard system, as the registry holds them.
const std::map<std::wstring, TFolderDescription> kSystem = {
    {L"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}", {true, false, L"", L"", L"AppData"}},
    {L"{F1B32785-6FBA-4FCF-9D55-7B8E7F157091}", {true, false, L"", L"", L"Local AppData"}},
    {L"{62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}", {true, false, L"", L"", L"Common AppData"}},
    {L"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}",
     {true, true, L"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}", L"Microsoft\\Windows\\Start Menu", L"Start Menu"}},
    {L"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}",
     {true, true, L"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}", L"Programs", L"Programs"}},
    {L"{A4115719-D62E-491D-AA7C-E74B8BE3B067}",
     {true, true, L"{62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}", L"Microsoft\\Windows\\Start Menu", L"Common Start Menu"}},
    {L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}",
     {true, true, L"{A4115719-D62E-491D-AA7C-E74B8BE3B067}", L"Programs", L"Common Programs"}},
    {L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", {true, false, L"", L"", L"Desktop"}},
    {L"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", {true, false, L"", L"", L"Personal"}},
    // Broken data: a loop of parents, and a parent that is not described.
    {L"{11111111-1111-1111-1111-111111111111}", {true, true, L"{22222222-2222-2222-2222-222222222222}", L"a", L""}},
    {L"{22222222-2222-2222-2222-222222222222}", {true, true, L"{11111111-1111-1111-1111-111111111111}", L"b", L""}},
    {L"{33333333-3333-3333-3333-333333333333}",
     {true, true, L"{44444444-4444-4444-4444-444444444444}", L"Start Menu", L""}},
};

TFolderDescription Read(const std::wstring& guid) {
    const auto it = kSystem.find(guid);
    return it == kSystem.end() ? TFolderDescription{} : it->second;
}

const TAppDataRoots kRoots{L"C:\\Users\\Ann\\AppData\\Roaming", L"C:\\Users\\Ann\\AppData\\Local", L"C:\\ProgramData"};

std::wstring StartMenuFolder(const std::wstring& guid) {
    return StartMenuFolderFromRelativePath(GetKnownFolderRelativePath(guid, Read), kRoots);
}

TEST(KnownFolders, GuidTextIsTheRegistryFormWithBraces) {
    for (const auto* good : {L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}", L"{0139d44e-6afe-49f2-8690-3dafcae6ffb8}"}) {
        EXPECT_TRUE(IsGuidText(good)) << testing::PrintToString(std::wstring(good));
    }
    for (const auto* bad : {L"0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8", L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8",
                            L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFBG}", L"{0139D44E6AFE-49F2-8690-3DAFCAE6FFB8-}",
                            L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}x", L"", L"{}"}) {
        EXPECT_FALSE(IsGuidText(bad)) << testing::PrintToString(std::wstring(bad));
    }
}

TEST(KnownFolders, RelativePathsClimbToTheRootName) {
    EXPECT_EQ(GetKnownFolderRelativePath(L"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}", Read),
              L"AppData\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_EQ(GetKnownFolderRelativePath(L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", Read), L"Desktop");
    EXPECT_EQ(GetKnownFolderRelativePath(L"{99999999-9999-9999-9999-999999999999}", Read), L"");
}

TEST(KnownFolders, OnlyFoldersInsideAStartMenuHaveAPath) {
    EXPECT_EQ(StartMenuFolder(L"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}"),
              L"C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\");
    EXPECT_EQ(StartMenuFolder(L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}"),
              L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\");
    EXPECT_EQ(StartMenuFolder(L"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}"),
              L"C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\");
    EXPECT_EQ(StartMenuFolder(L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"), L"");  // the desktop
    EXPECT_EQ(StartMenuFolder(L"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}"), L"");  // documents
    EXPECT_EQ(StartMenuFolderFromRelativePath(L"Local AppData\\Programs", kRoots), L"");
    EXPECT_EQ(StartMenuFolderFromRelativePath(L"LOCAL APPDATA\\x\\Start Menu\\y", kRoots),
              L"C:\\Users\\Ann\\AppData\\Local\\x\\Start Menu\\y\\");
    EXPECT_EQ(StartMenuFolderFromRelativePath(L"AppData", kRoots), L"");  // no backslash: no root
}

TEST(KnownFolders, BrokenDescriptionsYieldNothingAndNeverLoop) {
    EXPECT_EQ(GetKnownFolderRelativePath(L"{11111111-1111-1111-1111-111111111111}", Read), L"");
    EXPECT_EQ(StartMenuFolder(L"{11111111-1111-1111-1111-111111111111}"), L"");
    EXPECT_EQ(GetKnownFolderRelativePath(L"{33333333-3333-3333-3333-333333333333}", Read), L"\\Start Menu");
    EXPECT_EQ(StartMenuFolder(L"{33333333-3333-3333-3333-333333333333}"), L"");
    // A chain deeper than any real one stops instead of exhausting the stack.
    const FolderDescriptionReader endless = [](const std::wstring& guid) {
        return TFolderDescription{true, true, guid + L"+", L"x", L""};
    };
    EXPECT_EQ(GetKnownFolderRelativePath(L"{A}", endless), L"");
}

TEST(Pidl, SizeCountsItemsAndTheTerminator) {
    EXPECT_EQ(PidlByteSize(nullptr), 0u);
    const uint8_t empty[] = {0, 0};
    EXPECT_EQ(PidlByteSize(empty), 2u);
    const uint8_t two[] = {4, 0, 0xAA, 0xBB, 3, 0, 0xCC, 0, 0};
    EXPECT_EQ(PidlByteSize(two), 9u);
}

}  // namespace
}  // namespace tessaline
