# The first-run guide, relative to src/: its pure parts (both builds) and the program.
set(TESSALINE_GUIDE_PURE_SOURCES
    guide/GuideModel.cpp
    guide/GuideLanguage.cpp
)

# Tessaline_Guide.exe beside Tessaline.exe. It takes from the core only what it calls (base, the language and
# settings reading, the application object, the picture loader); none of the main program's windows.
function(tessaline_add_guide)
    add_executable(Tessaline_Guide WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/guide/GuideMain.cpp
                                         ${CMAKE_CURRENT_SOURCE_DIR}/guide/GuideFormWin.cpp)
    target_link_libraries(Tessaline_Guide PRIVATE tessaline_core)
    target_link_options(Tessaline_Guide PRIVATE -municode)
    set_target_properties(Tessaline_Guide PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    tessaline_warnings(Tessaline_Guide)
    tessaline_embed_pictures(Tessaline_Guide GUIDE_)
    tessaline_version_resource(Tessaline_Guide "Tessaline first-run guide")
endfunction()
