#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/FormWin.h"
#include "controls/PopupMenuWin.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

class PopupMenuTest : public ::testing::Test {
  protected:
    TMenuItem* Item(const wchar_t* name, const wchar_t* caption, TMenuItem& parent) {
        auto* item = Create<TMenuItem>(&form, name);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }
    TForm form{nullptr};
};

TEST_F(PopupMenuTest, BuildsVisibleItemsWithTheirStatesAndRoutesCommandsToTheirItems) {
    auto* menu = Create<TPopupMenu>(&form, L"PopupMenu1");
    TMenuItem* run = Item(L"mi_Run", L"&Run", menu->Items());
    run->Default = true;
    Item(L"N1", L"-", menu->Items());
    TMenuItem* hidden = Item(L"mi_Hidden", L"Hidden", menu->Items());
    hidden->Visible = false;
    TMenuItem* skins = Item(L"mi_Skins", L"Skins", menu->Items());
    TMenuItem* classic = Item(L"mi_Classic", L"Classic", *skins);
    classic->Checked = true;
    TMenuItem* off = Item(L"mi_Off", L"Off", menu->Items());
    off->Enabled = false;

    HMENU built = menu->BuildMenu();
    ASSERT_NE(built, nullptr);
    ASSERT_EQ(GetMenuItemCount(built), 4);
    EXPECT_EQ(MenuText(built, 0), L"&Run");
    EXPECT_EQ(GetMenuState(built, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(built, 2), L"Skins");
    HMENU submenu = GetSubMenu(built, 2);
    ASSERT_NE(submenu, nullptr);
    EXPECT_NE(GetMenuState(submenu, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(built, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuDefaultItem(built, FALSE, 0), 1u);

    const UINT classicCommand = GetMenuItemID(submenu, 0);
    EXPECT_EQ(menu->ItemForCommand(classicCommand), classic);
    EXPECT_EQ(menu->ItemForCommand(GetMenuItemID(built, 0)), run);
    EXPECT_EQ(menu->ItemForCommand(0), nullptr);
    EXPECT_EQ(menu->ItemForCommand(99), nullptr);
    DestroyMenu(built);
}

TEST_F(PopupMenuTest, ItemsAreLocalisedByNameThroughTheForm) {
    test::TempFolder folder;
    test::WriteBytes(folder.File(L"English.lng"), "\xEF\xBB\xBF[Tessaline_frmMenu]\nmi_Run.Caption=Ausf\xC3\xBChren\n");
    form.SetName(L"frmMenu");
    auto* menu = Create<TPopupMenu>(&form, L"PopupMenu1");
    TMenuItem* run = Item(L"mi_Run", L"Run", menu->Items());
    TLanguage language(L"Tessaline", folder.Path());
    ASSERT_TRUE(language.LoadLanguage(L"English"));
    language.ApplyToComponent(form);
    EXPECT_EQ(run->Caption(), L"Ausf\u00fchren");
}

}  // namespace
}  // namespace tessaline
