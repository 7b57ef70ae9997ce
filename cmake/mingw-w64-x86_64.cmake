# Cross-building the Windows game with Debian's mingw-w64 (the -posix variant,
# whose C++ library has std::thread and std::mutex, as googletest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLUMBO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLUMBO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLUMBO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${GLUMBO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLUMBO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the threads library go inside each .exe, so that
# it needs no DLL that Windows does not ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
