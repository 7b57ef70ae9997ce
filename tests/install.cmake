# The installed game, started from another folder, finds its data and quits on Escape.
if(NOT GLUMBO_SANITIZE)
  add_test(NAME InstalledGameRunsFromAnywhere
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(InstalledGameRunsFromAnywhere PROPERTIES LABELS long TIMEOUT 120)
endif()
