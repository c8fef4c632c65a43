# The version set once, in CMakeLists.txt's project() line, is the one korvani.exe carries: the
# numbers of its version resource and the texts of both language blocks (Japanese, English).
# The About box's text and the manifest's identity are written by hand in the resources, so they
# are held to the same version here.
#   cmake -DEXE=korvani.exe -DWINDRES=...windres -DVERSION=1.2 -P check_version.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${WINDRES} could not read the resources of ${EXE}")
endif()

string(REPLACE "." ";" parts "${VERSION}")
list(APPEND parts 0 0 0)
list(SUBLIST parts 0 4 parts)
list(JOIN parts ", " numbers)
list(JOIN parts "." dotted)

set(failures "")
function(expect_count pattern count what)
    string(REGEX MATCHALL "${pattern}" found "${dump}")
    list(LENGTH found n)
    if(NOT n EQUAL count)
        set(failures "${failures}\n  ${what}: ${n} times, expected ${count}" PARENT_SCOPE)
    endif()
endfunction()

string(REPLACE "." "\\." version_pattern "${VERSION}")
expect_count(" FILEVERSION ${numbers}\n" 1 "FILEVERSION ${numbers}")
expect_count(" PRODUCTVERSION ${numbers}\n" 1 "PRODUCTVERSION ${numbers}")
expect_count("BLOCK \"041104b0\"" 1 "the Japanese block")
expect_count("BLOCK \"040904b0\"" 1 "the English block")
expect_count("VALUE \"Translation\", 0x411, 1200, 0x409, 1200" 1 "the translation list")
expect_count("VALUE \"FileVersion\", \"${version_pattern}\"" 2 "FileVersion ${VERSION}")
expect_count("VALUE \"ProductVersion\", \"${version_pattern}\"" 2 "ProductVersion ${VERSION}")
expect_count("VALUE \"ProductName\", \"korvani\"" 2 "ProductName korvani")
expect_count("VALUE \"FileDescription\", " 2 "FileDescription")
expect_count("VALUE \"LegalCopyright\", \"Copyright \\(c\\) 2026 the korvani developers\"" 2
             "LegalCopyright")
expect_count("RTEXT \"korvani version ${version_pattern}\"" 1 "the About box's version line")
string(REPLACE "." "\\." dotted_pattern "${dotted}")
expect_count("assemblyIdentity[^\n]* version=\"\"${dotted_pattern}\"\"" 1
             "the manifest's version ${dotted}")
if(failures)
    message(FATAL_ERROR "korvani.exe does not carry version ${VERSION}:${failures}")
endif()
