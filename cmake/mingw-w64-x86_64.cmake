# Cross-builds the 64-bit Windows program and its tests with Debian's MinGW-w64
# (g++-mingw-w64-x86-64); the tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
