# Shared CMake helpers.

# Warnings on, and clean, in our own code.
function(dlg_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# The portable .cpp files of a source folder: all but those ending in _win.cpp.
function(dlg_sources out folder)
  file(GLOB all CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(FILTER all EXCLUDE REGEX "_win\\.cpp$")
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# The Windows .cpp files of a source folder: those ending in _win.cpp.
function(dlg_win_sources out folder)
  file(GLOB all CONFIGURE_DEPENDS ${folder}/*_win.cpp)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# One GoogleTest executable per test folder: tests/<kind>/<folder>/*_test.cpp -> <kind>_<folder>.
function(dlg_test_folder kind folder)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(NOT files)
    return()
  endif()
  set(name ${kind}_${folder})
  add_executable(${name} ${files} ${ARGN})
  target_link_libraries(${name} PRIVATE dlgcore GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  dlg_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
