# Windows programs of the cross build, run by CTest under Wine on a virtual X display. One Wine
# prefix inside the build tree is made once (the first wineboot takes a while); the test fixture
# "wine" starts an Xvfb and a wineserver that stay up for the whole CTest run and stops them
# afterwards. Every program runs with WINEDEBUG=-all and without Mono and Gecko, so that a fresh
# machine needs no prompts.
find_program(FOLDWISE_XVFB NAMES Xvfb)
set(FOLDWISE_WINE_STATE ${CMAKE_BINARY_DIR}/wine CACHE PATH "Wine prefix, display number and server of the tests")
set(FOLDWISE_WINE_TESTS OFF)
if(FOLDWISE_WINE AND FOLDWISE_XVFB)
  set(FOLDWISE_WINE_TESTS ON)
  add_test(NAME wine_session_start
           COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${FOLDWISE_WINE_STATE} ${FOLDWISE_WINE})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 900)
  add_test(NAME wine_session_stop
           COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${FOLDWISE_WINE_STATE} ${FOLDWISE_WINE})
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120)
elseif(FOLDWISE_WINE)
  message(STATUS "Wine found but no Xvfb: the Windows programs of the cross build are not run")
endif()

# CTest runs the target's program under Wine, in the tests' prefix and on their display.
function(foldwise_run_under_wine target)
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR
    "bash;${PROJECT_SOURCE_DIR}/cmake/wine-run.sh;${FOLDWISE_WINE_STATE};${FOLDWISE_WINE}")
endfunction()

# Tests under Wine share one desktop and its foreground window: they run one at a time.
function(foldwise_wine_test_properties)
  set_tests_properties(${ARGN} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_desktop
    TIMEOUT 120
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endfunction()
