# The Windows layout, shared by the portable zip and the installer
# (scripts/build-windows packs it): one folder holding, for every bundled
# picture, <picture>.exe and <picture>.txt side by side, since the program
# reads the picture named after itself from the folder it is started in
# (Explorer starts a program in its own folder); the DLLs beside them, the
# printed page's font, the licences of SDL, SDL_gfx, libpng, zlib, libharu
# and the font, and README.txt with Windows line ends.
set(TINTORA_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/tintora.ico)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tintora.rc.in ${CMAKE_BINARY_DIR}/tintora.rc @ONLY)
target_sources(tintora PRIVATE ${CMAKE_BINARY_DIR}/tintora.rc)
target_link_libraries(tintora PRIVATE ${TINTORA_SDL_ENTRY})

# The picture book is an SDL program like the painter, started by SDL's
# start-up layer. The checker draws only off screen and is used from the
# console: it keeps its own main (SDL's -Dmain=SDL_main is undone for its
# entry point, and SDL_main.h's guard stands defined so that SDL.h does not
# rename it again), so its diagnostics go to the console, never to the
# stdout.txt SDL's layer would make.
target_sources(tintora-book PRIVATE ${CMAKE_BINARY_DIR}/tintora.rc)
target_link_libraries(tintora-book PRIVATE ${TINTORA_SDL_ENTRY})
target_sources(tintora-check PRIVATE ${CMAKE_BINARY_DIR}/tintora.rc)
# The picture maker is an SDL program too, which the book starts.
target_sources(tintora-draw PRIVATE ${CMAKE_BINARY_DIR}/tintora.rc)
target_link_libraries(tintora-draw PRIVATE ${TINTORA_SDL_ENTRY})
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/check/check_main.cpp PROPERTIES
                            COMPILE_OPTIONS "-Umain;-D_SDL_main_h")

# The painter under its own name too: the book starts it as each picture.
install(PROGRAMS $<TARGET_FILE:tintora> $<TARGET_FILE:tintora-book> $<TARGET_FILE:tintora-check>
                 $<TARGET_FILE:tintora-draw>
        DESTINATION . COMPONENT tintora)

foreach(picture ${picture_files})
  get_filename_component(picture_name ${picture} NAME_WE)
  install(PROGRAMS $<TARGET_FILE:tintora> DESTINATION . RENAME ${picture_name}.exe COMPONENT tintora)
endforeach()
install(FILES ${picture_files} DESTINATION . COMPONENT tintora)

# The DLLs SDL and SDL_gfx were built as: from the prefixes in
# TINTORA_WINDOWS_DEPS when cross-building, else from where pkg-config found
# SDL (MSYS2's /mingw64). libpng is linked in statically, so only its
# licence comes along.
set(deps_prefixes ${TINTORA_WINDOWS_DEPS})
if(NOT deps_prefixes)
  set(deps_prefixes ${SDL_PREFIX})
endif()
set(sdl_dlls)
set(sdl_licences)
foreach(deps_prefix ${deps_prefixes})
  file(GLOB prefix_dlls ${deps_prefix}/bin/SDL.dll ${deps_prefix}/bin/libSDL_gfx*.dll)
  file(GLOB prefix_licences ${deps_prefix}/licences/*)
  list(APPEND sdl_dlls ${prefix_dlls})
  list(APPEND sdl_licences ${prefix_licences})
endforeach()
if(NOT sdl_dlls)
  message(FATAL_ERROR "No SDL.dll or libSDL_gfx DLL in ${deps_prefixes}")
endif()
install(FILES ${sdl_dlls} DESTINATION . COMPONENT tintora)
install(FILES ${sdl_licences} DESTINATION licences COMPONENT tintora)
# The font the book's printed page sets its title in (libharu's prefix
# carries it, scripts/build-windows), beside the book that looks for it.
set(print_fonts)
foreach(deps_prefix ${deps_prefixes})
  file(GLOB prefix_fonts ${deps_prefix}/fonts/*.ttf)
  list(APPEND print_fonts ${prefix_fonts})
endforeach()
if(NOT print_fonts)
  message(FATAL_ERROR "No font for the printed page (fonts/DejaVuSans.ttf) in ${deps_prefixes}")
endif()
install(FILES ${print_fonts} DESTINATION . COMPONENT tintora)

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION . COMPONENT tintora)
