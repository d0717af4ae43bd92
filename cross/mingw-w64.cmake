# Cross build for 64-bit Windows with Debian's mingw-w64 compilers
# (package g++-mingw-w64-x86-64). The posix-threads variant provides
# std::thread and std::mutex, which GoogleTest uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DRAVELO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DRAVELO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DRAVELO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${DRAVELO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DRAVELO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no compiler runtime DLLs to place beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs cannot run on the build machine while they are built: list
# their tests only when the tests run.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
