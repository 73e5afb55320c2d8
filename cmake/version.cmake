# The one version number: the C interface's (DLGCLIENT_VERSION in src/client/dlgclient.h,
# major * 65536 + minor), which is the contract a program built against the SDK relies on. Every
# binary carries it (dlg_version_resource), the programs print it (--version, from the generated
# dlg_version.h), and the package bears it.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/client/dlgclient.h version_line
     REGEX "^#define DLGCLIENT_VERSION 0x[0-9A-Fa-f]+")
if(NOT version_line MATCHES "0x([0-9A-Fa-f]+)")
  message(FATAL_ERROR "no DLGCLIENT_VERSION in src/client/dlgclient.h")
endif()
math(EXPR DLG_VERSION_MAJOR "0x${CMAKE_MATCH_1} >> 16")
math(EXPR DLG_VERSION_MINOR "0x${CMAKE_MATCH_1} & 0xFFFF")
set(DLG_VERSION ${DLG_VERSION_MAJOR}.${DLG_VERSION_MINOR}.0)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/client/dlgclient.h)

configure_file(${CMAKE_CURRENT_LIST_DIR}/dlg_version.h.in ${CMAKE_BINARY_DIR}/generated/dlg_version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

# A version resource for `target`, whose file is `file_name` ("dlgserver.exe"), described as
# `description`: what installers and the file's properties show.
function(dlg_version_resource target file_name description)
  set(DLG_FILE_NAME ${file_name})
  set(DLG_FILE_DESCRIPTION ${description})
  set(DLG_FILE_TYPE VFT_APP)
  if(file_name MATCHES "\\.dll$")
    set(DLG_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
