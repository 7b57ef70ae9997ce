# The Debian package, made by CPack: `make package` leaves
# build/package/glumbo3d_VERSION_ARCH.deb.
#
# The package holds two install components: "common" (desktop entry, AppStream
# metadata, icons, manual page: where a plain install puts them too) and
# "deb", which lays the program and its data out as Debian lays out games and
# adds the copyright file and changelog. A plain `cmake --install` leaves "deb" out.

# A Debian package is made for Linux builds only.
if(WIN32)
  return()
endif()

set(GLUMBO_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# Manual page and changelog are shipped compressed, without a timestamp.
foreach(doc glumbo3d.6 changelog)
  add_custom_command(
    OUTPUT ${GLUMBO_PACKAGING_DIR}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLUMBO_PACKAGING_DIR}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/packaging/${doc} ${GLUMBO_PACKAGING_DIR}/${doc}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${doc}
    VERBATIM)
endforeach()
add_custom_target(glumbo_packaging_docs ALL
  DEPENDS ${GLUMBO_PACKAGING_DIR}/glumbo3d.6.gz ${GLUMBO_PACKAGING_DIR}/changelog.gz)

install(FILES ${GLUMBO_PACKAGING_DIR}/glumbo3d.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT common)

install(TARGETS glumbo3d RUNTIME DESTINATION games COMPONENT deb EXCLUDE_FROM_ALL)
foreach(folder pantallas texturas sonidos)
  install(DIRECTORY ${GLUMBO_RUN_DIR}/${folder} DESTINATION share/games/glumbo3d COMPONENT deb EXCLUDE_FROM_ALL)
endforeach()
install(FILES packaging/copyright ${GLUMBO_PACKAGING_DIR}/changelog.gz
        DESTINATION share/doc/glumbo3d COMPONENT deb EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glumbo3d)
set(CPACK_PACKAGE_CONTACT "Glumbo 3D maintainers <maintainers@users.noreply.c-seed-efa520b6.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maze-chase game in 3D: eat the coins and flee the ghosts")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/packaging/description.txt)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${CMAKE_BINARY_DIR};glumbo3d;deb;/"
  "${CMAKE_BINARY_DIR};glumbo3d;common;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary links come from shlibdeps. Two more are looked up at
# run time: the font by name, and libGL.so.1, which SDL opens for the window's
# OpenGL context (the binary itself links only libOpenGL.so.0).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libgl1")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
