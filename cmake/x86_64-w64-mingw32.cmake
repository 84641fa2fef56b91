# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads), run under Wine.
# A static build: corvina.exe needs only the DLLs of Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVINA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVINA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVINA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVINA_MINGW}-windres)

# Libraries and packages come from the cross root only, never from the Linux system.
set(CMAKE_FIND_ROOT_PATH /usr/${CORVINA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
# The window module too: it must load beside corvina.exe with nothing else installed.
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs (ctest, the test discovery) run under Wine.
find_program(CORVINA_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVINA_WINE})
# The drive under which Wine shows the build machine's root, for paths compiled into the tests.
set(CORVINA_HOST_DRIVE "Z:")
