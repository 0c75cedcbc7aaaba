# Files of the component framework, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_CONTROLS_FRAMEWORK_PURE_SOURCES
    controls/Component.cpp
    controls/Control.cpp
)
set(TESSALINE_CONTROLS_FRAMEWORK_WIN_SOURCES
)
