# Recorded runs of the whole game: each runs glumbo-replay and compares its
# state trace with the one committed in tests/replays/, so that any change in
# how the game plays shows up as a difference to review.
set(GLUMBO_REPLAY_DIR ${CMAKE_CURRENT_SOURCE_DIR}/replays)
if(TARGET glumbo-replay)
  file(STRINGS ${GLUMBO_REPLAY_DIR}/runs.txt replay_runs REGEX "^[a-z]")
  foreach(run ${replay_runs})
    string(REPLACE " " ";" words "${run}")
    list(POP_FRONT words name)
    add_test(NAME replay_${name}
      COMMAND ${CMAKE_COMMAND}
        -DTOOL=$<TARGET_FILE:glumbo-replay> -DDATA=${GLUMBO_RUN_DIR} -DNAME=${name}
        -DDIR=${GLUMBO_REPLAY_DIR} -DOUT=${CMAKE_BINARY_DIR}/replays "-DOPTIONS=${words}"
        -P ${GLUMBO_REPLAY_DIR}/check-replay.cmake)
    set_tests_properties(replay_${name} PROPERTIES
      ENVIRONMENT "GLUMBO_MSGBOX=log;SDL_AUDIODRIVER=dummy"
      TIMEOUT 300)
  endforeach()
endif()

# The whole-game test runs the built replay tool and the game itself.
if(TARGET test_end_to_end_game)
  add_dependencies(test_end_to_end_game glumbo-replay)
  if(TARGET glumbo_content)
    add_dependencies(test_end_to_end_game glumbo_content)
  endif()
  target_compile_definitions(test_end_to_end_game PRIVATE GLUMBO_REPLAY_TOOL="$<TARGET_FILE:glumbo-replay>")
endif()

# The whole game takes a few seconds in a plain build and about a minute with
# the sanitizers: it is a long test. Its name comes from test discovery, whose
# list is read by CTest before this file.
set(GLUMBO_LONG_TESTS_FILE ${CMAKE_CURRENT_BINARY_DIR}/end_to_end_labels.cmake)
file(WRITE ${GLUMBO_LONG_TESTS_FILE}
  "set_tests_properties(EndToEndGame.AutoplayerFinishesTheWholeGameWithoutDrawing PROPERTIES LABELS long TIMEOUT 600)\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${GLUMBO_LONG_TESTS_FILE})
