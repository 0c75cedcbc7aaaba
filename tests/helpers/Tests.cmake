# Tests of the taskbar side and the hot-corner helper, relative to tests/: pure ones (both builds) and the ones
# under Wine.
set(TESSALINE_HELPERS_PURE_TESTS
    helpers/BandClearanceTest.cpp
    helpers/TarnwickPlacementTest.cpp
    helpers/HotCornerPolicyTest.cpp
)
set(TESSALINE_HELPERS_WIN_TESTS
    helpers/HotCornerRegistryWinTest.cpp
    helpers/TaskbarSubclassWinTest.cpp
)
