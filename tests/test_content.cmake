# The content tests read the generated run directory and use the generators'
# own code, so they link those libraries and build after the content.
foreach(name test_content_compiler test_content_assets)
  if(TARGET ${name})
    target_link_libraries(${name} PRIVATE levelc_core texgen_core soundgen_core)
    if(TARGET glumbo_content)
      add_dependencies(${name} glumbo_content)
    endif()
  endif()
endforeach()
