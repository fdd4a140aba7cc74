# The painter in the browser: Emscripten's own SDL 1.2 (its headers come
# with the compiler), SDL_gfx from TINTORA_WEB_DEPS, and the painter linked
# as a module that the site's pages start with a canvas, the picture's name
# as argv[0] and their own standard output and error (web/paint.js).
set(TINTORA_WEB_DEPS "" CACHE PATH "Prefix holding SDL_gfx built for WebAssembly (scripts/build-web builds it)")
if(NOT EXISTS ${TINTORA_WEB_DEPS}/lib/libSDL_gfx.a)
  message(FATAL_ERROR "TINTORA_WEB_DEPS (${TINTORA_WEB_DEPS}) holds no lib/libSDL_gfx.a: run scripts/build-web")
endif()

# Named as the desktop's pkg-config targets, so the program's own targets
# link the same way everywhere.
add_library(PkgConfig::SDL INTERFACE IMPORTED)
add_library(PkgConfig::SDL_GFX STATIC IMPORTED)
set_target_properties(PkgConfig::SDL_GFX PROPERTIES
  IMPORTED_LOCATION ${TINTORA_WEB_DEPS}/lib/libSDL_gfx.a
  INTERFACE_INCLUDE_DIRECTORIES ${TINTORA_WEB_DEPS}/include/SDL)

# ASYNCIFY lets the program wait and hand the page its turn in the middle
# of a fill (src/main/event_wait_web.cpp); a fill from a corner nests about
# 1,450 squares deep, all of which are set aside while the page has its
# turn. MODULARIZE lets a page start the painter more than once: the book
# draws the thumbnails of a person's own pictures with it.
string(JOIN " " web_link_flags
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=1048576
  -sEXIT_RUNTIME=1
  -sMODULARIZE=1 -sEXPORT_NAME=Tintora
  -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=FS
  -sALLOW_MEMORY_GROWTH=1)
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} ${web_link_flags}")
