# The window as the player meets it on a desktop: dragged to a new size,
# switched to full screen and back, a picture taken. These need a window
# manager, so the test runs on a display of its own.
add_executable(test_window_manager ${CMAKE_CURRENT_SOURCE_DIR}/window_manager/test_window_manager.cpp)
target_link_libraries(test_window_manager PRIVATE glumbo_test_support GTest::gtest_main)
target_compile_definitions(test_window_manager PRIVATE GLUMBO_BINARY_DIR="${CMAKE_BINARY_DIR}")
add_test(NAME WindowOnADesktop
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/window_manager/run_with_window_manager.sh
                 $<TARGET_FILE:test_window_manager>)
set_tests_properties(WindowOnADesktop PROPERTIES
  ENVIRONMENT "GLUMBO_MSGBOX=log;SDL_AUDIODRIVER=dummy" LABELS unit TIMEOUT 120)
