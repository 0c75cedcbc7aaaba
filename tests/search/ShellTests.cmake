# Wine tests of the shell's side of the search, relative to tests/.
set(TESSALINE_SEARCH_SHELL_WIN_TESTS
    search/ControlPanelLaunchWinTest.cpp
    search/SearchFileSystemWinTest.cpp
)
