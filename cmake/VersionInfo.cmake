# The version resource and the application manifest of every program and DLL that ships, from the one version of
# the repository (the file VERSION, read into TESSALINE_VERSION by the top-level CMakeLists.txt).
#   tessaline_version_resource(<target> "<description>")
function(tessaline_version_resource target description)
    get_target_property(type ${target} TYPE)
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    if(type STREQUAL "SHARED_LIBRARY")
        set(TESSALINE_RESOURCE_FILE ${name}.dll)
        set(TESSALINE_FILE_TYPE VFT_DLL)
        set(TESSALINE_MANIFEST_ID 2)  # ISOLATIONAWARE_MANIFEST_RESOURCE_ID: a DLL's own manifest
    else()
        set(TESSALINE_RESOURCE_FILE ${name}.exe)
        set(TESSALINE_FILE_TYPE VFT_APP)
        set(TESSALINE_MANIFEST_ID 1)  # CREATEPROCESS_MANIFEST_RESOURCE_ID
    endif()
    set(TESSALINE_RESOURCE_NAME ${name})
    set(TESSALINE_RESOURCE_DESCRIPTION "${description}")
    string(REPLACE "." "," TESSALINE_VERSION_COMMAS "${TESSALINE_VERSION}.0")
    set(TESSALINE_VERSION_QUAD "${TESSALINE_VERSION}.0")
    set(TESSALINE_MANIFEST_PATH ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/Program.manifest.in ${TESSALINE_MANIFEST_PATH} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    # The manifest is read by the resource compiler: a change to it rebuilds the resource.
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${TESSALINE_MANIFEST_PATH})
endfunction()
