# quenlor_windows_binary(<target> DESCRIPTION <text> [ICON])
#
# Gives a Windows executable or DLL the resources that Explorer and the
# loader read: the version information, from the project version, and, for
# an executable, the application manifest. ICON adds the program's icon as
# MAINICON, which the forms' windows also take.
function(quenlor_windows_binary target)
  cmake_parse_arguments(ARG "ICON" "DESCRIPTION" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  set(QUENLOR_DESCRIPTION "${ARG_DESCRIPTION}")
  set(QUENLOR_FILE_TYPE VFT_APP)
  set(QUENLOR_MANIFEST "")
  set(QUENLOR_ICON "")
  if(type STREQUAL "SHARED_LIBRARY")
    set(QUENLOR_FILE_TYPE VFT_DLL)
  else()
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${QUENLOR_CMAKE_DIR}/program.manifest.in ${manifest} @ONLY)
    set(QUENLOR_MANIFEST "1 24 \"${manifest}\"")
  endif()
  if(ARG_ICON)
    set(QUENLOR_ICON "MAINICON ICON \"${CMAKE_SOURCE_DIR}/app/Quenlor.ico\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_binary.rc)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${target}_binary.o)
  configure_file(${QUENLOR_CMAKE_DIR}/binary.rc.in ${rc}.in @ONLY)
  # The file name is known once the target is generated.
  file(GENERATE OUTPUT ${rc} INPUT ${rc}.in)
  add_custom_command(OUTPUT ${obj}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${rc} -o ${obj}
    DEPENDS ${rc} ${QUENLOR_CMAKE_DIR}/binary.rc.in ${QUENLOR_CMAKE_DIR}/program.manifest.in
            ${CMAKE_SOURCE_DIR}/app/Quenlor.ico
    COMMENT "Version resource and manifest of ${target}"
    VERBATIM)
  set_source_files_properties(${obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${obj})
endfunction()
set(QUENLOR_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})
