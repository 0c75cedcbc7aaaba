# Tests of the first-run guide, relative to tests/: its model (both builds).
set(TESSALINE_GUIDE_PURE_TESTS
    guide/GuideModelTest.cpp
)
