# The Debian package: built, checked by lintian, unpacked and played.
# Not in the sanitized build: the package holds the plain build's game.
if(NOT GLUMBO_SANITIZE AND NOT WIN32)
  add_test(NAME DebianPackageInstallsAndRuns
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(DebianPackageInstallsAndRuns PROPERTIES LABELS long TIMEOUT 300)
endif()
