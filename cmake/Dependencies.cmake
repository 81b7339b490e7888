# System libraries, all from Debian 12 packages. A missing one stops the
# configuration with the pkg-config module name and the package to install.
if(EMSCRIPTEN)
  include(${CMAKE_CURRENT_LIST_DIR}/WebDependencies.cmake)
  return()
endif()
find_package(PkgConfig REQUIRED)

function(rockpile_require_module var module package)
  pkg_check_modules(${var} QUIET IMPORTED_TARGET GLOBAL ${module})
  if(NOT ${var}_FOUND)
    message(FATAL_ERROR "Missing system library '${module}': install the Debian package '${package}' "
                        "(./run.sh and ./test.sh install missing packages).")
  endif()
endfunction()

rockpile_require_module(SDL2 sdl2 libsdl2-dev)
rockpile_require_module(EPOXY epoxy libepoxy-dev)
rockpile_require_module(OPENAL openal libopenal-dev)
rockpile_require_module(FREETYPE freetype2 libfreetype-dev)
rockpile_require_module(FONTCONFIG fontconfig libfontconfig-dev)
rockpile_require_module(GLU glu libglu1-mesa-dev)
rockpile_require_module(TURBOJPEG libturbojpeg libturbojpeg0-dev)
rockpile_require_module(STB stb libstb-dev)


if(ROCKPILE_BUILD_TESTS)
  # The GL tests read what a window shows from the X server.
  rockpile_require_module(X11 x11 libx11-dev)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(FATAL_ERROR "Missing GoogleTest: install the Debian package 'libgtest-dev'.")
  endif()
endif()
if(ROCKPILE_BUILD_BENCH)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    message(FATAL_ERROR "Missing Google Benchmark: install the Debian package 'libbenchmark-dev'.")
  endif()
endif()
