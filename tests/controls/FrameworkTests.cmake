# Tests of the component framework, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_CONTROLS_FRAMEWORK_PURE_TESTS
)
set(TESSALINE_CONTROLS_FRAMEWORK_WIN_TESTS
)
