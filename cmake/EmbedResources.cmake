# quenlor_embed_resources(<target> [DIRECTORY <dir>] [PREFIX <prefix>])
#
# Compiles every file under <dir> (default: the top-level resources/) into
# <target> as an RCDATA resource named <prefix><path relative to dir>, with
# forward slashes, e.g. "skins/blue/tab.png". The resource compiler stores
# names in upper case; FindResourceW looks them up ignoring case.
function(quenlor_embed_resources target)
  cmake_parse_arguments(ARG "" "DIRECTORY;PREFIX" "" ${ARGN})
  if(NOT ARG_DIRECTORY)
    set(ARG_DIRECTORY ${CMAKE_SOURCE_DIR}/resources)
  endif()
  file(GLOB_RECURSE files CONFIGURE_DEPENDS LIST_DIRECTORIES false ${ARG_DIRECTORY}/*)
  if(NOT files)
    return()
  endif()
  list(SORT files)
  # Every entry gets its own LANGUAGE line: besides naming the neutral
  # language, it keeps the resource compiler from joining the quoted file
  # name of one entry with the quoted resource name of the next.
  set(script "")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH name ${ARG_DIRECTORY} ${file})
    string(APPEND script "LANGUAGE 0, 0\n\"${ARG_PREFIX}${name}\" RCDATA \"${file}\"\n")
  endforeach()
  string(MAKE_C_IDENTIFIER "${ARG_PREFIX}${target}" stem)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${stem}_resources.rc)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${stem}_resources.o)
  file(GENERATE OUTPUT ${rc} CONTENT "${script}")
  add_custom_command(OUTPUT ${obj}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${rc} -o ${obj}
    DEPENDS ${rc} ${files}
    COMMENT "Embedding ${ARG_DIRECTORY} into ${target}"
    VERBATIM)
  set_source_files_properties(${obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${obj})
endfunction()
