#include <gtest/gtest.h>

#include "base/Strings.h"
#include "catalogue/AllProgramsTree.h"

namespace tessaline {
namespace {

TFolderEntry Program(const wchar_t* fileName) {
    return {CutExtension(fileName), fileName, false, false};
}
TFolderEntry Folder(const wchar_t* name) {
    return {name, name, true, false};
}

std::wstring Folded(std::wstring_view name) {
    return FoldCase(name);
}

// The display names of the ordered entries.
std::vector<std::wstring> Names(const std::vector<TEntryRef>& refs, std::span<const TFolderListing> listings) {
    std::vector<std::wstring> names;
    for (const auto& ref : refs) {
        names.push_back(listings[ref.Source].Entries[ref.Index].Name);
    }
    return names;
}

TEST(AllProgramsTree, TopLevelMergesTheFourFoldersProgramsFirst) {
    const std::vector<TFolderEntry> userPrograms = {
        Program(L"apple.lnk"), Folder(L"Games"), Program(L"Zoo.lnk"), {L"desktop", L"desktop.ini", false, true}};
    const std::vector<TFolderEntry> commonPrograms = {
        Program(L"APPLE.LNK"), Folder(L"Accessories"), Folder(L"games"), {L"desktop", L"desktop.ini", false, true}};
    const std::vector<TFolderEntry> userStartMenu = {Folder(L"Programs"), Program(L"Loose.lnk"), Program(L"Zoo.lnk")};
    const std::vector<TFolderEntry> commonStartMenu = {Folder(L"Programs"), Folder(L"Extra"), Program(L"Help.lnk")};
    const TFolderListing listings[] = {
        {userPrograms, true}, {commonPrograms, true}, {userStartMenu, false}, {commonStartMenu, false}};
    const auto refs = OrderTopLevel(listings, Folded);
    EXPECT_EQ(Names(refs, listings),
              (std::vector<std::wstring>{L"Help", L"Loose", L"Zoo", L"apple", L"Accessories", L"Games"}));
    // The names shown once are the user's copies.
    EXPECT_EQ(refs[3], (TEntryRef{0, 0, TItemKind::Program}));
    EXPECT_EQ(refs[5], (TEntryRef{0, 1, TItemKind::Folder}));
}

TEST(AllProgramsTree, AnOpenedFolderShowsTheUnionInOneNameOrder) {
    const std::vector<TFolderEntry> own = {Program(L"b.lnk"), Folder(L"System Tools"), Program(L"Paint.lnk")};
    const std::vector<TFolderEntry> common = {
        Program(L"paint.lnk"), Program(L"a.lnk"), Folder(L"Zeta"), {L"desktop", L"desktop.ini", false, true}};
    const TFolderListing listings[] = {{own, true}, {common, true}};
    const auto refs = OrderFolderChildren(listings, Folded);
    EXPECT_EQ(Names(refs, listings), (std::vector<std::wstring>{L"Paint", L"System Tools", L"Zeta", L"a", L"b"}));
    EXPECT_EQ(refs[0], (TEntryRef{0, 2, TItemKind::Program}));

    const std::vector<TFolderEntry> hiddenOnly = {{L"desktop", L"desktop.ini", false, true}};
    const TFolderListing empty[] = {{hiddenOnly, true}, {{}, true}};
    EXPECT_TRUE(OrderFolderChildren(empty, Folded).empty());  // shown as the "(None)" placeholder
}

TEST(AllProgramsTree, EntriesWithoutAReadableNameDoNotHideEachOther) {
    const std::vector<TFolderEntry> entries = {{L"One", L"", false, false}, {L"Two", L"", false, false}};
    const TFolderListing listings[] = {{entries, true}};
    EXPECT_EQ(OrderFolderChildren(listings, Folded).size(), 2u);
}

TEST(AllProgramsTree, NodeTextCutsTheLastExtensionOnly) {
    struct Case {
        const wchar_t* name;
        const wchar_t* text;
    };
    for (auto [name, text] : {Case{L"Notepad.lnk", L"Notepad"}, Case{L"Tool 2.5", L"Tool 2"}, Case{L"a.b.c", L"a.b"},
                              Case{L"Plain", L"Plain"}, Case{L"Dots.", L"Dots"}, Case{L"v1.0\\Tool", L"v1.0\\Tool"},
                              Case{L".NET Tools", L".NET Tools"}, Case{L"", L""}}) {
        EXPECT_EQ(CutExtension(name), text) << testing::PrintToString(std::wstring(name));
    }
    EXPECT_TRUE(NameLess(L"Zoo", L"apple"));
    EXPECT_TRUE(NameLess(L"\x00C4", L"\xFF21"));  // unsigned 16-bit units, whatever wchar_t is
}

TEST(AllProgramsTree, OpeningAFolderFindsItsCommonCounterpartAndFollowsSingleFolders) {
    const std::wstring chain[] = {L"Accessories", L"System Tools"};
    EXPECT_EQ(CommonCounterpartPath(L"C:\\ProgramData\\Programs", chain),
              L"C:\\ProgramData\\Programs\\Accessories\\System Tools");
    const std::wstring unnamed[] = {L"Accessories", L""};
    EXPECT_EQ(CommonCounterpartPath(L"C:\\ProgramData\\Programs", unnamed), L"");

    const TEntryRef folder{0, 0, TItemKind::Folder};
    const TEntryRef program{0, 1, TItemKind::Program};
    EXPECT_TRUE(OpensSingleChild(std::vector{folder}, 0));
    EXPECT_FALSE(OpensSingleChild(std::vector{program}, 0));
    EXPECT_FALSE(OpensSingleChild(std::vector{folder, folder}, 0));
    EXPECT_FALSE(OpensSingleChild(std::vector{folder}, kMaxSingleFolderChain));
}

}  // namespace
}  // namespace tessaline
