# Files of the taskbar side and the hot-corner helper, relative to src/: the pure decisions (both builds) and
# the Win32 glue the Windows tests exercise. The executables and the DLL themselves are in CMakeLists.txt.
set(TESSALINE_HELPERS_PURE_SOURCES
    helpers/taskbar/BandClearance.cpp
    helpers/taskbar/TarnwickPlacement.cpp
    helpers/hotcorners/HotCornerPolicy.cpp
)
set(TESSALINE_HELPERS_WIN_SOURCES
    helpers/hotcorners/HotCornerRegistryWin.cpp
    helpers/taskbar/TaskbarSubclassWin.cpp
    helpers/taskbar/OwnStartButtonWin.cpp
)
