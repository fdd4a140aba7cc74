# The Windows layout, shared by the portable zip and the installer
# (scripts/build-windows packs it): one folder holding, for every bundled
# picture, <picture>.exe and <picture>.txt side by side, since the program
# reads the picture named after itself from the folder it is started in
# (Explorer starts a program in its own folder); the DLLs beside them, the
# licences of SDL and SDL_gfx, and README.txt with Windows line ends.
set(TINTORA_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/tintora.ico)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tintora.rc.in ${CMAKE_BINARY_DIR}/tintora.rc @ONLY)
target_sources(tintora PRIVATE ${CMAKE_BINARY_DIR}/tintora.rc)
target_link_libraries(tintora PRIVATE ${TINTORA_SDL_ENTRY})

foreach(picture ${picture_files})
  get_filename_component(picture_name ${picture} NAME_WE)
  install(PROGRAMS $<TARGET_FILE:tintora> DESTINATION . RENAME ${picture_name}.exe COMPONENT tintora)
endforeach()
install(FILES ${picture_files} DESTINATION . COMPONENT tintora)

# The DLLs SDL and SDL_gfx were built as: from TINTORA_WINDOWS_DEPS when
# cross-building, else from where pkg-config found SDL (MSYS2's /mingw64).
set(deps_prefix ${TINTORA_WINDOWS_DEPS})
if(NOT deps_prefix)
  set(deps_prefix ${SDL_PREFIX})
endif()
file(GLOB sdl_dlls ${deps_prefix}/bin/SDL.dll ${deps_prefix}/bin/libSDL_gfx*.dll)
if(NOT sdl_dlls)
  message(FATAL_ERROR "No SDL.dll or libSDL_gfx DLL in ${deps_prefix}/bin")
endif()
install(FILES ${sdl_dlls} DESTINATION . COMPONENT tintora)
file(GLOB sdl_licences ${deps_prefix}/licences/*)
install(FILES ${sdl_licences} DESTINATION licences COMPONENT tintora)

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION . COMPONENT tintora)
