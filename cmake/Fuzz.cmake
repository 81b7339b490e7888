# libFuzzer build: clang only. Every object gets the coverage hooks and the
# address and undefined-behaviour checks; the fuzz programs link libFuzzer's
# main (tests/fuzz).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "ROCKPILE_FUZZ needs clang: configure with CC=clang CXX=clang++ "
                      "(Debian packages 'clang' and 'libclang-rt-14-dev').")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
# The code is kept warning-free with gcc; long texts split over several
# literals are intended, not missing commas.
add_compile_options(-Wno-string-concatenation)
add_link_options(-fsanitize=address,undefined)
