# Tests of the component framework, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_CONTROLS_MODEL_PURE_TESTS
    controls/ImageNoteTest.cpp
    controls/LabelNoteTest.cpp
    controls/RdLabelTest.cpp
)
set(TESSALINE_CONTROLS_MODEL_WIN_TESTS
)
