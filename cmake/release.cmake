# The release of the Windows build: the project's version (the one place it is set is the
# project() line) carried into korvani.exe's version resource, and the target korvani-release,
# which scripts/release.sh builds: dist/korvani-VERSION-win64.zip, laid out by
# cmake/package_release.cmake.
if(NOT WIN32 OR NOT TARGET korvani)
    return()
endif()

foreach(part MAJOR MINOR PATCH)
    set(KORVANI_VERSION_${part} "${PROJECT_VERSION_${part}}")
    if(KORVANI_VERSION_${part} STREQUAL "")
        set(KORVANI_VERSION_${part} 0)
    endif()
endforeach()
set(korvani_version_dir ${CMAKE_BINARY_DIR}/generated/version)
configure_file(${CMAKE_SOURCE_DIR}/win/resources/korvani_version.h.in
               ${korvani_version_dir}/korvani_version.h @ONLY)
target_sources(korvani PRIVATE ${CMAKE_SOURCE_DIR}/win/resources/version_info.rc)
target_include_directories(korvani PRIVATE ${korvani_version_dir})

add_custom_target(korvani-release
    COMMAND ${CMAKE_COMMAND}
            -DKORVANI_EXE=$<TARGET_FILE:korvani>
            -DKORVANI_VERSION=${PROJECT_VERSION}
            -DKORVANI_BUILD_TYPE=${CMAKE_BUILD_TYPE}
            -DKORVANI_STRIP=${CMAKE_STRIP}
            -DKORVANI_SOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DKORVANI_DIST_DIR=${CMAKE_SOURCE_DIR}/dist
            -P ${CMAKE_SOURCE_DIR}/cmake/package_release.cmake
    VERBATIM)
add_dependencies(korvani-release korvani)
