#include "startmenu/ProgramPanesRegionWin.h"

#include <windows.h>

#include <shellapi.h>

#include <deque>
#include <utility>
#include <vector>

#include "base/Trace.h"
#include "catalogue/PaneRows.h"
#include "catalogue/ShellItems.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"
#include "controls/FormWin.h"
#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PopupMenuWin.h"
#include "controls/TreeViewWin.h"
#include "startmenu/StartMenuLayout.h"
#include "system/HelperProtocol.h"
#include "system/LaunchWin.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"

namespace tessaline {

namespace {

constexpr int kPinnedBase = 95;

// The records the pinned and frequent rows carry (copies: see TTreeNode::SetValue).
const TUserPinedInfo* PinnedRow(const TTreeNode* node) {
    return node != nullptr ? node->Value<TUserPinedInfo>() : nullptr;
}

const TUseProgramInfo* FrequentRow(const TTreeNode* node) {
    return node != nullptr ? node->Value<TUseProgramInfo>() : nullptr;
}

// A pinned or frequent row's shortcut; null for a row without a record.
const std::wstring* RowLink(const TTreeNode* node) {
    if (const TUserPinedInfo* pinned = PinnedRow(node)) {
        return &pinned->LinkPath;
    }
    const TUseProgramInfo* frequent = FrequentRow(node);
    return frequent != nullptr ? &frequent->LinkPath : nullptr;
}

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
    TProgramNodeAdapter(TProgramPanesRegion& panes, std::deque<TProgramNodeAdapter>& pool, TTreeNode& node)
        : panes_(panes), pool_(pool), node_(node) {}

    TShellItem* Item() override {
        auto found = panes_.programItems_.find(&node_);
        return found != panes_.programItems_.end() ? found->second.get() : nullptr;
    }
    IProgramTreeNode* Parent() override {
        return node_.Parent() != nullptr ? &pool_.emplace_back(panes_, pool_, *node_.Parent()) : nullptr;
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
        panes_.programItems_[child] = std::move(item);
        return &pool_.emplace_back(panes_, pool_, *child);
    }
    size_t ChildCount() const override { return node_.Count(); }
    IProgramTreeNode* Child(size_t index) override {
        TTreeNode* child = node_.Item(index);
        return child != nullptr ? &pool_.emplace_back(panes_, pool_, *child) : nullptr;
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
        panes_.programItems_.erase(&node);
    }

    TProgramPanesRegion& panes_;
    std::deque<TProgramNodeAdapter>& pool_;
    TTreeNode& node_;
};

TProgramPanesRegion::TProgramPanesRegion(TForm& form, TControls controls, TCalls calls)
    : form_(form), controls_(controls), calls_(std::move(calls)) {
    controls_.Pinned->SetImages(controls_.LargeIcons);
    controls_.Frequent->SetImages(controls_.LargeIcons);
    controls_.Programs->SetImages(controls_.SmallIcons);
    controls_.Pinned->SetItemHeight(40);
    controls_.Frequent->SetItemHeight(40);
    controls_.Programs->SetItemHeight(20);

    for (TTreeView* each : {controls_.Pinned, controls_.Frequent, controls_.Programs}) {
        TTreeView& tree = *each;
        const bool list = &tree != controls_.Programs;  // the pinned and frequent panes
        tree.OnGetImageIndex = [this](TTreeView& sender, TTreeNode& node) { PaneIcon(sender, node); };
        tree.OnClick = [this, &tree](TControl&) {
            POINT at{};
            GetCursorPos(&at);
            ScreenToClient(tree.Handle(), &at);
            Open(tree, tree.NodeAt(at.x, at.y));
        };
        tree.OnMouseDown = [this, &tree](TControl&, TMouseButton button, TShiftState, int x, int y) {
            calls_.EndHover();
            if (button == TMouseButton::Right) {
                PaneRightClick(tree, x, y);
            }
        };
        tree.OnMouseMove = [this, &tree](TControl&, TShiftState, int x, int y) { PaneMouseMove(tree, x, y); };
        if (list) {
            tree.OnMouseLeave = [this](TControl&) { hint_.Hide(); };
            // Their hint comes at once (below); the control's own delayed tooltip would show the same text again.
            SendMessageW(tree.Handle(), TVM_SETTOOLTIPS, 0, 0);
        }
        const bool sizedToFit = list;
        tree.OnCustomDraw = [sizedToFit](TTreeView& sender, NMTVCUSTOMDRAW&) -> LRESULT {
            // The panes scroll with the keyboard only; the pinned and frequent ones are sized to fit.
            ShowScrollBar(sender.Handle(), SB_HORZ, FALSE);
            if (sizedToFit) {
                ShowScrollBar(sender.Handle(), SB_VERT, FALSE);
            }
            return CDRF_DODEFAULT;
        };
    }

    for (TControl* piece : {static_cast<TControl*>(controls_.SwitchLabel), static_cast<TControl*>(controls_.SwitchLogo),
                            static_cast<TControl*>(controls_.Switch[0]), static_cast<TControl*>(controls_.Switch[1]),
                            static_cast<TControl*>(controls_.Switch[2])}) {
        piece->OnClick = [this](TControl&) {
            calls_.EndHover();
            SwitchView();
        };
        piece->OnMouseEnter = [this](TControl&) { SetSwitchHighlight(true); };
        piece->OnMouseLeave = [this](TControl&) { SetSwitchHighlight(false); };
    }
    SetSwitchHighlight(false);

    SetUpMenus();
}

TProgramPanesRegion::~TProgramPanesRegion() = default;

void TProgramPanesRegion::SetUpMenus() {
    const auto item = [this](const wchar_t* name) { return dynamic_cast<TMenuItem*>(form_.FindComponent(name)); };
    const auto selected = [](TTreeView* tree) -> TTreeNode* { return tree != nullptr ? tree->Selected() : nullptr; };
    if (TMenuItem* runAs = item(L"Menu_Userpin_RunsAdmin")) {
        runAs->OnClick = [this, selected](TMenuItem&) {
            if (const TUserPinedInfo* info = PinnedRow(selected(controls_.Pinned))) {
                v_UseProgramManage->AddLaunchRecord(info->LinkPath);
                RunAsAdmin(nullptr, info->LinkPath, L"");
                calls_.HideMenu();
            }
        };
    }
    if (TMenuItem* runAs = item(L"Menu_UsuallySoftware_RunAsAdmin")) {
        runAs->OnClick = [this, selected](TMenuItem&) {
            if (const TUseProgramInfo* info = FrequentRow(selected(controls_.Frequent))) {
                v_UseProgramManage->AddLaunchRecord(info->LinkPath);
                RunAsAdmin(nullptr, info->LinkPath, L"");
                calls_.HideMenu();
            }
        };
    }
    if (TMenuItem* pin = item(L"Menu_Userpin_Manage")) {
        pin->OnClick = [selected, this](TMenuItem&) {
            if (const TUserPinedInfo* info = PinnedRow(selected(controls_.Pinned))) {
                v_UserPinedManage->PinToTaskbar(info->TargetPath, FileNameWithoutExtension(info->TargetPath));
            }
        };
    }
    if (TMenuItem* pin = item(L"Menu_UsuallySoftware_PinManage")) {
        pin->OnClick = [selected, this](TMenuItem&) {
            if (const TUseProgramInfo* info = FrequentRow(selected(controls_.Frequent))) {
                v_UserPinedManage->PinToTaskbar(info->TargetPath, FileNameWithoutExtension(info->TargetPath));
            }
        };
    }
    if (TMenuItem* properties = item(L"Menu_Userpin_property")) {
        properties->OnClick = [selected, this](TMenuItem&) {
            if (const TUserPinedInfo* info = PinnedRow(selected(controls_.Pinned))) {
                ShowFileProperties(info->TargetPath);
                calls_.HideMenu();
            }
        };
    }
    if (TMenuItem* properties = item(L"Menu_UsuallySoftware_Property")) {
        properties->OnClick = [selected, this](TMenuItem&) {
            if (const TUseProgramInfo* info = FrequentRow(selected(controls_.Frequent))) {
                ShowFileProperties(info->TargetPath);
                calls_.HideMenu();
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

int TProgramPanesRegion::FillPinned(int base, bool reread) {
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
        TTreeNode* node = controls_.Pinned->AddChild(nullptr, info->DisplayName, -1);
        node->SetValue(*info);
    }
    Trace(L"l_Count:", rows);
    const int height = rows * kPaneRowHeight + 2;
    controls_.Pinned->SetHeight(height);
    return height;
}

void TProgramPanesRegion::FillFrequent(int base, bool reread, int countLimit, bool setHeight) {
    // The rows carry copies of the manager's records; they go first all the same, so that nothing drawing or
    // hinting a row while the list is read again shows a row the new list may no longer hold.
    controls_.Frequent->Clear();
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
        TTreeNode* node = controls_.Frequent->AddChild(nullptr, info->DisplayName, -1);
        node->SetValue(*info);
        Trace(L"l_UseProgramInfo:", info->LinkPath, L",", controls_.Frequent->RootCount());
    }
    if (rows.stoppedAtLimit) {
        return;
    }
    Trace(L"Count: ", rows.reservedRows);
    if (setHeight) {
        controls_.Frequent->SetHeight(rows.reservedRows * kPaneRowHeight + 4);
    }
    controls_.Frequent->SetVisible(rows.reservedRows > 0 && viewFlag_ == 0);
}

void TProgramPanesRegion::FillProgramTree() {
    std::vector<std::unique_ptr<TShellItem>> items;
    v_StartMenuManage->LoadAllPrograms(
        [] {}, [&items](std::unique_ptr<TShellItem> item) { items.push_back(std::move(item)); }, [] {});
    SendMessageW(controls_.Programs->Handle(), WM_SETREDRAW, FALSE, 0);
    bool same = controls_.Programs->RootCount() == items.size();
    for (size_t i = 0; same && i < items.size(); ++i) {
        const TTreeNode& node = *controls_.Programs->Root(i);
        same = node.Text() == NodeText(*items[i]) && node.HasChildren() == (items[i]->Kind == TShellItem::kFolder);
    }
    if (same) {
        // The same top level as last time (the usual case): the rows stay and take the new items, closed and
        // emptied, their pictures asked for again, as a tree filled anew would show them. Deleting and inserting
        // every row costs about a tenth of a millisecond a row under Wine, growing with the tree.
        std::deque<TProgramNodeAdapter> pool;
        for (size_t i = 0; i < items.size(); ++i) {
            TTreeNode& node = *controls_.Programs->Root(i);
            if (node.Count() > 0) {
                node.Collapse();
                pool.emplace_back(*this, pool, node).DeleteChildren();
                node.SetHasChildren(true);  // the control drops the button with the last child
            }
            node.AskImageAgain();
            programItems_[&node] = std::move(items[i]);
        }
        controls_.Programs->ResetView();
    } else {
        controls_.Programs->Clear();
        programItems_.clear();
        for (auto& item : items) {
            TTreeNode* node =
                controls_.Programs->AddChild(nullptr, NodeText(*item), -1, item->Kind == TShellItem::kFolder);
            programItems_[node] = std::move(item);
        }
    }
    SendMessageW(controls_.Programs->Handle(), WM_SETREDRAW, TRUE, 0);
}

void TProgramPanesRegion::ExpandFolder(TTreeNode& node) {
    std::deque<TProgramNodeAdapter> pool;
    TProgramNodeAdapter& adapter = pool.emplace_back(*this, pool, node);
    v_StartMenuManage->OpenFolderNode(adapter);
}

void TProgramPanesRegion::PaneIcon(TTreeView& tree, TTreeNode& node) {
    ScopedWow64RedirectionOff redirection;
    int index = -1;
    if (&tree == controls_.Programs) {
        auto found = programItems_.find(&node);
        if (found != programItems_.end() && found->second != nullptr) {
            TShellItem& item = *found->second;
            index = item.ImageIndex >= 0 ? item.ImageIndex : GetItemIconIndex(item);
        }
    } else if (const std::wstring* row = RowLink(&node)) {
        const std::wstring& link = *row;
        if (&tree == controls_.Pinned) {
            Trace(L"TUserPinedInfo: ", link);
        }
        index = KeptIconIndex(link, false, [&] { return GetSysIconIndex(link, false, false); });
    }
    node.SetImageIndex(index);
    node.SetSelectedIndex(index);
}

void TProgramPanesRegion::LaunchLink(const std::wstring& path) {
    if (path.empty()) {
        return;
    }
    v_UseProgramManage->AddLaunchRecord(path);
    ShellLaunch(nullptr, nullptr, path, {}, SW_SHOWNORMAL, TRedirection::Off);
    calls_.HideMenu();
}

void TProgramPanesRegion::Open(TTreeView& tree, TTreeNode* node) {
    if (node == nullptr) {
        return;
    }
    if (&tree == controls_.Programs) {
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
    if (const std::wstring* link = RowLink(node)) {
        LaunchLink(*link);
    }
}

void TProgramPanesRegion::PaneRightClick(TTreeView& tree, int x, int y) {
    TTreeNode* node = tree.NodeAt(x, y);
    if (node == nullptr) {
        return;
    }
    tree.SetSelected(node);
    POINT at{x, y};
    POINT inForm{x, y};
    MapWindowPoints(tree.Handle(), form_.Handle(), &inForm, 1);
    ClientToScreen(tree.Handle(), &at);
    if (&tree == controls_.Programs) {
        auto found = programItems_.find(node);
        if (found == programItems_.end() || found->second == nullptr ||
            found->second->Kind == TShellItem::kPlaceholder) {
            return;
        }
        ScopedWow64RedirectionOff redirection;
        const std::wstring path = GetItemPath(*found->second);
        ShowShellContextMenuForPath(form_.Handle(), path, inForm);
        return;
    }
    const std::wstring* link = RowLink(node);
    if (link == nullptr || link->empty()) {
        return;
    }
    (&tree == controls_.Pinned ? controls_.PinnedMenu : controls_.FrequentMenu)->Popup(at.x, at.y, form_.Handle());
}

void TProgramPanesRegion::PaneMouseMove(TTreeView& tree, int x, int y) {
    const TPane pane = PaneOf(tree);
    if (!pointer_.Moved(pane, {x, y})) {
        return;
    }
    if (pane == TPane::AllPrograms) {
        Trace(L"TreeView_ProgramMouseMove");
    }
    TTreeNode* node = tree.NodeAt(x, y);
    if (node == nullptr) {
        tree.SetSelected(nullptr);
        hint_.Hide();
        return;
    }
    tree.SetSelected(node);
    if (GetFocus() != tree.Handle()) {
        SetFocus(tree.Handle());
    }
    const TRect text = node->DisplayRect(true);
    const TRect row = node->DisplayRect(false);
    tree.SetHint(text.Right + text.Left >= row.Right ? node->Text() : std::wstring());
    if (pane != TPane::AllPrograms) {
        POINT at{x, y};
        ClientToScreen(tree.Handle(), &at);
        hint_.ActivateHint(form_.Handle(), tree.Hint(), POINT{at.x + 12, at.y + 20});
    }
}

void TProgramPanesRegion::SetSwitchHighlight(bool on) {
    for (TImageNote* piece : controls_.Switch) {
        piece->SetImageIndex(on ? 0 : -1);
    }
}

void TProgramPanesRegion::SwitchView() {
    viewFlag_ = viewFlag_ == 0 ? 1 : 0;
    ShowTrees();
    ShowSwitchCaption();
    controls_.SwitchLogo->SetImageIndex(viewFlag_);
}

void TProgramPanesRegion::UnpinSelected() {
    const TUserPinedInfo* info = PinnedRow(controls_.Pinned->Selected());
    if (info == nullptr) {
        return;
    }
    v_UserPinedManage->Unpin(*info);
    LockWindowUpdate(form_.Handle());
    const int before = controls_.Pinned->Height();
    const int frequentTop = controls_.Frequent->Top();
    controls_.Pinned->Clear();
    controls_.Frequent->Clear();
    Trace(L"TreeView_UserPind.Height: ", before);
    const int after = FillPinned(kPinnedBase, true);
    Trace(L"TreeView_UserPind.Height: ", after);
    if (after < before) {
        // The room the pin leaves goes to the frequent pane: it grows by as much as its top moves up.
        const int top = FrequentPaneTop(controls_.Pinned->Top(), after, controls_.Pinned->RootCount() > 0);
        controls_.Frequent->SetHeight(FrequentHeightAfterUnpin(frequentTop, controls_.Frequent->Height(), top));
    }
    FillFrequent(after + kPinnedBase, true, -1, false);
    calls_.LayOut(false);
    LockWindowUpdate(nullptr);
    calls_.Reposition();
    calls_.Invalidate();
}

void TProgramPanesRegion::PinSelectedFrequent() {
    TTreeNode* node = controls_.Frequent->Selected();
    const TUseProgramInfo* info = FrequentRow(node);
    if (info == nullptr) {
        return;
    }
    LockWindowUpdate(form_.Handle());
    v_UserPinedManage->PinProgram(info->TargetPath, node->Text());
    const int count = static_cast<int>(controls_.Frequent->RootCount());
    controls_.Pinned->Clear();
    controls_.Frequent->Clear();
    const int after = FillPinned(kPinnedBase, true);
    if (controls_.Pinned->RootCount() > 0) {
        // The frequent pane gives the pinned one its room: from its new top down to the separator as it was.
        const int top = FrequentPaneTop(controls_.Pinned->Top(), after, true);
        const TFrequentPane pane = FrequentPaneAfterPin(controls_.SwitchSeparator->Top(), top);
        controls_.Frequent->SetHeight(pane.Height);
        controls_.Frequent->SetVisible(pane.Visible && viewFlag_ == 0);
    }
    Trace(L"befor: ", count);
    FillFrequent(after + kPinnedBase, true, count - 1, false);
    Trace(L"after: ", controls_.Frequent->RootCount());
    calls_.LayOut(false);
    LockWindowUpdate(nullptr);
    calls_.Reposition();
    calls_.Invalidate();
}

void TProgramPanesRegion::RemoveSelectedFrequent() {
    TTreeNode* node = controls_.Frequent->Selected();
    if (const TUseProgramInfo* info = FrequentRow(node)) {
        v_UseProgramManage->RemoveEntry(*info);
    } else {
        return;
    }
    controls_.Frequent->Delete(node);
    SendMessageW(controls_.Frequent->Handle(), WM_SETREDRAW, FALSE, 0);
    FillFrequent(controls_.Pinned->Height() + kPinnedBase, true, -1, false);
    SendMessageW(controls_.Frequent->Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(controls_.Frequent->Handle(), nullptr, TRUE);
}

void TProgramPanesRegion::ShowTrees() {
    const TPaneVisibility shown = PaneVisibility(static_cast<TPaneView>(viewFlag_), controls_.Pinned->RootCount() > 0);
    // What goes, goes first: no moment shows both views' trees at once.
    const std::pair<TControl*, bool> each[] = {{controls_.Pinned, shown.Pinned},
                                               {controls_.PinnedSeparator, shown.PinnedSeparator},
                                               {controls_.Frequent, shown.Frequent},
                                               {controls_.Programs, shown.AllPrograms}};
    for (const bool visible : {false, true}) {
        for (const auto& [control, show] : each) {
            if (show == visible) {
                control->SetVisible(visible);
            }
        }
    }
}

TPane TProgramPanesRegion::PaneOf(const TTreeView& tree) const {
    return &tree == controls_.Pinned     ? TPane::Pinned
           : &tree == controls_.Frequent ? TPane::Frequent
                                         : TPane::AllPrograms;
}

int TProgramPanesRegion::WorkAreaHeight() const {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work.bottom - work.top;
}

int TProgramPanesRegion::Fill(int pinnedTop) {
    SendMessageW(controls_.Pinned->Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(controls_.Frequent->Handle(), WM_SETREDRAW, FALSE, 0);
    TTreeView& frequent = *controls_.Frequent;
    frequent.SetBounds(frequent.Left(), frequent.Top(), frequent.Width(), 404);
    controls_.Pinned->Clear();
    frequent.Clear();
    Trace(L"LoadProgram");
    FillProgramTree();
    Trace(L"GetUserPinSoftwareList");
    const int pinnedHeight = FillPinned(pinnedTop, true);
    Trace(L"GetUsuallySoftwareList");
    FillFrequent(pinnedHeight + pinnedTop, true, -1, true);
    return pinnedHeight;
}

void TProgramPanesRegion::Showing() {
    if (viewFlag_ == 1) {
        SwitchView();
    }
    controls_.SwitchLabel->SetCaption(allProgramsText_);
    if (controls_.Pinned->Visible() && controls_.Pinned->RootCount() > 0) {
        controls_.Pinned->SetSelected(controls_.Pinned->Root(0));
    } else if (controls_.Frequent->RootCount() > 0) {
        controls_.Frequent->SetSelected(controls_.Frequent->Root(0));
    }
    SendMessageW(controls_.Pinned->Handle(), WM_SETREDRAW, TRUE, 0);
    SendMessageW(controls_.Frequent->Handle(), WM_SETREDRAW, TRUE, 0);
}

void TProgramPanesRegion::RememberPointer() {
    POINT screen{};
    if (!GetCursorPos(&screen)) {
        return;
    }
    for (TTreeView* tree : {controls_.Pinned, controls_.Frequent, controls_.Programs}) {
        POINT at = screen;
        if (tree->Handle() != nullptr && ScreenToClient(tree->Handle(), &at)) {
            pointer_.Remember(PaneOf(*tree), {at.x, at.y});
        }
    }
}

void TProgramPanesRegion::HideHint() {
    hint_.Hide();
}

bool TProgramPanesRegion::SwitchHighlighted() const {
    return controls_.Switch[1]->ImageIndex() == 0;
}

void TProgramPanesRegion::SetSwitchTexts(const std::wstring& allPrograms, const std::wstring& back) {
    allProgramsText_ = allPrograms;
    backText_ = back;
}

void TProgramPanesRegion::ShowSwitchCaption() {
    controls_.SwitchLabel->SetCaption(viewFlag_ == 0 ? allProgramsText_ : backText_);
}

const TShellItem* TProgramPanesRegion::ItemOf(const TTreeNode& node) const {
    const auto found = programItems_.find(&node);
    return found != programItems_.end() ? found->second.get() : nullptr;
}

}  // namespace tessaline
