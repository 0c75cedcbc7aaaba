#pragma once
// A tree view over the real SysTreeView32 control: nodes with text, image indexes, a value of their own (or a data
// pointer), kept as a tree of objects beside the control's items; item height, image list, custom draw and the
// control's own tooltips are the control's. Images may be fetched lazily (OnGetImageIndex, asked when a node is first
// drawn). The language walk sees every node's text in the tree's flat order. UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/WinControlWin.h"

namespace tessaline {

class TImageList;
class TTreeView;

class TTreeNode {
  public:
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // A value the node owns (its row's record), typed when read back. A copy: a reload of the list it came from
    // cannot leave the row pointing at freed memory, and it goes with the node.
    template <typename T>
    void SetValue(T value) {
        value_ = std::move(value);
    }
    // Null when the node holds no value of that type.
    template <typename T>
    const T* Value() const {
        return std::any_cast<T>(&value_);
    }
    bool HasValue() const { return value_.has_value(); }

    TTreeNode* Parent() const { return parent_; }
    size_t Count() const { return children_.size(); }
    TTreeNode* Item(size_t index) const { return index < children_.size() ? children_[index].get() : nullptr; }
    // Shows the expand button before the children exist (they are added when the node expands).
    void SetHasChildren(bool value);
    bool HasChildren() const { return hasChildren_; }
    // The pictures are asked for again (OnGetImageIndex) when the row is next drawn.
    void AskImageAgain();
    bool Expanded() const;
    void Expand();
    void Collapse();
    HTREEITEM Handle() const { return item_; }
    TTreeView& TreeView() const { return *tree_; }
    // The node's rectangle in the control (textOnly: the label alone); empty when it is scrolled away or hidden.
    TRect DisplayRect(bool textOnly) const;

  private:
    friend class TTreeView;
    TTreeNode(TTreeView* tree, TTreeNode* parent) : tree_(tree), parent_(parent) {}

    TTreeView* tree_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    std::wstring text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool hasChildren_ = false;
    bool imageAsked_ = false;
    std::any value_;
    HTREEITEM item_ = nullptr;
};

class TTreeView : public TWinControl {
  public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TComponentKind Kind() const override { return TComponentKind::TreeView; }

    // Appends a node under parent (nullptr: at the top level).
    TTreeNode* AddChild(TTreeNode* parent, const std::wstring& text, int imageIndex = -1, bool hasChildren = false);
    void Delete(TTreeNode* node);
    void Clear();
    // No row selected, scrolled to the top and the left: how a tree filled anew shows.
    void ResetView();
    size_t RootCount() const { return roots_.size(); }
    TTreeNode* Root(size_t index) const { return index < roots_.size() ? roots_[index].get() : nullptr; }

    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TTreeNode* NodeAt(int x, int y) const;
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    void SetImages(TImageList* images);
    TImageList* Images() const { return images_; }

    // Window styles, read when the window is created.
    bool ShowLines = true;
    bool ShowButtons = true;
    bool ShowRoot = true;
    bool HotTrack = false;
    bool RowSelect = false;
    bool ToolTips = true;
    bool ShowBorder = true;

    std::function<void(TTreeView& sender, TTreeNode* node)> OnChange;
    // Before a node expands; set allow to false to keep it closed. Add the children here for lazy trees.
    std::function<void(TTreeView& sender, TTreeNode& node, bool& allow)> OnExpanding;
    std::function<void(TTreeView& sender, TTreeNode& node)> OnCollapsed;
    // The image of a node when it is first drawn (for icons that are slow to find).
    std::function<void(TTreeView& sender, TTreeNode& node)> OnGetImageIndex;
    // Custom draw of an item: return the CDRF_ value to answer the item-prepaint stage (CDRF_DODEFAULT when unset).
    std::function<LRESULT(TTreeView& sender, TTreeNode& node, NMTVCUSTOMDRAW& draw)> OnCustomDrawItem;
    // The background stage (CDDS_PREPAINT); return CDRF_NOTIFYITEMDRAW to get the items.
    std::function<LRESULT(TTreeView& sender, NMTVCUSTOMDRAW& draw)> OnCustomDraw;

    // The language walk: node texts in the flat (pre-order) order.
    size_t ItemCount() const override;
    std::wstring ItemText(size_t index) const override;
    void SetItemText(size_t index, const std::wstring& text) override;

    bool Notify(NMHDR& header, LRESULT& result) override;
    TTreeNode* FromHandle(HTREEITEM item) const;

  protected:
    const wchar_t* WindowClassName() const override { return WC_TREEVIEWW; }
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override { return ShowBorder ? WS_EX_CLIENTEDGE : 0; }
    void HandleCreated() override;

  private:
    friend class TTreeNode;
    void InsertItem(TTreeNode& node);
    void UpdateItem(TTreeNode& node, UINT mask);
    void Flatten(std::vector<TTreeNode*>& out) const;

    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int itemHeight_ = 0;  // 0: the control's default
    TImageList* images_ = nullptr;
    bool clearing_ = false;
    // The node whose pictures the control is asking for: they go back in its answer, not by setting the item
    // (which would redraw the row being painted).
    const TTreeNode* answering_ = nullptr;
};

}  // namespace tessaline
