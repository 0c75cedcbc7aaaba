#include "controls/TreeViewWin.h"

#include <algorithm>

#include "base/Trace.h"
#include "controls/ImageListWin.h"

namespace tessaline {

void TTreeNode::SetText(const std::wstring& text) {
    text_ = text;
    tree_->UpdateItem(*this, TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int index) {
    imageIndex_ = index;
    imageAsked_ = true;
    tree_->UpdateItem(*this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
    selectedIndex_ = index;
    tree_->UpdateItem(*this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::AskImageAgain() {
    imageAsked_ = false;
    if (tree_->Handle() != nullptr && item_ != nullptr && tree_->OnGetImageIndex) {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = item_;
        item.iImage = I_IMAGECALLBACK;
        item.iSelectedImage = I_IMAGECALLBACK;
        TreeView_SetItem(tree_->Handle(), &item);
    }
}

void TTreeNode::SetHasChildren(bool value) {
    hasChildren_ = value;
    tree_->UpdateItem(*this, TVIF_CHILDREN);
}

bool TTreeNode::Expanded() const {
    if (tree_->Handle() == nullptr || item_ == nullptr) {
        return false;
    }
    return (TreeView_GetItemState(tree_->Handle(), item_, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand() {
    if (tree_->Handle() != nullptr && item_ != nullptr) {
        TreeView_Expand(tree_->Handle(), item_, TVE_EXPAND);
    }
}

void TTreeNode::Collapse() {
    if (tree_->Handle() != nullptr && item_ != nullptr) {
        TreeView_Expand(tree_->Handle(), item_, TVE_COLLAPSE);
    }
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    RECT r{};
    if (tree_->Handle() == nullptr || item_ == nullptr ||
        !TreeView_GetItemRect(tree_->Handle(), item_, &r, textOnly ? TRUE : FALSE)) {
        return {};
    }
    return {r.left, r.top, r.right, r.bottom};
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
    clearing_ = true;
}

DWORD TTreeView::WindowStyle() const {
    DWORD style = WS_CHILD | WS_TABSTOP;
    style |= ShowLines ? TVS_HASLINES : 0;
    style |= ShowButtons ? TVS_HASBUTTONS : 0;
    style |= ShowRoot ? TVS_LINESATROOT : 0;
    style |= HotTrack ? TVS_TRACKSELECT : 0;
    style |= RowSelect ? TVS_FULLROWSELECT : 0;
    style |= ToolTips ? 0 : TVS_NOTOOLTIPS;
    return style | TVS_SHOWSELALWAYS;
}

void TTreeView::HandleCreated() {
    if (images_ != nullptr) {
        TreeView_SetImageList(Handle(), images_->Handle(), TVSIL_NORMAL);
    }
    if (itemHeight_ > 0) {
        TreeView_SetItemHeight(Handle(), itemHeight_);
    }
    std::vector<TTreeNode*> nodes;
    Flatten(nodes);
    for (TTreeNode* node : nodes) {
        InsertItem(*node);
    }
}

void TTreeView::InsertItem(TTreeNode& node) {
    if (Handle() == nullptr) {
        return;
    }
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent_ != nullptr ? node.parent_->item_ : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(node.text_.c_str());
    // Images are asked for when the item is first drawn, unless the node already has one.
    insert.item.iImage = OnGetImageIndex && !node.imageAsked_ ? I_IMAGECALLBACK : node.imageIndex_;
    insert.item.iSelectedImage = OnGetImageIndex && !node.imageAsked_ ? I_IMAGECALLBACK : node.selectedIndex_;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    insert.item.cChildren = node.hasChildren_ || !node.children_.empty() ? 1 : 0;
    node.item_ = TreeView_InsertItem(Handle(), &insert);
    if (node.item_ == nullptr) {
        Trace(L"TTreeView: TVM_INSERTITEMW failed: ", Name());
    }
}

void TTreeView::UpdateItem(TTreeNode& node, UINT mask) {
    if (Handle() == nullptr || node.item_ == nullptr ||
        (&node == answering_ && (mask & ~(TVIF_IMAGE | TVIF_SELECTEDIMAGE)) == 0)) {
        return;
    }
    TVITEMW item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = node.item_;
    item.pszText = const_cast<wchar_t*>(node.text_.c_str());
    item.iImage = node.imageIndex_;
    item.iSelectedImage = node.selectedIndex_ >= 0 ? node.selectedIndex_ : node.imageIndex_;
    item.cChildren = node.hasChildren_ || !node.children_.empty() ? 1 : 0;
    if (mask & TVIF_IMAGE) {
        item.mask |= TVIF_SELECTEDIMAGE;
    }
    TreeView_SetItem(Handle(), &item);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::wstring& text, int imageIndex, bool hasChildren) {
    auto& list = parent != nullptr ? parent->children_ : roots_;
    auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this, parent));
    node->text_ = text;
    node->hasChildren_ = hasChildren;
    node->imageIndex_ = imageIndex;
    node->selectedIndex_ = imageIndex;
    node->imageAsked_ = imageIndex >= 0;
    TTreeNode* raw = node.get();
    list.push_back(std::move(node));
    if (Handle() != nullptr && (parent == nullptr || parent->item_ != nullptr)) {
        InsertItem(*raw);
        if (parent != nullptr && parent->children_.size() == 1) {
            UpdateItem(*parent, TVIF_CHILDREN);
        }
    }
    return raw;
}

void TTreeView::Delete(TTreeNode* node) {
    if (node == nullptr) {
        return;
    }
    if (Handle() != nullptr && node->item_ != nullptr) {
        TreeView_DeleteItem(Handle(), node->item_);
    }
    auto& list = node->parent_ != nullptr ? node->parent_->children_ : roots_;
    std::erase_if(list, [node](const std::unique_ptr<TTreeNode>& p) { return p.get() == node; });
}

void TTreeView::Clear() {
    clearing_ = true;
    if (Handle() != nullptr) {
        TreeView_DeleteAllItems(Handle());
    }
    roots_.clear();
    clearing_ = false;
}

void TTreeView::ResetView() {
    if (Handle() == nullptr) {
        return;
    }
    TreeView_SelectItem(Handle(), nullptr);
    SendMessageW(Handle(), WM_VSCROLL, SB_TOP, 0);
    SendMessageW(Handle(), WM_HSCROLL, SB_LEFT, 0);
}

TTreeNode* TTreeView::FromHandle(HTREEITEM item) const {
    if (Handle() == nullptr || item == nullptr) {
        return nullptr;
    }
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    if (!TreeView_GetItem(Handle(), &data)) {
        return nullptr;
    }
    return reinterpret_cast<TTreeNode*>(data.lParam);
}

TTreeNode* TTreeView::Selected() const {
    return Handle() != nullptr ? FromHandle(TreeView_GetSelection(Handle())) : nullptr;
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (Handle() != nullptr) {
        TreeView_SelectItem(Handle(), node != nullptr ? node->item_ : nullptr);
    }
}

TTreeNode* TTreeView::NodeAt(int x, int y) const {
    if (Handle() == nullptr) {
        return nullptr;
    }
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    HTREEITEM item = TreeView_HitTest(Handle(), &hit);
    return item != nullptr && (hit.flags & TVHT_ONITEM) != 0 ? FromHandle(item) : nullptr;
}

TTreeNode* TTreeView::TopItem() const {
    return Handle() != nullptr ? FromHandle(TreeView_GetFirstVisible(Handle())) : nullptr;
}

void TTreeView::SetTopItem(TTreeNode* node) {
    if (Handle() != nullptr && node != nullptr) {
        TreeView_Select(Handle(), node->item_, TVGN_FIRSTVISIBLE);
    }
}

void TTreeView::SetItemHeight(int height) {
    itemHeight_ = height;
    if (Handle() != nullptr) {
        TreeView_SetItemHeight(Handle(), height);
    }
}

void TTreeView::SetImages(TImageList* images) {
    images_ = images;
    if (Handle() != nullptr) {
        TreeView_SetImageList(Handle(), images != nullptr ? images->Handle() : nullptr, TVSIL_NORMAL);
    }
}

void TTreeView::Flatten(std::vector<TTreeNode*>& out) const {
    const std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<TTreeNode>>& nodes) {
            for (const auto& node : nodes) {
                out.push_back(node.get());
                walk(node->children_);
            }
        };
    walk(roots_);
}

size_t TTreeView::ItemCount() const {
    std::vector<TTreeNode*> nodes;
    Flatten(nodes);
    return nodes.size();
}

std::wstring TTreeView::ItemText(size_t index) const {
    std::vector<TTreeNode*> nodes;
    Flatten(nodes);
    return index < nodes.size() ? nodes[index]->Text() : std::wstring();
}

void TTreeView::SetItemText(size_t index, const std::wstring& text) {
    std::vector<TTreeNode*> nodes;
    Flatten(nodes);
    if (index < nodes.size()) {
        nodes[index]->SetText(text);
    }
}

bool TTreeView::Notify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case TVN_SELCHANGEDW: {
            auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
            if (OnChange && !clearing_) {
                OnChange(*this, reinterpret_cast<TTreeNode*>(change.itemNew.lParam));
            }
            return true;
        }
        case TVN_ITEMEXPANDINGW: {
            auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
            auto* node = reinterpret_cast<TTreeNode*>(change.itemNew.lParam);
            bool allow = true;
            if (node != nullptr && change.action == TVE_EXPAND && OnExpanding) {
                OnExpanding(*this, *node, allow);
            }
            result = allow ? FALSE : TRUE;
            return true;
        }
        case TVN_ITEMEXPANDEDW: {
            auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
            auto* node = reinterpret_cast<TTreeNode*>(change.itemNew.lParam);
            if (node != nullptr && change.action == TVE_COLLAPSE && OnCollapsed) {
                OnCollapsed(*this, *node);
            }
            return true;
        }
        case TVN_GETDISPINFOW: {
            auto& info = reinterpret_cast<NMTVDISPINFOW&>(header);
            auto* node = reinterpret_cast<TTreeNode*>(info.item.lParam);
            if (node == nullptr) {
                return true;
            }
            if (!node->imageAsked_) {
                node->imageAsked_ = true;
                if (OnGetImageIndex) {
                    answering_ = node;
                    OnGetImageIndex(*this, *node);
                    answering_ = nullptr;
                }
            }
            if (info.item.mask & TVIF_IMAGE) {
                info.item.iImage = node->imageIndex_;
            }
            if (info.item.mask & TVIF_SELECTEDIMAGE) {
                info.item.iSelectedImage = node->selectedIndex_ >= 0 ? node->selectedIndex_ : node->imageIndex_;
            }
            // Answered once: the control keeps these from now on.
            info.item.mask |= TVIF_DI_SETITEM;
            return true;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMTVCUSTOMDRAW&>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = OnCustomDraw ? OnCustomDraw(*this, draw)
                                      : (OnCustomDrawItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT);
                return true;
            }
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawItem) {
                auto* node = reinterpret_cast<TTreeNode*>(draw.nmcd.lItemlParam);
                result = node != nullptr ? OnCustomDrawItem(*this, *node, draw) : CDRF_DODEFAULT;
                return true;
            }
            return false;
        }
        case NM_CLICK:
            Click();
            return false;
        case NM_DBLCLK:
            DblClick();
            return false;
        default:
            return false;
    }
}

}  // namespace tessaline
