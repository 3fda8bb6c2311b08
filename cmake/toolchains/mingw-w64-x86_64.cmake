# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers. The -posix variants provide std::thread and
# std::mutex, which GoogleTest needs. Programs are linked statically so that they run without MinGW's DLLs, and
# Wine runs them wherever the build runs its own programs (ctest, test discovery).
#
#   cmake -S . -B /tmp/build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(cdrMingwPrefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${cdrMingwPrefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${cdrMingwPrefix}-g++-posix)
set(CMAKE_RC_COMPILER ${cdrMingwPrefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${cdrMingwPrefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(CDR_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CDR_WINE})

# Test programs are listed when ctest runs rather than right after linking, so that building needs no Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Debian has no GoogleTest for Windows, only its sources: find_package(GTest) builds them within this build.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/googletest-from-source)
