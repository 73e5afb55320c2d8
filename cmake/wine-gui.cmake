# Windows test programs that show windows: run under Wine on a virtual display, in a prefix of
# their own (scripts/wine-gui-run.sh), one at a time so their windows do not meet.
function(dlg_gui_test target)
  add_test(NAME ${target}
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-gui-run.sh $<TARGET_FILE:${target}> --gtest_brief=1 ${ARGN})
  set_tests_properties(${target} PROPERTIES
    TIMEOUT 600 RUN_SERIAL TRUE
    ENVIRONMENT "DLG_WINEARCH=${DLG_WINEARCH};DLG_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-gui;DLG_WINE_TIMEOUT=580")
endfunction()

# A program that prepares the GUI prefix for the tests that require `fixture` (FIXTURES_REQUIRED):
# it runs under the same prefix and display, before them.
function(dlg_gui_fixture name target fixture)
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-gui-run.sh $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 120 RUN_SERIAL TRUE FIXTURES_SETUP ${fixture}
    ENVIRONMENT "DLG_WINEARCH=${DLG_WINEARCH};DLG_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-gui;DLG_WINE_TIMEOUT=100")
endfunction()
