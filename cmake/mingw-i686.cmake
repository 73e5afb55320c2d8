# Cross compiling for 32-bit Windows with mingw-w64: the product as it has always been.
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DLG_MINGW_PREFIX i686-w64-mingw32)
set(DLG_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
