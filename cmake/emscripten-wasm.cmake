# Cross-building the painter for the browser (WebAssembly) with Debian's
# Emscripten:
#   cmake -S . -B build-web/tintora \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten-wasm.cmake \
#     -DTINTORA_WEB_DEPS=<prefix holding SDL_gfx built for WebAssembly>
# scripts/build-web builds that prefix, sets up Emscripten's cache and runs
# this. SDL 1.2 is Emscripten's own; cmake/Web.cmake links the painter as a
# module for the site's pages.
if(DEFINED ENV{EMSCRIPTEN_ROOT})
  set(emscripten_root $ENV{EMSCRIPTEN_ROOT})
else()
  set(emscripten_root /usr/share/emscripten)
endif()
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
