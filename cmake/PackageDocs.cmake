# The documents a distribution package carries in share/doc/rockpile/: the
# machine-readable copyright file and the changelog, gzipped at build time;
# and the lintian overrides, each with its reason. The changelog's newest
# entry must be for this version.
set(ROCKPILE_CHANGELOG_SOURCE ${CMAKE_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ROCKPILE_CHANGELOG_SOURCE})
file(STRINGS ${ROCKPILE_CHANGELOG_SOURCE} changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^rockpile \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog does not start with a 'rockpile (VERSION)' entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the newest entry is ${CMAKE_MATCH_1}, the project is "
                      "${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()

set(changelog ${ROCKPILE_DOC_DIR}/changelog)
configure_file(${ROCKPILE_CHANGELOG_SOURCE} ${changelog} COPYONLY)
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND gzip -9nkf ${changelog}
  DEPENDS ${changelog}
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(rockpile-changelog ALL DEPENDS ${changelog}.gz)

install(FILES ${changelog}.gz packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rockpile)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME rockpile)
