# Tests of the keyboard hook and the helper protocol, relative to tests/: pure ones and the ones under Wine.
set(TESSALINE_HOOK_PURE_TESTS
    system/HookKeyboardTest.cpp
    system/HelperProtocolTest.cpp
    system/StartButtonGeometryTest.cpp
    system/LaunchTest.cpp
)
set(TESSALINE_HOOK_WIN_TESTS
    system/HookKeyboardWinTest.cpp
    system/MessageFilterWinTest.cpp
    system/LaunchWinTest.cpp
)
