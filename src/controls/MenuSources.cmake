# Files of the component framework, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_CONTROLS_MENU_PURE_SOURCES
)
set(TESSALINE_CONTROLS_MENU_WIN_SOURCES
)
