# Tests of the application shell, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_APP_PURE_TESTS
    app/ExplorerWatchdogLogicTest.cpp
    app/TaskbarDockingLogicTest.cpp
    app/StartButtonSkinTest.cpp
    app/SetMainTest.cpp
    app/StartButtonMenuTest.cpp
)
set(TESSALINE_APP_WIN_TESTS
    app/SetMainWinTest.cpp
    app/TaskbarSurveyWinTest.cpp
    app/ShippedFormsWinTest.cpp
)
