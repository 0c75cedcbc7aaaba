# Files of the start-menu window, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_STARTMENU_PURE_SOURCES
    startmenu/StartMenuLayout.cpp
    startmenu/StartMenuForm.cpp
    startmenu/SessionActions.cpp
    startmenu/BugReport.cpp
)
set(TESSALINE_STARTMENU_WIN_SOURCES
    startmenu/StartMenuFormWin.cpp
    startmenu/ProgramPanesWin.cpp
    startmenu/RightColumnWin.cpp
    startmenu/PowerButtonWin.cpp
    startmenu/SessionActionsWin.cpp
    startmenu/BugReportWin.cpp
    startmenu/SearchBoxWin.cpp
    startmenu/SearchResultsViewWin.cpp
)
