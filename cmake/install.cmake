# The SDK of the Windows build: what `cmake --install` puts under a prefix and what cpack packs
# as a ZIP (scripts/package.sh):
#   bin/                      dlgserver.exe, dlgrun.exe, comptext.exe, dlgclient.dll
#   include/                  dlgclient.h; client/*.h of the C++ client library and the headers
#                             of ours they include, at their include paths; server/protocol.h
#                             and server/dlgprotocol.h, the wire protocol for C++ and for C
#   lib/                      libdlgclient.dll.a (import library of dlgclient.dll) and dlgclient.def
#                             (its exports, for other linkers); the C++ client library
#                             libdlgclientxx.a with libdlgplatform.a and libdlgcore.a;
#                             pkgconfig/dlgclient.pc
#   lib/cmake/DialogServer/   find_package(DialogServer): imported targets
#   share/doc/dlgserver/      README.md, LICENSE, CHANGELOG.md, docs/ (with its images), examples/ (the C clients,
#                             a C++ client and examples/sdk, a CMake project that builds them)
#   share/dlgserver/cmake/    the mingw-w64 toolchain files
# Test programs and benchmarks stay in the build. The static libraries stay three
# archives, as built: the package's imported targets link them in order, and a merged archive
# would need a build step of its own for nothing a linker cannot do.
include(CMakePackageConfigHelpers)

set(DLG_INSTALL_CMAKEDIR lib/cmake/DialogServer)
set(DLG_INSTALL_DOCDIR share/doc/dlgserver)

# The platform's default prefix (C:/Program Files (x86)/...) is no place on the build machine.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${CMAKE_BINARY_DIR}/install CACHE PATH "Where cmake --install puts the SDK" FORCE)
endif()

# The package bears the one version (cmake/version.cmake).
set(DLG_PACKAGE_VERSION ${DLG_VERSION})

# The headers `roots` (paths under src/) and every header of ours they include, followed through
# their own includes. Our includes are written from src/ ("platform/win32.h"); one written from
# the including header's folder is found there. A change to any of them reconfigures.
function(dlg_header_closure out)
  set(pending ${ARGN})
  set(found)
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST found)
      continue()
    endif()
    list(APPEND found ${header})
    set(file ${PROJECT_SOURCE_DIR}/src/${header})
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    get_filename_component(folder ${header} DIRECTORY)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      if(EXISTS ${PROJECT_SOURCE_DIR}/src/${included})
        list(APPEND pending ${included})
      elseif(folder AND EXISTS ${PROJECT_SOURCE_DIR}/src/${folder}/${included})
        list(APPEND pending ${folder}/${included})
      else()
        message(FATAL_ERROR "src/${header} includes \"${included}\", which is not under src/")
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The programs and dlgclient.dll with its import library and header.
install(TARGETS dlgserver dlgrun comptext RUNTIME DESTINATION bin)
install(TARGETS dlgclient_dll
  RUNTIME DESTINATION bin
  ARCHIVE DESTINATION lib
  PUBLIC_HEADER DESTINATION include)
install(FILES ${DLG_WIN_BIN_DIR}/dlgclient.def DESTINATION lib)

# The C++ client library: its archives and headers. server/protocol.h names the wire protocol's
# codes for clients of one's own.
install(TARGETS dlgclient dlgplatform dlgcore ARCHIVE DESTINATION lib)
dlg_header_closure(sdk_headers client/dialog_client.h client/auto_driver.h server/protocol.h streaming/reply_reader.h)
foreach(header IN LISTS sdk_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header} DESTINATION include/${folder})
endforeach()

# find_package(DialogServer): a written config (the libraries' build include directories are
# source folders, which an exported target may not carry), and its version file.
# The architecture the SDK is for: win32 or win64, in the ZIP's name, and checked by the package
# config (a 32-bit program cannot use the 64-bit libraries, nor the reverse).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DLG_PACKAGE_ARCH win64)
  set(DLG_PACKAGE_OTHER_ARCH win32)
  set(DLG_PACKAGE_BITS 64)
else()
  set(DLG_PACKAGE_ARCH win32)
  set(DLG_PACKAGE_OTHER_ARCH win64)
  set(DLG_PACKAGE_BITS 32)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/DialogServerConfig.cmake.in
  ${CMAKE_BINARY_DIR}/DialogServerConfig.cmake
  INSTALL_DESTINATION ${DLG_INSTALL_CMAKEDIR})
# The version file marks the package unsuitable for a project of the other architecture, with
# the architecture in the version CMake lists among the packages it considered ("1.1.0
# (32bit)"), so that find_package goes on to the next prefix: the other SDK, where both are on
# CMAKE_PREFIX_PATH.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/DialogServerConfigVersion.cmake
  VERSION ${DLG_PACKAGE_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/DialogServerConfig.cmake ${CMAKE_BINARY_DIR}/DialogServerConfigVersion.cmake
  DESTINATION ${DLG_INSTALL_CMAKEDIR})
# pkg-config, for build systems other than CMake: dlgclient.dll through its import library.
configure_file(${CMAKE_CURRENT_LIST_DIR}/dlgclient.pc.in ${CMAKE_BINARY_DIR}/dlgclient.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dlgclient.pc DESTINATION lib/pkgconfig)

# The README with the docs and the examples in the source tree's layout, so that its links and
# paths (docs/..., examples/...) hold in the SDK too.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${DLG_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/architecture.md ${PROJECT_SOURCE_DIR}/docs/classes.md
              ${PROJECT_SOURCE_DIR}/docs/failures.md
  DESTINATION ${DLG_INSTALL_DOCDIR}/docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${DLG_INSTALL_DOCDIR}/docs)
install(FILES ${PROJECT_SOURCE_DIR}/examples/open_dialog.c ${PROJECT_SOURCE_DIR}/examples/raw_client.c
              ${PROJECT_SOURCE_DIR}/examples/cancel_dialog.cpp
  DESTINATION ${DLG_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/examples/sdk/CMakeLists.txt DESTINATION ${DLG_INSTALL_DOCDIR}/examples/sdk)
# The mingw-w64 toolchain files the SDK was built with, for a project of one's own.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake ${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake
              ${PROJECT_SOURCE_DIR}/cmake/mingw-common.cmake
  DESTINATION share/dlgserver/cmake)

# cpack (scripts/package.sh): the installed tree as dlgserver-<version>-<arch>.zip in the build
# folder, everything under one top folder of that name.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dlgserver)
set(CPACK_PACKAGE_VENDOR "The dialog server developers")
set(CPACK_PACKAGE_VERSION ${DLG_PACKAGE_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Dialog server for ${DLG_PACKAGE_BITS}-bit Windows programs, its client libraries and tools")
set(CPACK_PACKAGE_FILE_NAME dlgserver-${DLG_PACKAGE_VERSION}-${DLG_PACKAGE_ARCH})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# A source package holds the sources, never the build folders.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")
include(CPack)
