# Pure files of the program catalogue (no platform headers), relative to src/.
set(TESSALINE_CATALOGUE_PURE_SOURCES
    catalogue/UserAssist.cpp
    catalogue/UserDataFile.cpp
    catalogue/UseProgramList.cpp
    catalogue/PinnedList.cpp
    catalogue/AllProgramsTree.cpp
    catalogue/PaneRows.cpp
)
