// The skinned menu's behaviour over a recording platform: which levels open where, which close, who gets the
// keys, which events fire. The real windows are tested under Wine (RdSkinMenuWinTest.cpp).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/MenuItem.h"
#include "controls/RdSkinMenuEx.h"

namespace tessaline {
namespace {

class TRecordingWindow : public IRdMenuWindow {
  public:
    TWindowHandle Handle() const override { return nullptr; }
    void ApplyStyle(bool isLayered, uint8_t alphaValue, bool dropShadow) override {
        layered = isLayered;
        alpha = alphaValue;
        shadow = dropShadow;
    }
    void Show(const TRect& at) override {
        bounds = at;
        visible = true;
        ++shows;
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    void Repaint() override {}

    bool visible = false;
    TRect bounds;
    int shows = 0;
    bool layered = false;
    uint8_t alpha = 0;
    bool shadow = false;
};

class TRecordingPlatform : public ISkinMenuPlatform {
  public:
    explicit TRecordingPlatform(std::vector<std::wstring>& events) : events_(events) {}
    void Attach(TRdSkinMenu&) override { events_.push_back(L"attach"); }
    void Detach() override { events_.push_back(L"detach"); }
    TWindowHandle OwnerWindow() const override { return nullptr; }
    std::unique_ptr<IRdMenuWindow> CreateLevelWindow(TRdMenuCtrl&) override {
        return std::make_unique<TRecordingWindow>();
    }
    // Every character 7 pixels wide, lines 13 high: rows are 26 high with the 16-pixel glyph column.
    TSize TextExtent(const TFont&, const std::wstring& text) override {
        return {static_cast<int>(text.size()) * 7, 13};
    }
    TSize ImageSize(TImageListHandle) override { return {16, 16}; }
    int ImageCount(TImageListHandle) override { return 0; }
    TRect MonitorRect(TPoint) override { return monitor; }
    bool DropShadowAvailable() override { return true; }
    TOwnerAlphaBlend OwnerAlphaBlend() override { return {}; }
    void FocusOwner() override { events_.push_back(L"focus owner"); }
    void RunModalLoop(const std::function<bool()>&) override {}

    TRect monitor{0, 0, 1280, 800};

  private:
    std::vector<std::wstring>& events_;
};

TRecordingWindow& WindowOf(const TRdMenuCtrl& level) {
    return dynamic_cast<TRecordingWindow&>(level.Window());
}

TPoint CentreOf(const TRdMenuCtrl& level, int index) {
    const TRect& r = level.Layout().ItemRects[static_cast<size_t>(index)];
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class RdSkinMenu : public testing::Test {
  protected:
    void SetUp() override {
        auto recording = std::make_unique<TRecordingPlatform>(events);
        platform = recording.get();
        menu = std::make_unique<TRdSkinMenu>(nullptr, std::move(recording));
        menu->OnHide = [this](TRdSkinMenu&) { events.push_back(L"hide"); };
        // Switch user / Log off / Lock / - / Restart > (Now, Later) / - / Sleep
        for (const wchar_t* caption : {L"Switch user", L"Log off", L"&Lock", L"-", L"Restart", L"-", L"&Sleep"}) {
            Add(menu->Items(), caption);
        }
        Add(*Item(4), L"&Now");
        Add(*Item(4), L"Later");
    }

    TMenuItem* Add(TMenuItem& parent, const std::wstring& caption) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        item->OnClick = [this](TMenuItem& sender) { events.push_back(L"click " + sender.Caption()); };
        parent.Add(item);
        return item;
    }
    TMenuItem* Item(size_t index) { return menu->Items().Items(index); }
    TRdMenuCtrl& Root() { return menu->RootMenu(); }
    // Pops the menu up and moves the pointer onto "Restart", which opens its submenu.
    TRdMenuCtrl& OpenRestartSubmenu() {
        menu->Popup(100, 100);
        Root().MouseMove(CentreOf(Root(), 4));
        return *Root().Submenu(4);
    }

    std::vector<std::wstring> events;
    TRecordingPlatform* platform = nullptr;
    std::unique_ptr<TRdSkinMenu> menu;
};

TEST_F(RdSkinMenu, PopupFiresOnPopupFirstAndOpensTheRootAtThePoint) {
    menu->OnPopup = [this](TRdSkinMenu& sender) {
        EXPECT_EQ(&sender, menu.get());
        EXPECT_FALSE(Root().Visible());
        Item(0)->Visible = false;  // a handler may still change the items
    };
    menu->Popup(100, 200);
    EXPECT_TRUE(Root().Visible());
    EXPECT_FALSE(Root().Closed());
    EXPECT_EQ(ActiveMenuWindow(), &Root());
    EXPECT_EQ(WindowOf(Root()).bounds, RectOf(100, 200, 120, 4 + 4 * 26 + 2 * 3));
    EXPECT_TRUE(WindowOf(Root()).shadow);
    EXPECT_FALSE(WindowOf(Root()).layered);
}

TEST_F(RdSkinMenu, MenuWithoutItemsDoesNotOpenAndAllInvisibleOpensEmpty) {
    menu->Items().Clear();
    menu->Popup(100, 100);
    EXPECT_FALSE(Root().Visible());
    EXPECT_EQ(ActiveMenuWindow(), nullptr);

    Add(menu->Items(), L"Hidden")->Visible = false;
    menu->Popup(100, 100);
    EXPECT_TRUE(Root().Visible());
    EXPECT_EQ(WindowOf(Root()).bounds, RectOf(100, 100, 120, 4));
    menu->CloseMenu();
}

TEST_F(RdSkinMenu, HoverOpensTheSubmenuBesideItsItemAndLeavingTheItemClosesIt) {
    TRdMenuCtrl& submenu = OpenRestartSubmenu();
    const TRect& restart = Root().Layout().ItemRects[4];
    EXPECT_TRUE(submenu.Visible());
    EXPECT_EQ(submenu.LevelNumber(), 1);
    EXPECT_EQ(submenu.ParentWindow(), &Root());
    EXPECT_EQ(WindowOf(submenu).bounds.Left, 100 + restart.Right + 2);
    EXPECT_EQ(WindowOf(submenu).bounds.Top, 100 + restart.Top - 2);
    EXPECT_EQ(ActiveMenuWindow(), &submenu);
    EXPECT_EQ(Root().OpenIndex(), 4);

    Root().MouseMove(CentreOf(Root(), 4));  // the same item again: nothing changes
    EXPECT_TRUE(submenu.Visible());

    Root().MouseMove(CentreOf(Root(), 6));
    EXPECT_FALSE(submenu.Visible());
    EXPECT_EQ(ActiveMenuWindow(), &Root());
    EXPECT_EQ(Root().HotIndex(), 6);
    EXPECT_EQ(Root().OpenIndex(), -1);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"attach"}));  // no OnHide for a submenu the pointer left

    Item(4)->Enabled = false;
    Root().MouseMove(CentreOf(Root(), 4));
    EXPECT_FALSE(submenu.Visible());  // disabled items open nothing
    EXPECT_EQ(Root().HotIndex(), 4);
}

TEST_F(RdSkinMenu, SubmenuNearTheRightEdgeOpensOnTheLeftOfItsParent) {
    platform->monitor = {0, 0, 500, 800};
    menu->Popup(450, 100);
    const TRect root = WindowOf(Root()).bounds;
    EXPECT_EQ(root.Left, 450 - Root().Layout().Width);
    Root().MouseMove(CentreOf(Root(), 4));
    const TRect sub = WindowOf(*Root().Submenu(4)).bounds;
    EXPECT_EQ(sub.Right, root.Left);  // opened at the parent's right edge, then moved left by both widths
}

TEST_F(RdSkinMenu, EscapeClosesOnlyTheActiveLevelAndFiresNoHide) {
    TRdMenuCtrl& submenu = OpenRestartSubmenu();
    events.clear();
    ActiveMenuWindow()->KeyDown(kMenuKeyEscape);
    EXPECT_FALSE(submenu.Visible());
    EXPECT_TRUE(Root().Visible());
    EXPECT_EQ(ActiveMenuWindow(), &Root());

    ActiveMenuWindow()->KeyDown(kMenuKeyEscape);
    EXPECT_FALSE(Root().Visible());
    EXPECT_TRUE(Root().Closed());
    EXPECT_EQ(ActiveMenuWindow(), nullptr);
    EXPECT_TRUE(events.empty());  // neither OnHide nor the owner's focus
}

TEST_F(RdSkinMenu, ClosingNestedSubmenusGivesTheKeysBackToTheLevelThatStaysOpen) {
    Add(*Item(4)->Items(1), L"Much later");  // Restart > Later > Much later
    TRdMenuCtrl& first = OpenRestartSubmenu();
    first.MouseMove(CentreOf(first, 1));
    TRdMenuCtrl& second = *first.Submenu(1);
    ASSERT_TRUE(second.Visible());
    EXPECT_EQ(second.LevelNumber(), 2);

    Root().MouseMove(CentreOf(Root(), 0));
    EXPECT_FALSE(first.Visible());
    EXPECT_FALSE(second.Visible());
    EXPECT_EQ(ActiveMenuWindow(), &Root());  // not a hidden submenu

    // An already closed level cannot take the keys away either.
    second.CloseLevel();
    EXPECT_EQ(ActiveMenuWindow(), &Root());
}

TEST_F(RdSkinMenu, CloseMenuFiresHidePerLevelAndFocusesTheOwnerOnce) {
    OpenRestartSubmenu();
    events.clear();
    menu->CloseMenu();
    EXPECT_EQ(events, (std::vector<std::wstring>{L"hide", L"focus owner"}));
    EXPECT_FALSE(Root().Submenu(4)->Visible());

    OpenRestartSubmenu();
    events.clear();
    Root().Submenu(4)->CloseMenu();  // from the submenu: it and its parent, each with OnHide
    EXPECT_EQ(events, (std::vector<std::wstring>{L"hide", L"hide", L"focus owner", L"focus owner"}));
    EXPECT_FALSE(Root().Visible());
    EXPECT_EQ(ActiveMenuWindow(), nullptr);

    events.clear();
    menu->CloseMenu();  // nothing open: nothing fires
    Root().AppDeactivated();
    EXPECT_TRUE(events.empty());
}

TEST_F(RdSkinMenu, ClickingCommandsClosesTheMenuFirstButItemsWithASubmenuStayOpen) {
    TRdMenuCtrl& submenu = OpenRestartSubmenu();
    events.clear();
    Root().MouseUp(TMouseButton::Left);  // on "Restart", whose submenu is open
    EXPECT_EQ(events, (std::vector<std::wstring>{L"click Restart"}));
    EXPECT_TRUE(submenu.Visible());

    events.clear();
    submenu.MouseMove(CentreOf(submenu, 1));
    submenu.MouseUp(TMouseButton::Left);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"hide", L"hide", L"focus owner", L"focus owner", L"click Later"}));
    EXPECT_FALSE(Root().Visible());

    events.clear();
    Item(6)->Enabled = false;
    menu->Popup(100, 100);
    Root().MouseMove(CentreOf(Root(), 6));
    Root().MouseUp(TMouseButton::Left);
    Root().ClickItem(-1);
    EXPECT_TRUE(events.empty());  // disabled items and "no item" do nothing
    EXPECT_TRUE(Root().Visible());
}

TEST_F(RdSkinMenu, RightButtonPicksOnlyWhenItIsTheTrackButton) {
    for (TTrackButton button : {TTrackButton::RightButton, TTrackButton::LeftButton}) {
        menu->TrackButton = button;
        events.clear();
        menu->Popup(100, 100);
        Root().MouseMove(CentreOf(Root(), 0));
        Root().MouseUp(TMouseButton::Right);
        const bool picked = button == TTrackButton::RightButton;
        EXPECT_EQ(Root().Visible(), !picked);
        EXPECT_EQ(events.empty(), !picked);
        menu->CloseMenu();
    }
}

TEST_F(RdSkinMenu, KeysClickTheHotItemOrTheItemOfTheirAccelerator) {
    struct Case {
        const wchar_t* name;
        int hover;  // item under the pointer first, -1 none
        int key;
        const wchar_t* clicked;  // nullptr: nothing runs
    };
    Item(1)->SetCaption(L"Log o&ff");
    // What picks nothing goes to the owner (the arrows, which the menu does not use); Enter with nothing hot does not.
    menu->OnOtherKey = [this](TRdSkinMenu&, int key) { events.push_back(L"other " + std::to_wstring(key)); };
    for (const Case& c : {
             Case{L"Enter on the hot item", 1, kMenuKeyReturn, L"click Log o&ff"},
             Case{L"Enter with nothing hot", -1, kMenuKeyReturn, nullptr},
             Case{L"letter key", -1, 'S', L"click &Sleep"},
             Case{L"accelerator of another item than the hot one", 0, 'L', L"click &Lock"},
             Case{L"lower-case accelerator", -1, 'F', nullptr},
             Case{L"numpad 6 has the code of 'f'", -1, 0x66, nullptr},
             Case{L"no accelerator", -1, 'X', nullptr},
             Case{L"Left arrow", 0, 0x25, nullptr},
         }) {
        events.clear();
        menu->Popup(100, 100);
        if (c.hover >= 0) {
            Root().MouseMove(CentreOf(Root(), c.hover));
        }
        ActiveMenuWindow()->KeyDown(c.key);
        if (c.clicked != nullptr) {
            EXPECT_EQ(events, (std::vector<std::wstring>{L"hide", L"focus owner", c.clicked})) << c.name;
        } else {
            const std::vector<std::wstring> other{L"other " + std::to_wstring(c.key)};
            EXPECT_EQ(events, c.key == kMenuKeyReturn ? std::vector<std::wstring>{} : other) << c.name;
            EXPECT_TRUE(Root().Visible()) << c.name;
        }
        menu->CloseMenu();
    }
}

TEST_F(RdSkinMenu, ReopenedMenuForgetsTheItemHoveredLastTime) {
    menu->Popup(100, 100);
    Root().MouseMove(CentreOf(Root(), 4));
    menu->CloseMenu();
    events.clear();
    menu->Popup(100, 100);
    EXPECT_EQ(Root().HotIndex(), -1);
    EXPECT_FALSE(Root().Submenu(4)->Visible());
    ActiveMenuWindow()->KeyDown(kMenuKeyReturn);
    EXPECT_TRUE(events.empty());
}

TEST_F(RdSkinMenu, HandlersMayFreeTheMenu) {
    Item(0)->OnClick = [this](TMenuItem&) { menu.reset(); };
    menu->Popup(100, 100);
    menu->RootMenu().MouseMove(CentreOf(menu->RootMenu(), 0));
    menu->RootMenu().MouseUp(TMouseButton::Left);
    EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(ActiveMenuWindow(), nullptr);

    SetUp();
    menu->OnHide = [this](TRdSkinMenu&) { menu.reset(); };
    OpenRestartSubmenu();
    Root().Submenu(4)->MouseMove(CentreOf(*Root().Submenu(4), 0));
    Root().Submenu(4)->MouseUp(TMouseButton::Left);
    EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(events.back(), L"detach");
}

TEST_F(RdSkinMenu, LevelsFollowItemsThatMoveOrGo) {
    TRdMenuCtrl& submenu = OpenRestartSubmenu();
    menu->CloseMenu();
    while (menu->Items().Count() > 2) {
        delete Item(2);  // freed items leave their parent's list
    }
    EXPECT_EQ(submenu.Item(), nullptr);  // the level of "Restart" finds no item instead of a freed one
    submenu.Open({10, 10});
    EXPECT_FALSE(submenu.Visible());

    std::unique_ptr<TMenuItem> taken(Item(0));
    menu->Items().Delete(0);  // taken out, not freed
    EXPECT_EQ(taken->Parent(), nullptr);
    menu->Popup(100, 100);
    EXPECT_EQ(WindowOf(Root()).bounds.Height(), 4 + 26);
    EXPECT_EQ(Root().Submenu(4), nullptr);
}

TEST(MenuItem, ComponentOwnerAndParentItemMayFreeInEitherOrder) {
    for (bool menuFirst : {true, false}) {
        auto form = std::make_unique<TComponent>(nullptr);
        auto* parent = Create<TMenuItem>(form.get(), L"PopupMenu_Power");
        auto* child = Create<TMenuItem>(form.get(), L"Menu_Sleep");
        parent->Add(child);
        EXPECT_EQ(child->Parent(), parent);
        if (menuFirst) {
            delete parent;  // frees the child, which leaves the form's list
            EXPECT_EQ(form->FindComponent(L"Menu_Sleep"), nullptr);
            EXPECT_EQ(form->ComponentCount(), 0u);
        } else {
            delete child;
            EXPECT_EQ(parent->Count(), 0u);
        }
        form.reset();  // no double free under the sanitizers
    }
}

TEST(MenuItem, InsertMovesAnItemAndRefusesCycles) {
    TMenuItem root(nullptr);
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    root.Add(a);
    root.Insert(0, b);
    EXPECT_EQ(root.IndexOf(b), 0);
    a->Add(b);  // moves from root to a
    EXPECT_EQ(root.Count(), 1u);
    EXPECT_EQ(b->Parent(), a);
#ifdef NDEBUG
    b->Add(&root);  // an ancestor under its descendant
    EXPECT_EQ(b->Count(), 0u);
#endif
}

}  // namespace
}  // namespace tessaline
