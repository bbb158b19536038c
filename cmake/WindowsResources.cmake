# The resources every executable carries: icon group 200, the application
# manifest (version 6 of the common controls for the build's own architecture,
# run as the invoker, the supported Windows versions, system DPI awareness),
# and a version resource.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WINDOWS_ARCHITECTURE amd64)
else()
  set(WINDOWS_ARCHITECTURE x86)
endif()

set(APPLICATION_MANIFEST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/Application.manifest.in)

# add_windows_resources(TARGET NAME ICON): NAME.rc.in lies beside the target's
# sources (NAME may lead through a folder); the manifest names the executable
# after NAME's last part; ICON is the icon file.
function(add_windows_resources target name icon)
  set(ICON_FILE ${icon})
  get_filename_component(APPLICATION_NAME ${name} NAME)
  set(MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
  configure_file(${APPLICATION_MANIFEST_TEMPLATE} ${MANIFEST_FILE} @ONLY)
  configure_file(${name}.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}.rc PROPERTIES OBJECT_DEPENDS "${icon};${MANIFEST_FILE}")
  if(MSVC)
    # The manifest comes from the resource script, not from the linker.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
