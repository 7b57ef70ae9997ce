# The platform seams hold: Windows, SDL, FreeType and fontconfig stay behind
# src/platform (tests/windows/platform_seams.sh).
add_test(NAME platform_seams COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/platform_seams.sh)
set_tests_properties(platform_seams PROPERTIES LABELS unit)

# The game's own PNG encoder (both backends) is read back with libpng.
find_package(PNG REQUIRED)
foreach(reader test_png_encode)
  if(TARGET ${reader})
    target_link_libraries(${reader} PRIVATE PNG::PNG)
  endif()
endforeach()
