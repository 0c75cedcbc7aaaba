# Files of the component framework, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_CONTROLS_MODEL_PURE_SOURCES
    controls/PictureCollection.cpp
    controls/PImageNote.cpp
    controls/RdLabel.cpp
    controls/PLabelNote.cpp
)
set(TESSALINE_CONTROLS_MODEL_WIN_SOURCES
)
