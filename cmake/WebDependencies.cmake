# The browser build's libraries, under the names the desktop build gives its
# pkg-config modules: SDL2, FreeType, libjpeg-turbo and GLU's tessellator
# built for WebAssembly by scripts/web-deps.sh into ROCKPILE_WEB_PREFIX, Dear
# ImGui compiled here from the sources it keeps there, OpenAL and WebGL 2
# from Emscripten itself.
if(NOT ROCKPILE_WEB_PREFIX OR NOT EXISTS ${ROCKPILE_WEB_PREFIX}/lib/libSDL2.a)
  message(FATAL_ERROR "The browser build needs ROCKPILE_WEB_PREFIX, the prefix that scripts/web-deps.sh "
                      "builds and prints (./web.sh does both).")
endif()
set(prefix ${ROCKPILE_WEB_PREFIX})

function(rockpile_web_module name)
  cmake_parse_arguments(ARG "" "" "INCLUDE;LIBRARIES;OPTIONS" ${ARGN})
  add_library(PkgConfig::${name} INTERFACE IMPORTED GLOBAL)
  set_target_properties(PkgConfig::${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${ARG_INCLUDE}"
    INTERFACE_LINK_LIBRARIES "${ARG_LIBRARIES}"
    INTERFACE_LINK_OPTIONS "${ARG_OPTIONS}")
endfunction()

# stb's headers are plain C and taken from Debian's libstb-dev as they are;
# a folder of their own keeps the rest of /usr/include out of the build.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/stb-include)
file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/stb-include/stb SYMBOLIC)

rockpile_web_module(SDL2 INCLUDE ${prefix}/include/SDL2 LIBRARIES ${prefix}/lib/libSDL2.a)
rockpile_web_module(FREETYPE INCLUDE ${prefix}/include/freetype2 LIBRARIES ${prefix}/lib/libfreetype.a)
rockpile_web_module(TURBOJPEG INCLUDE ${prefix}/include LIBRARIES ${prefix}/lib/libturbojpeg.a)
rockpile_web_module(GLU LIBRARIES ${prefix}/lib/libGLU.a)
# Debian's libstb is a host library: the browser build compiles the one
# part of stb it uses, the PNG writer, itself.
file(WRITE ${CMAKE_BINARY_DIR}/stb-include/stb_image_write.c
     "#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb/stb_image_write.h>\n")
add_library(rockpile_web_stb STATIC ${CMAKE_BINARY_DIR}/stb-include/stb_image_write.c)
target_include_directories(rockpile_web_stb SYSTEM PUBLIC ${CMAKE_BINARY_DIR}/stb-include)
target_compile_options(rockpile_web_stb PRIVATE -w)
add_library(PkgConfig::STB ALIAS rockpile_web_stb)
rockpile_web_module(OPENAL OPTIONS -lopenal)
rockpile_web_module(EPOXY OPTIONS -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)
# No fontconfig in a browser: the page carries the faces it needs.
rockpile_web_module(FONTCONFIG)

set(IMGUI_INCLUDEDIR ${prefix}/imgui)
add_library(rockpile_web_imgui STATIC
  ${IMGUI_INCLUDEDIR}/imgui.cpp
  ${IMGUI_INCLUDEDIR}/imgui_draw.cpp
  ${IMGUI_INCLUDEDIR}/imgui_tables.cpp
  ${IMGUI_INCLUDEDIR}/imgui_widgets.cpp
  ${IMGUI_INCLUDEDIR}/backends/imgui_impl_sdl.cpp
  ${IMGUI_INCLUDEDIR}/backends/imgui_impl_opengl3.cpp)
target_include_directories(rockpile_web_imgui SYSTEM PUBLIC ${IMGUI_INCLUDEDIR})
target_compile_definitions(rockpile_web_imgui PUBLIC IMGUI_IMPL_OPENGL_ES3)
target_compile_options(rockpile_web_imgui PRIVATE -w)
target_link_libraries(rockpile_web_imgui PUBLIC PkgConfig::SDL2)
add_library(PkgConfig::IMGUI ALIAS rockpile_web_imgui)

function(rockpile_require_module var module package)
  if(NOT TARGET PkgConfig::${var})
    message(FATAL_ERROR "The browser build has no '${module}'.")
  endif()
endfunction()
