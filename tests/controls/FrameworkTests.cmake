# Tests of the component framework, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_CONTROLS_FRAMEWORK_PURE_TESTS
    controls/ComponentTest.cpp
    controls/ControlTest.cpp
    controls/PixelCanvasTest.cpp
    controls/MouseRouterTest.cpp
    controls/FormDescriptionTest.cpp
    controls/UniqueInstanceTest.cpp
)
set(TESSALINE_CONTROLS_FRAMEWORK_WIN_TESTS
    controls/FormWinTest.cpp
    controls/LogoHintwindowWinTest.cpp
    controls/TreeViewWinTest.cpp
    controls/PopupMenuWinTest.cpp
)
