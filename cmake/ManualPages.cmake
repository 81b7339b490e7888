# Manual pages: one roff source beside each program's code, with the version
# filled in and gzipped at build time into share/man/man<section>/.
set(ROCKPILE_MAN_DIR ${CMAKE_BINARY_DIR}/share/man)

# rockpile_manual_page(TARGET SOURCE SECTION): the page of program TARGET.
function(rockpile_manual_page target source section)
  set(page ${ROCKPILE_MAN_DIR}/man${section}/${target}.${section})
  configure_file(${source} ${page} @ONLY)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND gzip -9nkf ${page}
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${target}(${section})"
    VERBATIM)
  add_custom_target(${target}-manual-page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  if(ROCKPILE_BUILD_TESTS)
    add_test(NAME manual_page_options_${target}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/manual_options_test.sh $<TARGET_FILE:${target}> ${page})
  endif()
endfunction()

rockpile_manual_page(rockpile src/launcher/rockpile.6.in 6)
rockpile_manual_page(rockpile-pack tools/pack/rockpile-pack.1.in 1)
rockpile_manual_page(rockpile-inspect tools/inspect/rockpile-inspect.1.in 1)
