# Supporting pieces of the control set, relative to src/: the scroll bar's arithmetic, the special-folder codes
# and the shared cursor table (pure ones in both builds, Win32 glue in the windows build).
set(TESSALINE_CONTROLS_SUPPORT_PURE_SOURCES
    controls/ScrollBarMath.cpp
    controls/AppFrameCodes.cpp
)
set(TESSALINE_CONTROLS_SUPPORT_WIN_SOURCES
    controls/AppFrameWin.cpp
    controls/CursorTableWin.cpp
    controls/TrackingHintWin.cpp
)
