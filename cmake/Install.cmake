# Installation: the game, the tools, the game library, the manuals, the
# copyright file and changelog, the desktop entry, the icons and the AppStream
# metainfo in their standard places, and the .deb package built by CPack from
# them. The game goes to <prefix>/games, the tools to <prefix>/bin; the game
# finds its library at <prefix>/share/rockpile/ from its own folder.
include(GNUInstallDirs)
include(cmake/ManualPages.cmake)
include(cmake/PackageDocs.cmake)

set(ROCKPILE_APP_ID example.kestrelworks.rockpile)
set(ROCKPILE_ICON_DIR ${CMAKE_BINARY_DIR}/share/icons/hicolor)

# The icons are drawn by a small program at build time.
add_executable(rockpile-icon packaging/icon/main.cpp packaging/icon/icon_art.cpp)
target_include_directories(rockpile-icon PRIVATE packaging/icon)
target_link_libraries(rockpile-icon PRIVATE PkgConfig::STB)
set_target_properties(rockpile-icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${ROCKPILE_ICON_DIR}/scalable/apps/rockpile.svg
  COMMAND rockpile-icon ${ROCKPILE_ICON_DIR}
  DEPENDS rockpile-icon
  COMMENT "Drawing the hicolor icons"
  VERBATIM)
add_custom_target(rockpile-icons ALL DEPENDS ${ROCKPILE_ICON_DIR}/scalable/apps/rockpile.svg)

configure_file(packaging/${ROCKPILE_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/share/metainfo/${ROCKPILE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS rockpile RUNTIME DESTINATION games)
install(TARGETS rockpile-pack rockpile-inspect RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ROCKPILE_SHARE_DIR}/kwrockpile.lib DESTINATION ${CMAKE_INSTALL_DATADIR}/rockpile)
install(FILES ${ROCKPILE_DOC_DIR}/rockpile.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rockpile)
install(FILES packaging/${ROCKPILE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/share/metainfo/${ROCKPILE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${ROCKPILE_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# cpack -G DEB (in the build folder) makes rockpile_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rockpile)
set(CPACK_PACKAGE_VENDOR Kestrelworks)
set(CPACK_PACKAGE_CONTACT "Kestrelworks <support@kestrelworks.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pack of four 3D arcade rock-shooting games")
set(CPACK_PACKAGE_DESCRIPTION "Fly a ship over a square field seen from above, shoot rocks that split into
smaller pieces, fight enemies, collect power-ups and enter a high score table.
Four games (Meteor Marshal, Driftrock Retro, Driftrock Classic, Shardstorm)
started from one launcher window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/rockpile/)
# Shared libraries come from dpkg-shlibdeps; OpenGL, EGL and the Mesa drivers
# are loaded at run time. The games and the launcher draw with the faces the
# game library carries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1, libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

if(ROCKPILE_BUILD_TESTS)
  add_test(NAME install_layout COMMAND ${CMAKE_SOURCE_DIR}/packaging/install_check.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
endif()
