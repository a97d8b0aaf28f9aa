# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads variant): the game
# against the real windows.h and d3d9.h, linked statically so that it runs on a stock Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GORVANTI_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GORVANTI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GORVANTI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GORVANTI_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW tree only; programs (the host tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${GORVANTI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLL may be needed beside the program: libgcc, libstdc++ and winpthread go in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine from CTest.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
