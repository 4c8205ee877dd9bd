# What `cmake --install` puts where, and the release archives that CPack
# makes of it (scripts/package): the Windows programs as a zip and a
# per-user installer, the native command-line program as a tar.gz and a .deb. The sanitizer builds are
# for the tests only and install nothing.
if(QUENLOR_SANITIZE)
  return()
endif()
set(CPACK_PACKAGE_VENDOR "Mobrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Cuts a file into numbered parts and joins them back")
set(CPACK_STRIP_FILES ON)
# Entry times from SOURCE_DATE_EPOCH, so that two runs give the same bytes.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageTimes.cmake)

# The user's guide; on Windows with the line ends that every editor there shows.
if(WIN32)
  set(guide_newlines WIN32)
else()
  set(guide_newlines UNIX)
endif()
configure_file(${CMAKE_SOURCE_DIR}/docs/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE ${guide_newlines})

if(WIN32)
  # The import library of Mobrel.dll is for building against it, not for users.
  install(TARGETS Quenlor Mobrel quenlor-cli RUNTIME DESTINATION . ARCHIVE DESTINATION lib COMPONENT sdk EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Quenlor-${PROJECT_VERSION}-win64)
  include(CPack)

  # The per-user installer of the same files (installer/Quenlor.nsi), and
  # the winget manifest that names it, in build/<name>/installer.
  find_program(MAKENSIS makensis REQUIRED)
  set(installer_dir ${CMAKE_BINARY_DIR}/installer)
  set(setup ${installer_dir}/Quenlor-${PROJECT_VERSION}-win64-setup.exe)
  file(GLOB winget_templates CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/installer/winget/*.yaml.in)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
            -DMAKENSIS=${MAKENSIS} -DOUTPUT=${installer_dir} -P ${CMAKE_CURRENT_LIST_DIR}/Installer.cmake
    DEPENDS Quenlor Mobrel quenlor-cli ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_SOURCE_DIR}/installer/Quenlor.nsi
            ${CMAKE_SOURCE_DIR}/app/Quenlor.ico ${CMAKE_CURRENT_LIST_DIR}/Installer.cmake ${winget_templates}
    COMMENT "Installer Quenlor-${PROJECT_VERSION}-win64-setup.exe and its winget manifest"
    VERBATIM)
  add_custom_target(installer ALL DEPENDS ${setup})
else()
  # The manual page, from the program's own help.
  set(man ${CMAKE_BINARY_DIR}/quenlor-cli.1)
  add_custom_command(OUTPUT ${man}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:quenlor-cli> -DSUMMARY=${CPACK_PACKAGE_DESCRIPTION_SUMMARY}
            -DEXTRA=${CMAKE_SOURCE_DIR}/cli/quenlor-cli.h2m -DOUTPUT=${man} -P ${CMAKE_CURRENT_LIST_DIR}/ManPage.cmake
    DEPENDS quenlor-cli ${CMAKE_SOURCE_DIR}/cli/quenlor-cli.h2m ${CMAKE_CURRENT_LIST_DIR}/ManPage.cmake
    COMMENT "Manual page of quenlor-cli"
    VERBATIM)
  add_custom_target(quenlor-cli-man ALL DEPENDS ${man}.gz)
  install(TARGETS quenlor-cli RUNTIME DESTINATION bin)
  install(FILES ${man}.gz DESTINATION share/man/man1)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION share/doc/quenlor-cli)
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_PACKAGE_NAME quenlor-cli)
  set(CPACK_PACKAGE_FILE_NAME quenlor-cli-${PROJECT_VERSION}-linux-x86_64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Mobrel <quenlor@mobrel.example>")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  include(CPack)
endif()
