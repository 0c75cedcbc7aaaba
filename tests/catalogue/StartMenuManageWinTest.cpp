// The tree of all programs from real folders and shortcuts in the prefix's four Start Menu folders.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/Strings.h"
#include "catalogue/StartMenuManage.h"

namespace tessaline {
namespace {

// A tree node as the tree view will keep it: owns its item and its children.
struct Node : IProgramTreeNode {
    std::unique_ptr<TShellItem> item;
    std::wstring text;
    Node* parent = nullptr;
    bool expanded = false;
    std::vector<std::unique_ptr<Node>> children;
    int updates = 0;

    TShellItem* Item() override { return item.get(); }
    IProgramTreeNode* Parent() override { return parent; }
    bool Expanded() const override { return expanded; }
    void SetExpanded(bool value) override { expanded = value; }
    void DeleteChildren() override { children.clear(); }
    IProgramTreeNode* AddChild(std::unique_ptr<TShellItem> childItem, const std::wstring& childText) override {
        auto child = std::make_unique<Node>();
        child->item = std::move(childItem);
        child->text = childText;
        child->parent = this;
        children.push_back(std::move(child));
        return children.back().get();
    }
    size_t ChildCount() const override { return children.size(); }
    IProgramTreeNode* Child(size_t index) override { return children[index].get(); }
    void BeginUpdate() override { ++updates; }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& child : children) {
            texts.push_back(child->text);
        }
        return texts;
    }
};

class StartMenuManage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com.Ok());
        manage = std::make_unique<TStartMenuManage>();
        for (const std::wstring* root : {&manage->UserProgramsPath, &manage->CommonProgramsPath,
                                         &manage->UserStartMenuPath, &manage->CommonStartMenuPath}) {
            ASSERT_FALSE(root->empty());
        }
    }
    void TearDown() override {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            SetFileAttributesW(it->c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(it->c_str())) {
                RemoveDirectoryW(it->c_str());
            }
        }
    }
    void Folder(const std::wstring& path) {
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << testing::PrintToString(path);
        made.push_back(path);
    }
    void Link(const std::wstring& path) {
        ASSERT_TRUE(test::SaveShortcut(path, target));
        made.push_back(path);
    }
    // The top level, our entries only (the prefix has its own).
    std::vector<std::unique_ptr<Node>> TopLevel() { return TopLevelOf(*manage); }
    static std::vector<std::unique_ptr<Node>> TopLevelOf(TStartMenuManage& from) {
        std::vector<std::unique_ptr<Node>> nodes;
        int begins = 0;
        int ends = 0;
        from.LoadAllPrograms([&] { ++begins; },
                             [&](std::unique_ptr<TShellItem> item) {
                                 auto node = std::make_unique<Node>();
                                 node->text = NodeText(*item);
                                 node->item = std::move(item);
                                 if (node->text.rfind(L"Ts", 0) == 0 || node->text.rfind(L"ts", 0) == 0) {
                                     nodes.push_back(std::move(node));
                                 }
                             },
                             [&] { ++ends; });
        EXPECT_EQ(begins, 1);
        EXPECT_EQ(ends, 1);
        return nodes;
    }
    static Node* Find(std::vector<std::unique_ptr<Node>>& nodes, const std::wstring& text) {
        for (auto& node : nodes) {
            if (node->text == text) {
                return node.get();
            }
        }
        return nullptr;
    }

    test::ComScope com;
    test::TempFolder folder;
    std::wstring target = [this] {
        test::WriteBytes(folder.File(L"tool.exe"), "MZ");
        return folder.File(L"tool.exe");
    }();
    std::unique_ptr<TStartMenuManage> manage;
    std::vector<std::wstring> made;
};

TEST_F(StartMenuManage, TheTopLevelMergesTheFourFoldersProgramsFirstInCodeUnitOrder) {
    const std::wstring& user = manage->UserProgramsPath;
    const std::wstring& common = manage->CommonProgramsPath;
    Link(user + L"\\TsZoo.lnk");
    Link(user + L"\\tsapple.lnk");
    Link(user + L"\\TsBoth.lnk");
    Link(common + L"\\TsBoth.lnk");
    Link(common + L"\\TsCommonOnly.lnk");
    Folder(user + L"\\TsFolder");
    Folder(common + L"\\TsFolder");
    Folder(common + L"\\TsAllUsers");
    Link(manage->UserStartMenuPath + L"\\TsLoose.lnk");
    Folder(manage->UserStartMenuPath + L"\\TsNotAProgramsFolder");
    Link(user + L"\\TsHidden.lnk");
    SetFileAttributesW((user + L"\\TsHidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);

    auto nodes = TopLevel();
    std::vector<std::wstring> texts;
    for (const auto& node : nodes) {
        texts.push_back(node->text);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"TsBoth", L"TsCommonOnly", L"TsLoose", L"TsZoo", L"tsapple",
                                                L"TsAllUsers", L"TsFolder"}));
    EXPECT_EQ(Find(nodes, L"TsFolder")->item->Kind, TShellItem::kFolder);
    EXPECT_EQ(Find(nodes, L"TsZoo")->item->Kind, TShellItem::kProgram);
    // The user's copy wins.
    EXPECT_TRUE(EqualsNoCase(GetItemPath(*Find(nodes, L"TsBoth")->item), user + L"\\TsBoth.lnk"));
    EXPECT_GE(GetItemIconIndex(*Find(nodes, L"TsZoo")->item), 0);
}

TEST_F(StartMenuManage, OpeningAFolderListsTheUnionWithTheUsersCopyWinning) {
    const std::wstring userFolder = manage->UserProgramsPath + L"\\TsTools";
    const std::wstring commonFolder = manage->CommonProgramsPath + L"\\TsTools";
    Folder(userFolder);
    Folder(commonFolder);
    Link(userFolder + L"\\Shared.lnk");
    Link(userFolder + L"\\Mine.lnk");
    Link(commonFolder + L"\\Shared.lnk");
    Link(commonFolder + L"\\Theirs.lnk");
    Folder(userFolder + L"\\Sub 2.5");
    Folder(userFolder + L"\\Sub 2.5\\Inner");

    auto nodes = TopLevel();
    Node* tools = Find(nodes, L"TsTools");
    ASSERT_NE(tools, nullptr);
    manage->OpenFolderNode(*tools);
    EXPECT_TRUE(tools->expanded);
    EXPECT_EQ(tools->Texts(), (std::vector<std::wstring>{L"Mine", L"Shared", L"Sub 2", L"Theirs"}));
    EXPECT_TRUE(EqualsNoCase(GetItemPath(*tools->children[1]->item), userFolder + L"\\Shared.lnk"));

    // Inner is the only content of "Sub 2.5": opening it opens Inner too, which is empty.
    Node* sub = tools->children[2].get();
    manage->OpenFolderNode(*sub);
    ASSERT_EQ(sub->Texts(), (std::vector<std::wstring>{L"Inner"}));
    Node* inner = sub->children[0].get();
    EXPECT_TRUE(inner->expanded);
    ASSERT_EQ(inner->Texts(), (std::vector<std::wstring>{L"(None)"}));
    EXPECT_EQ(inner->children[0]->item->Kind, TShellItem::kPlaceholder);
    EXPECT_EQ(GetItemIconIndex(*inner->children[0]->item), -1);

    // A second click closes; the next opening reads the disk again.
    manage->OpenFolderNode(*tools);
    EXPECT_FALSE(tools->expanded);
    Link(userFolder + L"\\New.lnk");
    manage->OpenFolderNode(*tools);
    EXPECT_EQ(tools->Texts(), (std::vector<std::wstring>{L"Mine", L"New", L"Shared", L"Sub 2", L"Theirs"}));
}

TEST_F(StartMenuManage, EveryLoadReadsTheFoldersAgainThroughTheKeptFolderLists) {
    const std::wstring& user = manage->UserProgramsPath;
    Link(user + L"\\TsFirst.lnk");
    auto first = TopLevel();
    ASSERT_NE(Find(first, L"TsFirst"), nullptr);
    Link(user + L"\\TsSecond.lnk");
    ASSERT_TRUE(DeleteFileW((user + L"\\TsFirst.lnk").c_str()));
    test::LetFolderChangesArrive();
    auto second = TopLevel();
    EXPECT_EQ(Find(second, L"TsFirst"), nullptr);
    EXPECT_NE(Find(second, L"TsSecond"), nullptr);

    // The all-users' copy of a folder removed and made again between two openings: its new contents show.
    const std::wstring commonFolder = manage->CommonProgramsPath + L"\\TsAgain";
    Folder(user + L"\\TsAgain");
    Folder(commonFolder);
    Link(commonFolder + L"\\Old.lnk");
    test::LetFolderChangesArrive();
    Node* again = Find(second = TopLevel(), L"TsAgain");
    ASSERT_NE(again, nullptr);
    manage->OpenFolderNode(*again);
    EXPECT_EQ(again->Texts(), (std::vector<std::wstring>{L"Old"}));
    manage->OpenFolderNode(*again);
    ASSERT_TRUE(DeleteFileW((commonFolder + L"\\Old.lnk").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(commonFolder.c_str()));
    ASSERT_TRUE(CreateDirectoryW(commonFolder.c_str(), nullptr));
    Link(commonFolder + L"\\New.lnk");
    manage->OpenFolderNode(*again);
    EXPECT_EQ(again->Texts(), (std::vector<std::wstring>{L"New"}));
}

// The top level is kept between showings while the folders' change notifications are silent: after each kind of
// change it must read as a manager that never listed anything reads it.
TEST_F(StartMenuManage, AKeptTopLevelReadsAsAFreshOneAfterEachChange) {
    const std::wstring& user = manage->UserProgramsPath;
    const std::wstring& common = manage->CommonProgramsPath;
    test::WriteBytes(folder.File(L"other.exe"), "MZ");
    const auto rows = [](std::vector<std::unique_ptr<Node>> nodes) {
        std::vector<std::wstring> described;
        for (const auto& node : nodes) {
            described.push_back(node->text + L"|" + std::to_wstring(node->item->Kind) + L"|" +
                                GetItemPath(*node->item));
        }
        return described;
    };
    const auto expectFresh = [&](const char* after) {
        test::LetFolderChangesArrive();
        const std::vector<std::wstring> kept = rows(TopLevel());
        TStartMenuManage fresh;
        EXPECT_EQ(kept, rows(TopLevelOf(fresh))) << after;
        return kept;
    };
    Link(user + L"\\TsKept.lnk");
    Folder(common + L"\\TsKeptFolder");
    const std::vector<std::wstring> first = expectFresh("the first listing");
    EXPECT_EQ(expectFresh("nothing"), first);

    Link(user + L"\\TsAdded.lnk");
    expectFresh("adding");
    const std::wstring renamed = common + L"\\TsRenamed";
    ASSERT_TRUE(MoveFileW((common + L"\\TsKeptFolder").c_str(), renamed.c_str()));
    made.push_back(renamed);
    expectFresh("renaming a folder");
    ASSERT_TRUE(MoveFileW((user + L"\\TsAdded.lnk").c_str(), (user + L"\\TsMoved.lnk").c_str()));
    made.push_back(user + L"\\TsMoved.lnk");
    expectFresh("renaming a shortcut");
    ASSERT_TRUE(test::SaveShortcut(user + L"\\TsKept.lnk", folder.File(L"other.exe")));
    expectFresh("retargeting");
    SetFileAttributesW((user + L"\\TsKept.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    expectFresh("hiding");
    SetFileAttributesW((user + L"\\TsKept.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileW((user + L"\\TsMoved.lnk").c_str()));
    expectFresh("deleting");
    Link(manage->UserStartMenuPath + L"\\TsLoose.lnk");
    const std::vector<std::wstring> last = expectFresh("adding beside the Programs folder");
    EXPECT_NE(std::find(last.begin(), last.end(),
                        L"TsLoose|" + std::to_wstring(TShellItem::kProgram) + L"|" + manage->UserStartMenuPath +
                            L"\\TsLoose.lnk"),
              last.end());
}

TEST_F(StartMenuManage, AMissingFolderContributesNothing) {
    TShellListing listing;
    EXPECT_TRUE(manage->ListPath(folder.File(L"absent"), listing));
    EXPECT_TRUE(listing.Entries.empty());
}

TEST(StartMenuManageIcons, AnItemWithoutAnIconGetsNoneNotAnotherFilesIcon) {
    // No identifier list, no path: nothing to ask the shell about. Index 0 would be a real icon of the list.
    TShellItem program;
    program.Kind = TShellItem::kProgram;
    program.Name = L"Gone";
    EXPECT_EQ(GetItemIconIndex(program), -1);
    EXPECT_EQ(program.ImageIndex, -1);
    TShellItem placeholder;
    EXPECT_EQ(GetItemIconIndex(placeholder), -1);
}

}  // namespace
}  // namespace tessaline
