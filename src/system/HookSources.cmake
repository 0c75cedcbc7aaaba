# The keyboard hook and the helper protocol, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_HOOK_PURE_SOURCES
    system/KeyboardHookLogic.cpp
    system/HelperProtocol.cpp
    system/StartButtonGeometry.cpp
)
set(TESSALINE_HOOK_WIN_SOURCES
    system/HookKeyboardWin.cpp
)
