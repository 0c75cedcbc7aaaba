# Tests of the skinned popup menu and the menu items, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_CONTROLS_MENU_PURE_TESTS
    controls/SkinMenuLayoutTest.cpp
    controls/RdSkinMenuTest.cpp
)
set(TESSALINE_CONTROLS_MENU_WIN_TESTS
    controls/RdSkinMenuWinTest.cpp
)
