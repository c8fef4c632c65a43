# korvani.exe must start on any Windows as it comes: every DLL its import table names is part of
# Windows itself, never a MinGW runtime (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) that a
# player would not have.   cmake -DEXE=korvani.exe -DOBJDUMP=...objdump -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" entries "${dump}")
if(NOT entries)
    message(FATAL_ERROR "no import table in ${EXE}")
endif()

# DLLs that every Windows from 8.1 on has in System32.
set(system_dlls advapi32 bcrypt comctl32 comdlg32 crypt32 dwmapi gdi32 imm32 kernel32 msimg32
    msvcrt ntdll ole32 oleaut32 shcore shell32 shlwapi user32 uxtheme version winmm ws2_32)
set(foreign "")
set(imported "")
foreach(entry ${entries})
    string(REGEX REPLACE "^DLL Name: *" "" dll "${entry}")
    string(STRIP "${dll}" dll)
    list(APPEND imported ${dll})
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    if(NOT name IN_LIST system_dlls)
        list(APPEND foreign ${dll})
    endif()
endforeach()
if(foreign)
    message(FATAL_ERROR "korvani.exe needs DLLs that Windows does not have: ${foreign}")
endif()
message(STATUS "korvani.exe imports ${imported}")
