// The program panes of the start-menu window: pinned programs, frequently used programs and the "All Programs"
// tree, filled from the catalogue each time the menu shows; icons on demand; launching; the view switch.

#include <windows.h>

#include <shellapi.h>

#include <deque>
#include <vector>

#include "base/Trace.h"
#include "catalogue/PaneRows.h"
#include "catalogue/ShellItems.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"
#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PopupMenuWin.h"
#include "controls/TreeViewWin.h"
#include "search/SearchView.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/HelperProtocol.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"
#include "system/ShellStartObserver.h"

namespace tessaline {

namespace {

constexpr int kPinnedBase = 95;

enum TPane { kPinnedPane = 0, kFrequentPane = 1, kProgramPane = 2 };

std::wstring FileNameWithoutExtension(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

// The "All Programs" tree as the catalogue's folder opener sees it: each node with the shell item it owns.
class TProgramNodeAdapter : public IProgramTreeNode {
  public:
    TProgramNodeAdapter(TZelStartMenuFrm& form, std::deque<TProgramNodeAdapter>& pool, TTreeNode& node)
        : form_(form), pool_(pool), node_(node) {}

    TShellItem* Item() override {
        auto found = form_.programItems_.find(&node_);
        return found != form_.programItems_.end() ? found->second.get() : nullptr;
    }
    IProgramTreeNode* Parent() override {
        return node_.Parent() != nullptr ? &pool_.emplace_back(form_, pool_, *node_.Parent()) : nullptr;
    }
    bool Expanded() const override { return node_.Expanded(); }
    void SetExpanded(bool expanded) override {
        if (expanded) {
            node_.Expand();
        } else {
            node_.Collapse();
        }
    }
    void DeleteChildren() override {
        while (node_.Count() > 0) {
            TTreeNode* child = node_.Item(node_.Count() - 1);
            Forget(*child);
            node_.TreeView().Delete(child);
        }
    }
    IProgramTreeNode* AddChild(std::unique_ptr<TShellItem> item, const std::wstring& text) override {
        TTreeNode* child = node_.TreeView().AddChild(&node_, text, -1);
        child->SetHasChildren(item != nullptr && item->Kind == TShellItem::kFolder);
        form_.programItems_[child] = std::move(item);
        return &pool_.emplace_back(form_, pool_, *child);
    }
    size_t ChildCount() const override { return node_.Count(); }
    IProgramTreeNode* Child(size_t index) override {
        TTreeNode* child = node_.Item(index);
        return child != nullptr ? &pool_.emplace_back(form_, pool_, *child) : nullptr;
    }
    void BeginUpdate() override { SendMessageW(node_.TreeView().Handle(), WM_SETREDRAW, FALSE, 0); }
    void EndUpdate() override {
        SendMessageW(node_.TreeView().Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(node_.TreeView().Handle(), nullptr, TRUE);
    }

  private:
    void Forget(TTreeNode& node) {
        for (size_t i = 0; i < node.Count(); ++i) {
            Forget(*node.Item(i));
        }
        form_.programItems_.erase(&node);
    }

    TZelStartMenuFrm& form_;
    std::deque<TProgramNodeAdapter>& pool_;
    TTreeNode& node_;
};

void TZelStartMenuFrm::SetUpPanes() {
    LargeIcons = tessaline::Create<TImageList>(this, L"LargeIcons", 32, 32);
    LargeIcons->UseSystemList(false);
    IcoImgList = tessaline::Create<TImageList>(this, L"IcoImgList", 16, 16);
    IcoImgList->UseSystemList(true);
    TreeView_UserPind->SetImages(LargeIcons);
    TreeView_StartProgramLst->SetImages(LargeIcons);
    TreeView_Program->SetImages(IcoImgList);
    TreeView_UserPind->SetItemHeight(40);
    TreeView_StartProgramLst->SetItemHeight(40);
    TreeView_Program->SetItemHeight(20);

    const TTreeView* trees[] = {TreeView_UserPind, TreeView_StartProgramLst, TreeView_Program};
    for (int pane = 0; pane < 3; ++pane) {
        TTreeView& tree = *const_cast<TTreeView*>(trees[pane]);
        tree.OnGetImageIndex = [this](TTreeView& sender, TTreeNode& node) { PaneIcon(sender, node); };
        tree.OnClick = [this, &tree](TControl&) {
            POINT at{};
            GetCursorPos(&at);
            ScreenToClient(tree.Handle(), &at);
            PaneClick(tree, at.x, at.y);
        };
        tree.OnMouseDown = [this, &tree](TControl&, TMouseButton button, TShiftState, int x, int y) {
            EndRightColumnHover(0);
            if (button == TMouseButton::Right) {
                PaneRightClick(tree, x, y);
            }
        };
        tree.OnMouseMove = [this, &tree](TControl&, TShiftState, int x, int y) { PaneMouseMove(tree, x, y); };
        if (pane != kProgramPane) {
            tree.OnMouseLeave = [this](TControl&) { paneHint_.Hide(); };
            // Their hint comes at once (below); the control's own delayed tooltip would show the same text again.
            SendMessageW(tree.Handle(), TVM_SETTOOLTIPS, 0, 0);
        }
        const bool sizedToFit = pane != kProgramPane;
        tree.OnCustomDraw = [sizedToFit](TTreeView& sender, NMTVCUSTOMDRAW&) -> LRESULT {
            // The panes scroll with the keyboard only; the pinned and frequent ones are sized to fit.
            ShowScrollBar(sender.Handle(), SB_HORZ, FALSE);
            if (sizedToFit) {
                ShowScrollBar(sender.Handle(), SB_VERT, FALSE);
            }
            return CDRF_DODEFAULT;
        };
    }

    for (TControl* piece : {static_cast<TControl*>(lbl_Program), static_cast<TControl*>(Image_ProgramLogo),
                            static_cast<TControl*>(ImageNote_Program[0]), static_cast<TControl*>(ImageNote_Program[1]),
                            static_cast<TControl*>(ImageNote_Program[2])}) {
        piece->OnClick = [this](TControl&) {
            EndRightColumnHover(0);
            SwitchView();
        };
        piece->OnMouseEnter = [this](TControl&) { SetSwitchHighlight(true); };
        piece->OnMouseLeave = [this](TControl&) { SetSwitchHighlight(false); };
    }
    SetSwitchHighlight(false);

    const auto item = [this](const wchar_t* name) { return dynamic_cast<TMenuItem*>(FindComponent(name)); };
    const auto selected = [](TTreeView* tree) -> TTreeNode* { return tree != nullptr ? tree->Selected() : nullptr; };
    if (TMenuItem* runAs = item(L"Menu_Userpin_RunsAdmin")) {
        runAs->OnClick = [this, selected](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_UserPind); node != nullptr && node->Data != nullptr) {
                const auto* info = static_cast<const TUserPinedInfo*>(node->Data);
                v_UseProgramManage->AddLaunchRecord(info->LinkPath);
                RunAsAdmin(nullptr, info->LinkPath, L"");
                HideStartMenu();
            }
        };
    }
    if (TMenuItem* runAs = item(L"Menu_UsuallySoftware_RunAsAdmin")) {
        runAs->OnClick = [this, selected](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_StartProgramLst); node != nullptr && node->Data != nullptr) {
                const auto* info = static_cast<const TUseProgramInfo*>(node->Data);
                v_UseProgramManage->AddLaunchRecord(info->LinkPath);
                RunAsAdmin(nullptr, info->LinkPath, L"");
                HideStartMenu();
            }
        };
    }
    if (TMenuItem* pin = item(L"Menu_Userpin_Manage")) {
        pin->OnClick = [selected, this](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_UserPind); node != nullptr && node->Data != nullptr) {
                const auto* info = static_cast<const TUserPinedInfo*>(node->Data);
                v_UserPinedManage->PinToTaskbar(info->TargetPath, FileNameWithoutExtension(info->TargetPath));
            }
        };
    }
    if (TMenuItem* pin = item(L"Menu_UsuallySoftware_PinManage")) {
        pin->OnClick = [selected, this](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_StartProgramLst); node != nullptr && node->Data != nullptr) {
                const auto* info = static_cast<const TUseProgramInfo*>(node->Data);
                v_UserPinedManage->PinToTaskbar(info->TargetPath, FileNameWithoutExtension(info->TargetPath));
            }
        };
    }
    if (TMenuItem* properties = item(L"Menu_Userpin_property")) {
        properties->OnClick = [selected, this](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_UserPind); node != nullptr && node->Data != nullptr) {
                ShowFileProperties(static_cast<const TUserPinedInfo*>(node->Data)->TargetPath);
                HideStartMenu();
            }
        };
    }
    if (TMenuItem* properties = item(L"Menu_UsuallySoftware_Property")) {
        properties->OnClick = [selected, this](TMenuItem&) {
            if (TTreeNode* node = selected(TreeView_StartProgramLst); node != nullptr && node->Data != nullptr) {
                ShowFileProperties(static_cast<const TUseProgramInfo*>(node->Data)->TargetPath);
                HideStartMenu();
            }
        };
    }
    if (TMenuItem* unpin = item(L"Menu_Userpin_Delete")) {
        unpin->OnClick = [this](TMenuItem&) { UnpinSelected(); };
    }
    if (TMenuItem* pinToMenu = item(L"Menu_UsuallySoftware_AddStartMenu")) {
        pinToMenu->OnClick = [this](TMenuItem&) { PinSelectedFrequent(); };
    }
    if (TMenuItem* remove = item(L"Menu_UsuallySoftware_Delete")) {
        remove->OnClick = [this](TMenuItem&) { RemoveSelectedFrequent(); };
    }
}

int TZelStartMenuFrm::FillPinned(int base, bool reread) {
    if (reread) {
        v_UserPinedManage->Refresh();
    }
    const int count = v_UserPinedManage->Count();
    Trace(L"v_UserPinedManage.Count:", count);
    const int rows = SelectPinnedRows(count, base, WorkAreaHeight());
    for (int i = 0; i < rows; ++i) {
        const TUserPinedInfo* info = v_UserPinedManage->GetItem(i);
        if (info == nullptr) {
            continue;
        }
        TTreeNode* node = TreeView_UserPind->AddChild(nullptr, info->DisplayName, -1);
        node->Data = const_cast<TUserPinedInfo*>(info);
    }
    Trace(L"l_Count:", rows);
    const int height = rows * kPaneRowHeight + 2;
    TreeView_UserPind->SetHeight(height);
    return height;
}

void TZelStartMenuFrm::FillFrequent(int base, bool reread, int countLimit, bool setHeight) {
    // The rows point at the manager's records: they go before a refresh frees them, so that nothing drawing or
    // hinting a row in between reads a freed record.
    TreeView_StartProgramLst->Clear();
    if (reread) {
        v_UseProgramManage->Refresh();
    }
    const int count = v_UseProgramManage->Count();
    Trace(L"v_UseProgramManage.Count: ", count);
    const TFrequentRows rows = SelectFrequentRows(
        count,
        [](int index) {
            const TUseProgramInfo* info = v_UseProgramManage->GetItem(index);
            return info != nullptr && v_UserPinedManage->FindByTarget(info->TargetPath) != nullptr;
        },
        base, WorkAreaHeight(), countLimit);
    for (int index : rows.shown) {
        const TUseProgramInfo* info = v_UseProgramManage->GetItem(index);
        TTreeNode* node = TreeView_StartProgramLst->AddChild(nullptr, info->DisplayName, -1);
        node->Data = const_cast<TUseProgramInfo*>(info);
        Trace(L"l_UseProgramInfo:", info->LinkPath, L",", TreeView_StartProgramLst->RootCount());
    }
    if (rows.stoppedAtLimit) {
        return;
    }
    Trace(L"Count: ", rows.reservedRows);
    if (setHeight) {
        TreeView_StartProgramLst->SetHeight(rows.reservedRows * kPaneRowHeight + 4);
    }
    TreeView_StartProgramLst->SetVisible(rows.reservedRows > 0 && viewFlag_ == 0);
}

void TZelStartMenuFrm::FillProgramTree() {
    std::vector<std::unique_ptr<TShellItem>> items;
    v_StartMenuManage->LoadAllPrograms(
        [] {}, [&items](std::unique_ptr<TShellItem> item) { items.push_back(std::move(item)); }, [] {});
    SendMessageW(TreeView_Program->Handle(), WM_SETREDRAW, FALSE, 0);
    bool same = TreeView_Program->RootCount() == items.size();
    for (size_t i = 0; same && i < items.size(); ++i) {
        const TTreeNode& node = *TreeView_Program->Root(i);
        same = node.Text() == NodeText(*items[i]) && node.HasChildren() == (items[i]->Kind == TShellItem::kFolder);
    }
    if (same) {
        // The same top level as last time (the usual case): the rows stay and take the new items, closed and
        // emptied, their pictures asked for again, as a tree filled anew would show them. Deleting and inserting
        // every row costs about a tenth of a millisecond a row under Wine, growing with the tree.
        std::deque<TProgramNodeAdapter> pool;
        for (size_t i = 0; i < items.size(); ++i) {
            TTreeNode& node = *TreeView_Program->Root(i);
            if (node.Count() > 0) {
                node.Collapse();
                pool.emplace_back(*this, pool, node).DeleteChildren();
                node.SetHasChildren(true);  // the control drops the button with the last child
            }
            node.AskImageAgain();
            programItems_[&node] = std::move(items[i]);
        }
        TreeView_Program->ResetView();
    } else {
        TreeView_Program->Clear();
        programItems_.clear();
        for (auto& item : items) {
            TTreeNode* node =
                TreeView_Program->AddChild(nullptr, NodeText(*item), -1, item->Kind == TShellItem::kFolder);
            programItems_[node] = std::move(item);
        }
    }
    SendMessageW(TreeView_Program->Handle(), WM_SETREDRAW, TRUE, 0);
}

void TZelStartMenuFrm::ExpandFolder(TTreeNode& node) {
    std::deque<TProgramNodeAdapter> pool;
    TProgramNodeAdapter& adapter = pool.emplace_back(*this, pool, node);
    v_StartMenuManage->OpenFolderNode(adapter);
}

void TZelStartMenuFrm::PaneIcon(TTreeView& tree, TTreeNode& node) {
    ScopedWow64RedirectionOff redirection;
    int index = -1;
    if (&tree == TreeView_Program) {
        auto found = programItems_.find(&node);
        if (found != programItems_.end() && found->second != nullptr) {
            TShellItem& item = *found->second;
            index = item.ImageIndex >= 0 ? item.ImageIndex : GetItemIconIndex(item);
        }
    } else if (node.Data != nullptr) {
        const std::wstring& link = &tree == TreeView_UserPind ? static_cast<TUserPinedInfo*>(node.Data)->LinkPath
                                                              : static_cast<TUseProgramInfo*>(node.Data)->LinkPath;
        if (&tree == TreeView_UserPind) {
            Trace(L"TUserPinedInfo: ", link);
        }
        index = KeptIconIndex(link, false, [&] { return GetSysIconIndex(link, false, false); });
    }
    node.SetImageIndex(index);
    node.SetSelectedIndex(index);
}

void TZelStartMenuFrm::LaunchLink(const std::wstring& path) {
    if (path.empty()) {
        return;
    }
    v_UseProgramManage->AddLaunchRecord(path);
    {
        ScopedWow64RedirectionOff redirection;
        NotifyShellStart(L"", path, L"");
        ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    HideStartMenu();
}

void TZelStartMenuFrm::PaneClick(TTreeView& tree, int x, int y) {
    OpenNode(tree, tree.NodeAt(x, y));
}

void TZelStartMenuFrm::OpenNode(TTreeView& tree, TTreeNode* node) {
    if (node == nullptr) {
        return;
    }
    if (&tree == RdListViewSearch) {
        if (node->Data != nullptr) {
            const TSearchResultInfo info = *static_cast<TSearchResultInfo*>(node->Data);
            LaunchResult(info, true);
        }
        return;
    }
    if (&tree == TreeView_Program) {
        auto found = programItems_.find(node);
        if (found == programItems_.end() || found->second == nullptr) {
            return;
        }
        TShellItem& item = *found->second;
        if (item.Kind == TShellItem::kFolder) {
            ExpandFolder(*node);
        } else if (item.Kind == TShellItem::kProgram) {
            std::wstring path;
            {
                ScopedWow64RedirectionOff redirection;
                path = GetItemPath(item);
            }
            LaunchLink(path);
        }
        return;
    }
    if (node->Data == nullptr) {
        return;
    }
    LaunchLink(&tree == TreeView_UserPind ? static_cast<TUserPinedInfo*>(node->Data)->LinkPath
                                          : static_cast<TUseProgramInfo*>(node->Data)->LinkPath);
}

void TZelStartMenuFrm::PaneRightClick(TTreeView& tree, int x, int y) {
    TTreeNode* node = tree.NodeAt(x, y);
    if (node == nullptr) {
        return;
    }
    tree.SetSelected(node);
    POINT at{x, y};
    POINT inForm{x, y};
    MapWindowPoints(tree.Handle(), Handle(), &inForm, 1);
    ClientToScreen(tree.Handle(), &at);
    if (&tree == TreeView_Program) {
        auto found = programItems_.find(node);
        if (found == programItems_.end() || found->second == nullptr ||
            found->second->Kind == TShellItem::kPlaceholder) {
            return;
        }
        ScopedWow64RedirectionOff redirection;
        const std::wstring path = GetItemPath(*found->second);
        ShowShellContextMenuForPath(Handle(), path, inForm);
        return;
    }
    if (node->Data == nullptr) {
        return;
    }
    if (&tree == TreeView_UserPind) {
        if (!static_cast<TUserPinedInfo*>(node->Data)->LinkPath.empty()) {
            PopupMenu_UserPin->Popup(at.x, at.y, Handle());
        }
    } else if (!static_cast<TUseProgramInfo*>(node->Data)->LinkPath.empty()) {
        PopupMenu_UsuallySoftware->Popup(at.x, at.y, Handle());
    }
}

void TZelStartMenuFrm::PaneMouseMove(TTreeView& tree, int x, int y) {
    const int pane = &tree == TreeView_UserPind          ? kPinnedPane
                     : &tree == TreeView_StartProgramLst ? kFrequentPane
                                                         : kProgramPane;
    if (lastMouse_[pane] == TPoint{x, y}) {
        return;
    }
    lastMouse_[pane] = {x, y};
    if (pane == kProgramPane) {
        Trace(L"TreeView_ProgramMouseMove");
    }
    TTreeNode* node = tree.NodeAt(x, y);
    if (node == nullptr) {
        tree.SetSelected(nullptr);
        paneHint_.Hide();
        return;
    }
    tree.SetSelected(node);
    if (GetFocus() != tree.Handle()) {
        SetFocus(tree.Handle());
    }
    const TRect text = node->DisplayRect(true);
    const TRect row = node->DisplayRect(false);
    tree.SetHint(text.Right + text.Left >= row.Right ? node->Text() : std::wstring());
    if (pane != kProgramPane) {
        POINT at{x, y};
        ClientToScreen(tree.Handle(), &at);
        paneHint_.ActivateHint(Handle(), tree.Hint(), POINT{at.x + 12, at.y + 20});
    }
}

void TZelStartMenuFrm::SetSwitchHighlight(bool on) {
    for (TImageNote* piece : ImageNote_Program) {
        piece->SetImageIndex(on ? 0 : -1);
    }
}

void TZelStartMenuFrm::SwitchView() {
    if (viewFlag_ == 0) {
        viewFlag_ = 1;
        TreeView_StartProgramLst->SetVisible(false);
        TreeView_Program->SetVisible(true);
        lbl_Program->SetCaption(backText_);
        Image_ProgramLogo->SetImageIndex(1);
        TreeView_UserPind->SetVisible(false);
        Pnl_Step1->SetVisible(false);
    } else {
        viewFlag_ = 0;
        TreeView_StartProgramLst->SetVisible(true);
        TreeView_Program->SetVisible(false);
        lbl_Program->SetCaption(allProgramsText_);
        Image_ProgramLogo->SetImageIndex(0);
        const bool pins = TreeView_UserPind->RootCount() > 0;
        TreeView_UserPind->SetVisible(pins);
        Pnl_Step1->SetVisible(pins);
    }
}

void TZelStartMenuFrm::UnpinSelected() {
    TTreeNode* node = TreeView_UserPind->Selected();
    if (node == nullptr || node->Data == nullptr) {
        return;
    }
    v_UserPinedManage->Unpin(*static_cast<const TUserPinedInfo*>(node->Data));
    LockWindowUpdate(Handle());
    const int before = TreeView_UserPind->Height();
    const int frequentTop = TreeView_StartProgramLst->Top();
    TreeView_UserPind->Clear();
    TreeView_StartProgramLst->Clear();
    Trace(L"TreeView_UserPind.Height: ", before);
    const int after = FillPinned(kPinnedBase, true);
    Trace(L"TreeView_UserPind.Height: ", after);
    if (after < before) {
        // The room the pin leaves goes to the frequent pane: it grows by as much as its top moves up.
        const int top = FrequentPaneTop(TreeView_UserPind->Top(), after, TreeView_UserPind->RootCount() > 0);
        TreeView_StartProgramLst->SetHeight(
            FrequentHeightAfterUnpin(frequentTop, TreeView_StartProgramLst->Height(), top));
    }
    FillFrequent(after + kPinnedBase, true, -1, false);
    ApplyLeftPane(false);
    LockWindowUpdate(nullptr);
    PositionWindow();
    InvalidateRect(ClientArea());
}

void TZelStartMenuFrm::PinSelectedFrequent() {
    TTreeNode* node = TreeView_StartProgramLst->Selected();
    if (node == nullptr || node->Data == nullptr) {
        return;
    }
    const auto* info = static_cast<const TUseProgramInfo*>(node->Data);
    LockWindowUpdate(Handle());
    v_UserPinedManage->PinProgram(info->TargetPath, node->Text());
    const int count = static_cast<int>(TreeView_StartProgramLst->RootCount());
    TreeView_UserPind->Clear();
    TreeView_StartProgramLst->Clear();
    const int after = FillPinned(kPinnedBase, true);
    if (TreeView_UserPind->RootCount() > 0) {
        // The frequent pane gives the pinned one its room: from its new top down to the separator as it was.
        const int top = FrequentPaneTop(TreeView_UserPind->Top(), after, true);
        const TFrequentPane pane = FrequentPaneAfterPin(Pnl_Step2->Top(), top);
        TreeView_StartProgramLst->SetHeight(pane.Height);
        TreeView_StartProgramLst->SetVisible(pane.Visible && viewFlag_ == 0);
    }
    Trace(L"befor: ", count);
    FillFrequent(after + kPinnedBase, true, count - 1, false);
    Trace(L"after: ", TreeView_StartProgramLst->RootCount());
    ApplyLeftPane(false);
    LockWindowUpdate(nullptr);
    PositionWindow();
    InvalidateRect(ClientArea());
}

void TZelStartMenuFrm::RemoveSelectedFrequent() {
    TTreeNode* node = TreeView_StartProgramLst->Selected();
    if (node == nullptr || node->Data == nullptr) {
        return;
    }
    v_UseProgramManage->RemoveEntry(*static_cast<const TUseProgramInfo*>(node->Data));
    TreeView_StartProgramLst->Delete(node);
    SendMessageW(TreeView_StartProgramLst->Handle(), WM_SETREDRAW, FALSE, 0);
    FillFrequent(TreeView_UserPind->Height() + kPinnedBase, true, -1, false);
    SendMessageW(TreeView_StartProgramLst->Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(TreeView_StartProgramLst->Handle(), nullptr, TRUE);
}

}  // namespace tessaline
