# The -posix compilers: the win32 thread model has no std::mutex / std::thread.
set(CMAKE_C_COMPILER ${TESSALINE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSALINE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSALINE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSALINE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through Wine in a private prefix beside the build trees (created by scripts/wine-prefix.sh).
get_filename_component(_tessaline_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(TESSALINE_WINEPREFIX ${_tessaline_root}/build/wineprefix CACHE PATH "Wine prefix the Windows tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR ${_tessaline_root}/scripts/wine-run.sh;${TESSALINE_WINEPREFIX})
