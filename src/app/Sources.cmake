# Files of the application shell, relative to src/: pure ones (both builds) and the Win32 glue.
set(TESSALINE_APP_PURE_SOURCES
    app/ExplorerWatchdogLogic.cpp
    app/TaskbarDockingLogic.cpp
    app/StartButtonSkin.cpp
    app/SetMain.cpp
    app/StartButtonMenu.cpp
    app/AppState.cpp
)
set(TESSALINE_APP_WIN_SOURCES
    app/HelperProcessesWin.cpp
    app/StartupWin.cpp
    app/ExplorerWatchdogWin.cpp
    app/StartButtonFormWin.cpp
    app/SetMainWin.cpp
    app/ParentWindowWin.cpp
    app/ForeignWindowWin.cpp
    app/StartMenuHostWin.cpp
    app/TaskbarDockingWin.cpp
    app/TaskbarSurveyWin.cpp
)

# The program itself, beside the helpers it starts (they look for each other in their own folder).
function(tessaline_add_program)
    add_executable(Tessaline WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/app/TessalineMain.cpp)
    target_link_libraries(Tessaline PRIVATE tessaline_core)
    target_link_options(Tessaline PRIVATE -municode)
    set_target_properties(Tessaline PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    tessaline_warnings(Tessaline)
    tessaline_embed_pictures(Tessaline)
    tessaline_version_resource(Tessaline "Tessaline Start button and start menu")
    # The folders that ship beside the program (languages, skins, pictures).
    add_custom_command(TARGET Tessaline POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/bin)
endfunction()
