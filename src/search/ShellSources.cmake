# The shell's side of the index build and the search pass (Win32 only), relative to src/.
set(TESSALINE_SEARCH_SHELL_WIN_SOURCES
    search/ControlPanelLaunchWin.cpp
    search/SearchFileSystemWin.cpp
)
