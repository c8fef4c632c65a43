# Cross toolchain: clang for the same MinGW-w64 x86_64 target as mingw-w64-x86_64.cmake, with the
# MinGW-w64 g++ runtime (posix threads) and lld. It proves the sources build on a second compiler;
# its tests are not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(korvani_mingw_target x86_64-w64-mingw32)
set(korvani_mingw_runtime /usr/lib/gcc/x86_64-w64-mingw32/12-posix)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${korvani_mingw_target})
set(CMAKE_CXX_COMPILER_TARGET ${korvani_mingw_target})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# clang finds MinGW-w64's C headers and import libraries by itself, but not g++'s C++ headers.
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${korvani_mingw_runtime}/include/c++ -isystem ${korvani_mingw_runtime}/include/c++/${korvani_mingw_target}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${korvani_mingw_runtime}")
# The static libstdc++ of the posix runtime needs winpthreads.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
