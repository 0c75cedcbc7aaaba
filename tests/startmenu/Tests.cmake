# Tests of the start-menu window, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_STARTMENU_PURE_TESTS
    startmenu/StartMenuLayoutTest.cpp
    startmenu/KeyboardNavigationTest.cpp
    startmenu/SessionActionsTest.cpp
    startmenu/BugReportTest.cpp
    startmenu/RightColumnModelTest.cpp
    startmenu/SearchBoxModelTest.cpp
    startmenu/ProgramPanesModelTest.cpp
)
set(TESSALINE_STARTMENU_WIN_TESTS
    startmenu/SessionActionsWinTest.cpp
    startmenu/BugReportWinTest.cpp
    startmenu/StartMenuFormWinTest.cpp
)
