# Files of the application shell, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_APP_PURE_SOURCES
)
set(TESSALINE_APP_WIN_SOURCES
)
