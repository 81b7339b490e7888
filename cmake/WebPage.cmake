# The browser page: rockpile.html with its script, code and the preloaded
# game library (which carries the font faces too), in build-web/bin/.
set(ROCKPILE_WEB_LIBRARY "" CACHE FILEPATH
    "The game library the page carries: a desktop build's share/rockpile/kwrockpile.lib")
if(NOT EXISTS "${ROCKPILE_WEB_LIBRARY}")
  message(FATAL_ERROR "ROCKPILE_WEB_LIBRARY must name a built game library (./web.sh builds one).")
endif()
set(web ${CMAKE_SOURCE_DIR}/packaging/web)

set_target_properties(rockpile PROPERTIES SUFFIX .html)
# "SHELL:" keeps the option with its value.
target_link_options(rockpile PRIVATE
  "SHELL:--preload-file ${ROCKPILE_WEB_LIBRARY}@/kwrockpile.lib"
  "SHELL:--shell-file ${web}/rockpile.html"
  "SHELL:--pre-js ${web}/storage.js"
  -lidbfs.js
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=64MB
  -sFULL_ES3=1
  -sMINIFY_HTML=0
  -sEXPORTED_RUNTIME_METHODS=[ccall])
set_property(TARGET rockpile APPEND PROPERTY LINK_DEPENDS
  ${ROCKPILE_WEB_LIBRARY} ${web}/rockpile.html ${web}/storage.js)

# The same program for Node, on the machine's own files: recorded games
# from the desktop play back headless in it (tests/web/replays.sh).
add_executable(rockpile-node src/main.cpp)
target_compile_definitions(rockpile-node PRIVATE ROCKPILE_VERSION="${PROJECT_VERSION}")
target_link_libraries(rockpile-node PRIVATE rockpile_engine)
target_link_options(rockpile-node PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
