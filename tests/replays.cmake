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

