# What both mingw-w64 toolchain files share; each sets DLG_MINGW_PREFIX and DLG_WINEARCH first.
# Posix thread model (GoogleTest needs std::mutex). Programs are linked statically so they need
# no DLL beyond the system's, and run under Wine through scripts/wine-run.sh, which CTest uses as
# the emulator, in a prefix of the build's architecture.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${DLG_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DLG_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${DLG_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DLG_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C runtime's printf/strtold must handle the 80-bit long double (msvcrt's do not).
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(DLG_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;DLG_WINEARCH=${DLG_WINEARCH};${DLG_SOURCE_ROOT}/scripts/wine-run.sh)
