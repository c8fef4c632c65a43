# Lays out one release of korvani and zips it (cmake -P): KORVANI_DIST_DIR/korvani-VERSION-win64.zip
# holding the folder korvani-VERSION/ with korvani.exe (symbols stripped), the bundled problem
# files beside it, the players' read-me and the licence. Run by the target korvani-release
# (scripts/release.sh) and by the end-to-end test of the release.
#
#   cmake -DKORVANI_EXE=... -DKORVANI_VERSION=1.2 -DKORVANI_SOURCE_DIR=... -DKORVANI_DIST_DIR=...
#         [-DKORVANI_STRIP=x86_64-w64-mingw32-strip] [-DKORVANI_BUILD_TYPE=Release]
#         -P cmake/package_release.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required KORVANI_EXE KORVANI_VERSION KORVANI_SOURCE_DIR KORVANI_DIST_DIR)
    if(NOT ${required})
        message(FATAL_ERROR "package_release.cmake needs -D${required}=...")
    endif()
endforeach()
# A player gets the optimised program, never a debug build that happened to be configured.
if(DEFINED KORVANI_BUILD_TYPE AND NOT KORVANI_BUILD_TYPE STREQUAL "Release")
    message(FATAL_ERROR "the release is built from the Release configuration, not '${KORVANI_BUILD_TYPE}'")
endif()

set(name korvani-${KORVANI_VERSION})
set(zip ${KORVANI_DIST_DIR}/${name}-win64.zip)
set(stage ${KORVANI_DIST_DIR}/.stage-${name})
set(folder ${stage}/${name})
file(REMOVE_RECURSE ${stage})
file(REMOVE ${zip})
file(MAKE_DIRECTORY ${folder})

if(KORVANI_STRIP)
    execute_process(COMMAND ${KORVANI_STRIP} -o ${folder}/korvani.exe ${KORVANI_EXE}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${KORVANI_STRIP} failed on ${KORVANI_EXE}")
    endif()
else()
    file(COPY_FILE ${KORVANI_EXE} ${folder}/korvani.exe)
endif()

file(GLOB puzzles RELATIVE ${KORVANI_SOURCE_DIR}/puzzles ${KORVANI_SOURCE_DIR}/puzzles/*.dat)
list(SORT puzzles)
if(NOT puzzles)
    message(FATAL_ERROR "no problem files in ${KORVANI_SOURCE_DIR}/puzzles")
endif()
foreach(puzzle ${puzzles})
    file(COPY_FILE ${KORVANI_SOURCE_DIR}/puzzles/${puzzle} ${folder}/${puzzle})
endforeach()

# Texts for Notepad, which reads a UTF-8 file as such only with a byte order mark, and which on
# older Windows breaks lines only at CR LF.
# The version in a text is written @KORVANI_VERSION@.
function(write_notepad_text source target)
    file(READ ${source} text)
    string(REPLACE "@KORVANI_VERSION@" "${KORVANI_VERSION}" text "${text}")
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    string(ASCII 239 187 191 byte_order_mark)
    file(WRITE ${target} "${byte_order_mark}${text}")
endfunction()
write_notepad_text(${KORVANI_SOURCE_DIR}/packaging/readme.txt ${folder}/readme.txt)
write_notepad_text(${KORVANI_SOURCE_DIR}/LICENSE ${folder}/LICENSE.txt)

# Named one by one, so that the zip lists them in this order. cmake's zip marks the names as
# UTF-8; Info-ZIP's zip does not.
set(members ${name}/korvani.exe ${name}/readme.txt ${name}/LICENSE.txt)
foreach(puzzle ${puzzles})
    list(APPEND members ${name}/${puzzle})
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip -- ${members}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE status)
file(REMOVE_RECURSE ${stage})
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not write ${zip}")
endif()
message(STATUS "Wrote ${zip}")
