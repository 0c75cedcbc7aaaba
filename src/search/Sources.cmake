# Files of the search, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_SEARCH_PURE_SOURCES
    search/SearchMatch.cpp
    search/ControlPanelTable.cpp
    search/IndexedFiles.cpp
    search/SearchIndex.cpp
    search/IndexBuilder.cpp
    search/WindowsSearchQuery.cpp
    search/SearchPass.cpp
    search/ApplicationSearch.cpp
)
set(TESSALINE_SEARCH_WIN_SOURCES
)
# The Windows Search connection over ADO, and the shell's side of the folder walks (Win32 only).
include(${CMAKE_CURRENT_LIST_DIR}/AdoSources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ShellSources.cmake)
list(APPEND TESSALINE_SEARCH_WIN_SOURCES ${TESSALINE_SEARCH_ADO_WIN_SOURCES} ${TESSALINE_SEARCH_SHELL_WIN_SOURCES})
