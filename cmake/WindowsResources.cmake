# The resources every executable carries: icon group 200, the application
# manifest asking for version 6 of the common controls for the build's own
# architecture, and a version resource.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WINDOWS_ARCHITECTURE amd64)
else()
  set(WINDOWS_ARCHITECTURE x86)
endif()

# add_windows_resources(TARGET NAME ICON): NAME.rc.in and NAME.manifest.in lie
# beside the target's sources; ICON is the icon file.
function(add_windows_resources target name icon)
  set(ICON_FILE ${icon})
  set(MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
  configure_file(${name}.manifest.in ${MANIFEST_FILE} @ONLY)
  configure_file(${name}.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}.rc PROPERTIES OBJECT_DEPENDS "${icon};${MANIFEST_FILE}")
  if(MSVC)
    # The manifest comes from the resource script, not from the linker.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
