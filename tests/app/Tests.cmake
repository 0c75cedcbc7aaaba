# Tests of the application shell, relative to tests/: pure ones (both builds) and the ones under Wine.
set(TESSALINE_APP_PURE_TESTS
)
set(TESSALINE_APP_WIN_TESTS
)
