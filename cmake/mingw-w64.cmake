# What the MinGW-w64 toolchain files share: Debian's cross compiler for
# CMAKE_SYSTEM_PROCESSOR, which the including file sets. The Win32 thread model: no thread
# library comes in, whose newer imports would keep the program from loading on Windows XP.
# Everything is linked statically, so that no program needs a MinGW DLL at run time. Tests
# run under Wine, each in a Wine prefix kept inside the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(BRASK_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${BRASK_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${BRASK_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${BRASK_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRASK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in: every executable stands alone beside the system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
