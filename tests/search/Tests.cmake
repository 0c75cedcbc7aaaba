# Tests of the search, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_SEARCH_PURE_TESTS
    search/SearchTestSupport.cpp
    search/SearchRulesTest.cpp
    search/ControlPanelTableTest.cpp
    search/IndexBuilderTest.cpp
    search/SearchThreadTest.cpp
)
# With the settings code (language files): in the main test program only.
set(TESSALINE_SEARCH_LANGUAGE_TESTS
    search/ControlPanelLanguageTest.cpp
)
set(TESSALINE_SEARCH_WIN_TESTS
)
include(${CMAKE_CURRENT_LIST_DIR}/AdoTests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ShellTests.cmake)
list(APPEND TESSALINE_SEARCH_WIN_TESTS ${TESSALINE_SEARCH_ADO_WIN_TESTS} ${TESSALINE_SEARCH_SHELL_WIN_TESTS})
