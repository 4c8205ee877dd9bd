# Run as a script by the build (cmake/Packaging.cmake): makes the per-user
# installer from a stripped install of the build, and the winget manifest
# that names it by its SHA-256.
#
#   cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DVERSION=<x.y.z>
#         -DMAKENSIS=<makensis> -DOUTPUT=<folder> -P Installer.cmake
#
# With SOURCE_DATE_EPOCH set, the same sources give the same bytes: the
# staged files carry that time, and the manifest's release date is its day.
set(setup_name Quenlor-${VERSION}-win64-setup.exe)
set(stage ${OUTPUT}/stage)
set(setup ${OUTPUT}/${setup_name})

file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  file(GLOB staged ${stage}/*)
  execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${staged} COMMAND_ERROR_IS_FATAL ANY)
endif()

execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${stage} -DICON=${SOURCE}/app/Quenlor.ico
                        -DOUTFILE=${setup} ${SOURCE}/installer/Quenlor.nsi
                RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${setup})
  message(FATAL_ERROR "makensis could not make ${setup_name}")
endif()
file(REMOVE_RECURSE ${stage})

# The winget manifest in the multi-file form: version, default locale and
# installer files, in the newest schema the community repository takes.
set(MANIFEST_VERSION 1.12.0)
set(SETUP_NAME ${setup_name})
file(SHA256 ${setup} SETUP_SHA256)
string(TOUPPER ${SETUP_SHA256} SETUP_SHA256)
string(TIMESTAMP RELEASE_DATE "%Y-%m-%d" UTC)
file(GLOB templates ${SOURCE}/installer/winget/*.yaml.in)
foreach(template ${templates})
  get_filename_component(name ${template} NAME_WLE)
  configure_file(${template} ${OUTPUT}/winget/${name} @ONLY NEWLINE_STYLE UNIX)
endforeach()
