# The Windows build: the game with its icon and version information, the two
# tools that run the game, the data taken from a native build (its generators
# run on the build machine), and the backend's unit tests.

target_link_libraries(glumbo PUBLIC opengl32 glu32 gdi32 winmm shell32)

# A game, not a console program: no console window opens beside it.
target_link_options(glumbo3d PRIVATE -mwindows)

enable_language(RC)
set(GLUMBO_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
set(GLUMBO_ICON_FILE "" CACHE FILEPATH "The game's icon (.ico) for its executable")
if(GLUMBO_ICON_FILE)
  set(GLUMBO_ICON_LINE "1 ICON \"${GLUMBO_ICON_FILE}\"")
else()
  set(GLUMBO_ICON_LINE "")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/glumbo3d.rc.in ${CMAKE_BINARY_DIR}/glumbo3d.rc @ONLY)
target_sources(glumbo3d PRIVATE ${CMAKE_BINARY_DIR}/glumbo3d.rc)

foreach(tool glumbo-replay glumbo-tool)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/${tool} ${CMAKE_BINARY_DIR}/tools/${tool})
  set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GLUMBO_RUN_DIR})
endforeach()
# mingw's g++ 12 sees a freed non-heap pointer in a vector assigned from an
# initializer list of strings (a known false alarm of that version's inliner).
target_compile_options(glumbo-tool PRIVATE -Wno-free-nonheap-object)

# The data: levels, textures and sounds as the native build made them.
set(GLUMBO_NATIVE_RUN_DIR "${CMAKE_SOURCE_DIR}/build/run" CACHE PATH "The run directory of a native build")
add_custom_target(glumbo_windows_data ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GLUMBO_RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GLUMBO_NATIVE_RUN_DIR}/pantallas ${GLUMBO_RUN_DIR}/pantallas
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GLUMBO_NATIVE_RUN_DIR}/texturas ${GLUMBO_RUN_DIR}/texturas
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GLUMBO_NATIVE_RUN_DIR}/sonidos ${GLUMBO_RUN_DIR}/sonidos
  COMMENT "Taking the game's data from ${GLUMBO_NATIVE_RUN_DIR}"
  VERBATIM)

# The backend's unit tests, with googletest built from Debian's sources.
set(GLUMBO_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest's sources")
if(EXISTS ${GLUMBO_GTEST_SOURCE}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GLUMBO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main)
    target_compile_options(${lib} PRIVATE -Wno-error)
  endforeach()
  file(GLOB GLUMBO_WIN_TEST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
  add_executable(glumbo-win32-tests ${GLUMBO_WIN_TEST_FILES} ${CMAKE_SOURCE_DIR}/tests/support/test_support.cpp)
  target_link_libraries(glumbo-win32-tests PRIVATE glumbo gtest_main)
  target_include_directories(glumbo-win32-tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(glumbo-win32-tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()
