# Native tests of the catalogue's pure parts, relative to tests/.
set(TESSALINE_CATALOGUE_PURE_TESTS
    catalogue/UserAssistTest.cpp
    catalogue/UserDataFileTest.cpp
    catalogue/UseProgramListTest.cpp
    catalogue/PinnedListTest.cpp
    catalogue/AllProgramsTreeTest.cpp
    catalogue/PaneRowsTest.cpp
    catalogue/FileAnswerCacheTest.cpp
)
