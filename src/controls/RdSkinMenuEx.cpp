#include "controls/RdSkinMenuEx.h"

#include <cassert>

namespace tessaline {
namespace {

TRdMenuCtrl* activeMenuWindow = nullptr;

}  // namespace

TRdMenuCtrl* ActiveMenuWindow() {
    return activeMenuWindow;
}

TRdSkinMenu::TRdSkinMenu(TComponent* owner, std::unique_ptr<ISkinMenuPlatform> platform)
    : TComponent(owner), platform_(std::move(platform)), alive_(std::make_shared<bool>(true)) {
    assert(platform_ != nullptr);
    FontHighLight.Color = RgbColor(0, 102, 204);
    FontDisabled.Color = kColorGray;
    root_ = NewLevel(nullptr, 0);
    platform_->Attach(*this);
}

TRdSkinMenu::~TRdSkinMenu() {
    *alive_ = false;
    // The levels' windows belong to the platform object: free them while it still exists, newest first.
    while (!windows_.empty()) {
        TRdMenuCtrl* last = windows_.back();
        windows_.pop_back();
        delete last;
    }
    root_ = nullptr;
    platform_->Detach();
}

TRdMenuCtrl* TRdSkinMenu::NewLevel(TRdMenuCtrl* parent, size_t itemIndex) {
    auto* level = new TRdMenuCtrl(*this, parent, itemIndex, static_cast<int>(windows_.size()));
    windows_.push_back(level);
    return level;
}

TSize TRdSkinMenu::ImageSize() const {
    return Images != nullptr ? platform_->ImageSize(Images) : kMenuDefaultImageSize;
}

bool TRdSkinMenu::HasImages() const {
    return Images != nullptr && platform_->ImageCount(Images) > 0;
}

bool TRdSkinMenu::ParentAlphaBlend() const {
    const TOwnerAlphaBlend owner = platform_->OwnerAlphaBlend();
    return owner.AlphaBlend == AlphaBlend && owner.AlphaBlendValue == AlphaBlendValue;
}

void TRdSkinMenu::SetParentAlphaBlend(bool value) {
    if (value) {
        const TOwnerAlphaBlend owner = platform_->OwnerAlphaBlend();
        AlphaBlend = owner.AlphaBlend;
        AlphaBlendValue = owner.AlphaBlendValue;
    }
}

void TRdSkinMenu::Popup(int x, int y) {
    if (OnPopup) {
        const std::shared_ptr<const bool> alive = alive_;
        const TSkinMenuEvent handler = OnPopup;
        handler(*this);
        if (!*alive) {
            return;
        }
    }
    root_->Open({x, y});
}

void TRdSkinMenu::CloseMenu() {
    root_->CloseMenu();
}

TRdMenuCtrl::TRdMenuCtrl(TRdSkinMenu& menu, TRdMenuCtrl* parentWindow, size_t itemIndex, int levelNumber)
    : TComponent(&menu),
      menu_(menu),
      parent_(parentWindow),
      itemIndex_(itemIndex),
      levelNumber_(levelNumber),
      window_(menu.Platform().CreateLevelWindow(*this)) {}

TRdMenuCtrl::~TRdMenuCtrl() {
    if (activeMenuWindow == this) {
        activeMenuWindow = nullptr;
    }
    window_.reset();
}

TMenuItem* TRdMenuCtrl::Item() const {
    if (parent_ == nullptr) {
        return &menu_.Items();
    }
    TMenuItem* parentItem = parent_->Item();
    return parentItem != nullptr ? parentItem->Items(itemIndex_) : nullptr;
}

TRdMenuCtrl* TRdMenuCtrl::Submenu(int index) const {
    return index >= 0 && static_cast<size_t>(index) < submenus_.size() ? submenus_[static_cast<size_t>(index)]
                                                                       : nullptr;
}

void TRdMenuCtrl::Open(TPoint at) {
    TMenuItem* item = Item();
    if (item == nullptr || item->Count() == 0) {
        return;
    }
    // Opened again, a level starts afresh: a hot item left from last time would answer Enter.
    CloseSubmenus();
    hot_ = -1;
    open_ = -1;
    pointerOutside_ = true;
    activeMenuWindow = this;

    ISkinMenuPlatform& platform = menu_.Platform();
    const TFont normal = menu_.FontNormal;
    layout_ = MeasureMenuLevel(*item, menu_.ImageSize(), [&platform, &normal](const std::wstring& text, bool bold) {
        TFont font = normal;
        font.Bold = bold;
        return platform.TextExtent(font, text);
    });
    submenus_.resize(item->Count(), nullptr);
    window_->ApplyStyle(menu_.AlphaBlend, menu_.AlphaBlendValue, menu_.DropShadow && platform.DropShadowAvailable());

    const TSize size{layout_.Width, layout_.Height};
    TSubmenuPlacement submenu;
    if (parent_ != nullptr) {
        submenu.ParentWidth = parent_->layout_.Width;
        submenu.ItemHeight = layout_.ItemHeight;
    }
    const TPoint place = PlaceMenuLevel(at, size, platform.MonitorRect(at), parent_ != nullptr ? &submenu : nullptr);
    bounds_ = RectOf(place.X, place.Y, size.Width, size.Height);
    closed_ = false;
    window_->Show(bounds_);

    if (parent_ == nullptr && menu_.ModalMenu) {
        const std::shared_ptr<const bool> alive = menu_.AliveToken();
        platform.RunModalLoop([this, alive] { return !*alive || closed_; });
    }
}

void TRdMenuCtrl::OpenSubmenu(int index) {
    TMenuItem* item = Item();
    if (item == nullptr || index < 0 || static_cast<size_t>(index) >= item->Count() ||
        static_cast<size_t>(index) >= layout_.ItemRects.size()) {
        return;
    }
    const auto i = static_cast<size_t>(index);
    if (submenus_.size() <= i) {
        submenus_.resize(i + 1, nullptr);
    }
    if (submenus_[i] == nullptr) {
        submenus_[i] = menu_.NewLevel(this, i);
    }
    if (!submenus_[i]->Visible()) {
        const TRect& rect = layout_.ItemRects[i];
        submenus_[i]->Open({bounds_.Left + rect.Right + 2, bounds_.Top + rect.Top - 2});
    }
}

void TRdMenuCtrl::CloseSubmenus() {
    for (TRdMenuCtrl* submenu : submenus_) {
        if (submenu != nullptr && submenu->Visible()) {
            submenu->CloseLevel();
        }
    }
}

void TRdMenuCtrl::CloseLevel() {
    if (closed_ && !Visible()) {
        return;  // a closed level must not take the keys from whatever is open now
    }
    // Submenus first: each hands the keys to this level, which then hands them to its own parent.
    CloseSubmenus();
    closed_ = true;
    window_->Hide();
    activeMenuWindow = parent_;
    if (parent_ != nullptr) {
        parent_->window_->Repaint();
    }
}

void TRdMenuCtrl::CloseMenu() {
    if (!Visible()) {
        return;
    }
    const std::shared_ptr<const bool> alive = menu_.AliveToken();
    if (menu_.OnHide) {
        const TSkinMenuEvent handler = menu_.OnHide;
        handler(menu_);
        if (!*alive) {
            return;
        }
    }
    CloseSubmenus();
    closed_ = true;
    window_->Hide();
    if (parent_ != nullptr) {
        parent_->CloseMenu();
        if (!*alive) {
            return;
        }
    }
    activeMenuWindow = nullptr;
    menu_.Platform().FocusOwner();
}

void TRdMenuCtrl::ClickItem(int index) {
    TMenuItem* parent = Item();
    if (parent == nullptr || index < 0) {
        return;
    }
    TMenuItem* item = parent->Items(static_cast<size_t>(index));
    if (item == nullptr || !item->Enabled) {
        return;
    }
    const std::shared_ptr<const bool> alive = menu_.AliveToken();
    if (Submenu(index) == nullptr) {
        CloseMenu();
        if (!*alive) {
            return;  // an OnHide handler freed the menu and its items with it
        }
    }
    item->Click();
}

void TRdMenuCtrl::MouseMove(TPoint point) {
    pointerOutside_ = false;
    TMenuItem* item = Item();
    if (item == nullptr) {
        return;
    }
    const int index = MenuItemAt(*item, layout_, point);
    if (index != hot_) {
        if (TRdMenuCtrl* old = Submenu(hot_); old != nullptr && old->Visible()) {
            old->CloseLevel();
        }
        hot_ = index;
        open_ = -1;
        if (index >= 0) {
            const TMenuItem* child = item->Items(static_cast<size_t>(index));
            if (child->Enabled && child->Count() > 0) {
                open_ = index;
                OpenSubmenu(index);
            }
        }
    }
    window_->Repaint();
}

void TRdMenuCtrl::MouseLeave() {
    pointerOutside_ = true;
    window_->Repaint();
}

void TRdMenuCtrl::MouseUp(TMouseButton button) {
    if (button == TMouseButton::Left ||
        (button == TMouseButton::Right && menu_.TrackButton == TTrackButton::RightButton)) {
        ClickItem(hot_);
    }
}

void TRdMenuCtrl::KeyDown(int virtualKey) {
    if (virtualKey == kMenuKeyReturn) {
        ClickItem(hot_);
        return;
    }
    if (virtualKey == kMenuKeyEscape) {
        CloseLevel();
        return;
    }
    for (size_t i = 0; i < layout_.Accelerators.size(); ++i) {
        if (AcceleratorMatchesKey(layout_.Accelerators[i], virtualKey)) {
            ClickItem(static_cast<int>(i));
            return;
        }
    }
    if (menu_.OnOtherKey) {
        menu_.OnOtherKey(menu_, virtualKey);
    }
}

void TRdMenuCtrl::AppDeactivated() {
    if (Visible()) {
        CloseMenu();
    }
}

TMenuPaintPlan TRdMenuCtrl::PaintPlan() const {
    TMenuItem* item = Item();
    if (item == nullptr) {
        return {};
    }
    TMenuPaintInput input;
    input.Parent = item;
    input.Layout = &layout_;
    input.ImageSize = menu_.ImageSize();
    input.HasImages = menu_.HasImages();
    input.Background = menu_.ColorBackground;
    input.Border = menu_.ColorBorder;
    input.HighLight = menu_.ColorHighLight;
    input.Separator = menu_.ColorSeparator;
    input.LightBorder = menu_.LightBorder;
    input.HotIndex = hot_;
    input.OpenIndex = open_;
    input.PointerInside = !pointerOutside_;
    input.Active = activeMenuWindow == this;
    return PlanMenuPaint(input);
}

}  // namespace tessaline
