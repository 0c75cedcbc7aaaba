# Files of the skinned popup menu and the menu items, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_CONTROLS_MENU_PURE_SOURCES
    controls/MenuItem.cpp
    controls/SkinMenuLayout.cpp
    controls/SkinMenuGlyphs.cpp
    controls/SkinMenuPaint.cpp
    controls/RdSkinMenuEx.cpp
)
set(TESSALINE_CONTROLS_MENU_WIN_SOURCES
    controls/RdSkinMenuWin.cpp
)
