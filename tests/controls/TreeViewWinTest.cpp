#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/FormWin.h"
#include "controls/ImageListWin.h"
#include "controls/TreeViewWin.h"

namespace tessaline {
namespace {

class TreeViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Style = WS_POPUP;
        form.SetBounds(0, 0, 300, 400);
        form.SetVisible(false);
        tree = Create<TTreeView>(&form, L"TreeView_Programs");
        tree->SetParent(&form);
        tree->SetBounds(0, 0, 300, 400);
    }
    TForm form{nullptr};
    TTreeView* tree = nullptr;
};

TEST_F(TreeViewTest, NodesAddedBeforeAndAfterTheWindowAreTheControlsItems) {
    TTreeNode* office = tree->AddChild(nullptr, L"Office");
    tree->AddChild(office, L"Writer");
    tree->SetItemHeight(30);
    ASSERT_TRUE(form.CreateHandle());
    TTreeNode* games = tree->AddChild(nullptr, L"Games");

    HWND hwnd = tree->Handle();
    EXPECT_EQ(TreeView_GetCount(hwnd), 3u);
    EXPECT_EQ(TreeView_GetItemHeight(hwnd), 30);
    EXPECT_EQ(tree->FromHandle(TreeView_GetRoot(hwnd)), office);
    EXPECT_EQ(tree->FromHandle(TreeView_GetNextSibling(hwnd, office->Handle())), games);

    // The language walk sees every node in pre-order, and its changes reach the control.
    ASSERT_EQ(tree->ItemCount(), 3u);
    EXPECT_EQ(tree->ItemText(1), L"Writer");
    tree->SetItemText(2, L"Spiele");
    wchar_t text[32] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = games->Handle();
    item.pszText = text;
    item.cchTextMax = 32;
    TreeView_GetItem(hwnd, &item);
    EXPECT_STREQ(text, L"Spiele");

    office->Expand();
    EXPECT_TRUE(office->Expanded());
    const TRect writer = office->Item(0)->DisplayRect(false);
    EXPECT_EQ(tree->NodeAt(writer.Left + 60, writer.Top + 5), office->Item(0));

    tree->Delete(office);
    EXPECT_EQ(TreeView_GetCount(hwnd), 1u);
    tree->Clear();
    EXPECT_EQ(TreeView_GetCount(hwnd), 0u);
    EXPECT_EQ(tree->RootCount(), 0u);
}

struct TRowRecord {
    std::wstring LinkPath;
};

TEST_F(TreeViewTest, ARowsValueOutlivesTheListItCameFromAndGoesWithTheRow) {
    ASSERT_TRUE(form.CreateHandle());
    auto list = std::make_unique<std::vector<TRowRecord>>(std::vector<TRowRecord>{{L"C:\\a.lnk"}, {L"C:\\b.lnk"}});
    for (const TRowRecord& record : *list) {
        tree->AddChild(nullptr, record.LinkPath)->SetValue(record);
    }
    // The list is read again while its rows show: the old records are freed.
    list = std::make_unique<std::vector<TRowRecord>>(std::vector<TRowRecord>(100, TRowRecord{L"C:\\new.lnk"}));
    ASSERT_NE(tree->Root(1)->Value<TRowRecord>(), nullptr);
    EXPECT_EQ(tree->Root(1)->Value<TRowRecord>()->LinkPath, L"C:\\b.lnk");
    // Asked as another type, or on a row without one, there is no record.
    EXPECT_EQ(tree->Root(0)->Value<std::wstring>(), nullptr);
    EXPECT_FALSE(tree->AddChild(nullptr, L"plain")->HasValue());
    tree->Clear();
    EXPECT_EQ(tree->RootCount(), 0u);
}

TEST_F(TreeViewTest, LazyChildrenAreAddedWhenANodeExpandsAndCanBeRefused) {
    ASSERT_TRUE(form.CreateHandle());
    TTreeNode* folder = tree->AddChild(nullptr, L"Folder");
    folder->SetHasChildren(true);
    TTreeNode* locked = tree->AddChild(nullptr, L"Locked");
    locked->SetHasChildren(true);
    int expansions = 0;
    tree->OnExpanding = [&](TTreeView& sender, TTreeNode& node, bool& allow) {
        ++expansions;
        if (&node == locked) {
            allow = false;
            return;
        }
        if (node.Count() == 0) {
            sender.AddChild(&node, L"(None)");
        }
    };
    folder->Expand();
    locked->Expand();
    EXPECT_EQ(expansions, 2);
    EXPECT_TRUE(folder->Expanded());
    EXPECT_FALSE(locked->Expanded());
    ASSERT_EQ(folder->Count(), 1u);
    EXPECT_EQ(TreeView_GetChild(tree->Handle(), folder->Handle()), folder->Item(0)->Handle());
}

TEST_F(TreeViewTest, SelectionChangesAreReportedWithTheirNode) {
    ASSERT_TRUE(form.CreateHandle());
    TTreeNode* a = tree->AddChild(nullptr, L"A");
    TTreeNode* b = tree->AddChild(nullptr, L"B");
    std::vector<TTreeNode*> changes;
    tree->OnChange = [&](TTreeView&, TTreeNode* node) { changes.push_back(node); };
    tree->SetSelected(b);
    tree->SetSelected(a);
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{b, a}));
    EXPECT_EQ(tree->Selected(), a);
    tree->Clear();  // no report of a node that is going away
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(TreeViewTest, ImagesAreAskedForWhenAnItemIsFirstDrawnAndCustomDrawSeesEachItem) {
    TImageList images(nullptr);
    TPicture red{2, 2, std::vector<uint32_t>(4, 0xFFFF0000u), true};
    images.Add(red);
    images.Add(red);
    tree->SetImages(&images);
    std::vector<std::wstring> asked;
    tree->OnGetImageIndex = [&](TTreeView&, TTreeNode& node) {
        asked.push_back(node.Text());
        node.SetImageIndex(1);
    };
    std::vector<std::wstring> drawn;
    tree->OnCustomDrawItem = [&](TTreeView&, TTreeNode& node, NMTVCUSTOMDRAW& draw) {
        drawn.push_back(node.Text());
        draw.clrText = RGB(255, 0, 0);
        return static_cast<LRESULT>(CDRF_NEWFONT);
    };
    tree->AddChild(nullptr, L"One");
    tree->AddChild(nullptr, L"Two");
    ASSERT_TRUE(form.CreateHandle());
    EXPECT_TRUE(asked.empty());
    form.Show();
    UpdateWindow(tree->Handle());
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"One", L"Two"}));
    EXPECT_GE(drawn.size(), 2u);
    EXPECT_EQ(tree->Root(0)->ImageIndex(), 1);
    // The answer is kept by the control, and giving it leaves nothing to paint again.
    EXPECT_FALSE(GetUpdateRect(tree->Handle(), nullptr, FALSE));
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = tree->Root(1)->Handle();
    ASSERT_TRUE(TreeView_GetItem(tree->Handle(), &item));
    EXPECT_EQ(item.iImage, 1);
    RedrawWindow(tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(asked.size(), 2u);
    // A node made with children shows its button from the start.
    TTreeNode* folder = tree->AddChild(nullptr, L"Folder", -1, true);
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = folder->Handle();
    ASSERT_TRUE(TreeView_GetItem(tree->Handle(), &item));
    EXPECT_EQ(item.cChildren, 1);
    form.Hide();
}

}  // namespace
}  // namespace tessaline

namespace tessaline {
namespace {

TEST(ImageList, PicturesAreScaledInAndTheSharedSystemListIsNeverAppendedTo) {
    TImageList list(nullptr, 16, 16);
    TPicture big{32, 32, std::vector<uint32_t>(32 * 32, 0x80800000u), true};
    EXPECT_EQ(list.Add(big), 0);
    EXPECT_EQ(list.Add(TPicture{}), -1);
    EXPECT_EQ(list.Count(), 1);

    TImageList system(nullptr);
    system.UseSystemList(true);
    ASSERT_NE(system.Handle(), nullptr);
    EXPECT_EQ(system.Width(), GetSystemMetrics(SM_CXSMICON));
    const int before = system.Count();
    EXPECT_EQ(system.Add(big), -1);
    system.Clear();
    EXPECT_EQ(system.Count(), before);
}

TEST(ImageList, PicturesAppendedToTheSystemListKeepTheShellsListsInStep) {
    TImageList small(nullptr);
    small.UseSystemList(true);
    TImageList large(nullptr);
    large.UseSystemList(false);
    ASSERT_NE(small.Handle(), nullptr);
    ASSERT_NE(large.Handle(), nullptr);
    ASSERT_EQ(small.Count(), large.Count());
    TPicture red{4, 4, std::vector<uint32_t>(16, 0xFFFF0000u), true};
    const int index = small.AppendToSystemList(red);
    EXPECT_EQ(index, large.Count() - 1);
    EXPECT_EQ(small.Count(), large.Count());
    // What the shell adds next has one index in both lists, and it is not our picture.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    SHFILEINFOW info{};
    SHGetFileInfoW(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    EXPECT_NE(info.iIcon, index);
    EXPECT_EQ(small.Count(), large.Count());
}

}  // namespace
}  // namespace tessaline
