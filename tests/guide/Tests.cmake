# Tests of the first-run guide, relative to tests/: its model (both builds) and its artwork (under Wine).
set(TESSALINE_GUIDE_PURE_TESTS
    guide/GuideModelTest.cpp
)
set(TESSALINE_GUIDE_WIN_TESTS
    guide/GuidePicturesWinTest.cpp
)
