# The damaged-data runs start the built replay tool once for every damage of
# every data file. The pictures and sounds are left to the plain build (label
# "long"); the text files run under the sanitizers as well. Test names come
# from test discovery, whose list CTest reads before this file's.
if(TARGET test_damaged_data)
  add_dependencies(test_damaged_data glumbo-replay)
  if(TARGET glumbo_content)
    add_dependencies(test_damaged_data glumbo_content)
  endif()
  target_compile_definitions(test_damaged_data PRIVATE GLUMBO_REPLAY_TOOL="$<TARGET_FILE:glumbo-replay>")
  set(GLUMBO_DAMAGED_DATA_FILE ${CMAKE_CURRENT_BINARY_DIR}/damaged_data_labels.cmake)
  file(WRITE ${GLUMBO_DAMAGED_DATA_FILE}
    "set_tests_properties(DamagedData.LevelMonsterAndClosingSceneFiles PROPERTIES TIMEOUT 900)\n"
    "set_tests_properties(DamagedData.PicturesAndSounds PROPERTIES LABELS long TIMEOUT 900)\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${GLUMBO_DAMAGED_DATA_FILE})
endif()
