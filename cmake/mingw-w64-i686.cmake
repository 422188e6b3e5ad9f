# Cross-builds the 32-bit Windows program with Debian's MinGW-w64 (g++-mingw-w64-i686):
# the build for 32-bit Windows XP SP3, which no 64-bit program runs on.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
