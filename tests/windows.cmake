# The platform seams hold: Windows, SDL, FreeType and fontconfig stay behind
# src/platform (tests/windows/platform_seams.sh).
add_test(NAME platform_seams COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/platform_seams.sh)
set_tests_properties(platform_seams PROPERTIES LABELS unit)

# The PNG encoder's output is read back with libpng.
if(TARGET test_png_encode)
  find_package(PNG REQUIRED)
  target_link_libraries(test_png_encode PRIVATE PNG::PNG)
endif()
