# Tests of the control set's supporting pieces, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_CONTROLS_SUPPORT_PURE_TESTS
    controls/ScrollBarMathTest.cpp
    controls/AppFrameCodesTest.cpp
)
set(TESSALINE_CONTROLS_SUPPORT_WIN_TESTS
    controls/AppFrameWinTest.cpp
    controls/CursorTableWinTest.cpp
)
