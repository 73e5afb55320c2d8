# Cross compiling for 64-bit Windows with mingw-w64: the server and client library for 64-bit
# client programs, from the same source; tested under wine64.
#   cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DLG_MINGW_PREFIX x86_64-w64-mingw32)
set(DLG_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
