# The desktop icon in the other sizes desktops and software centres ask for,
# scaled from the same life icon as the 64-pixel one.
if(TARGET glumbo_content)
  set(GLUMBO_ICON_SIZES 16 24 32 48 128 256)
  set(icons)
  foreach(size ${GLUMBO_ICON_SIZES})
    set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/glumbo3d.png)
    add_custom_command(
      OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND $<TARGET_FILE:glumbo-tool> bmp-to-png --size ${size} ${GLUMBO_RUN_DIR}/texturas/vida.bmp ${icon}
      DEPENDS glumbo-tool glumbo_content
      COMMENT "Making the ${size}-pixel desktop icon"
      VERBATIM)
    list(APPEND icons ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT common OPTIONAL)
  endforeach()
  add_custom_target(glumbo_icon_sizes ALL DEPENDS ${icons})
endif()
