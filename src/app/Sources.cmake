# Files of the application shell, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_APP_PURE_SOURCES
    app/HelperProtocol.cpp
    app/ExplorerWatchdogLogic.cpp
    app/StartButtonGeometry.cpp
    app/StartButtonSkin.cpp
    app/StartButtonMenu.cpp
)
set(TESSALINE_APP_WIN_SOURCES
)
