# Building for Windows (cross from Debian with cmake/mingw-w64-x86_64.cmake,
# or natively under MSYS2): a console-subsystem program whose entry point is
# SDL's start-up layer (SDLmain), which calls the program's main routine.
# Included before the targets are made; cmake/WindowsInstall.cmake adds the
# icon and the package layout once they exist.

# SDL's pkg-config file asks for a GUI-subsystem program (-mwindows in its
# private libraries). The program is a console one: started from a console
# it is waited for and its exit status is seen. SDLmain and libmingw32 (whose
# main calls SDLmain's WinMain) are named explicitly, before SDL itself.
find_library(TINTORA_SDLMAIN SDLmain REQUIRED)
foreach(property INTERFACE_LINK_OPTIONS INTERFACE_LINK_LIBRARIES)
  get_target_property(sdl_value PkgConfig::SDL ${property})
  if(sdl_value)
    list(REMOVE_ITEM sdl_value -mwindows)
    set_target_properties(PkgConfig::SDL PROPERTIES ${property} "${sdl_value}")
  endif()
endforeach()
set(TINTORA_SDL_ENTRY mingw32 ${TINTORA_SDLMAIN})

# libpng is a static library there (scripts/build-windows), and pkg-config
# names its zlib only among the private libraries: zlib is linked in too.
find_library(TINTORA_ZLIB NAMES libz.a z REQUIRED)
set_property(TARGET PkgConfig::PNG APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${TINTORA_ZLIB})

# The C and C++ runtimes and the threads library are linked in (SDL and
# SDL_gfx are named by their import libraries' paths, so they stay DLLs):
# the program needs no DLL but SDL's, SDL_gfx's and Windows' own.
add_link_options(-static -mconsole)

# The same bytes from the same sources wherever they are built: no link time
# in the PE header (the build folders are kept out of the objects for every
# platform, in CMakeLists.txt).
add_link_options(-Wl,--no-insert-timestamp)
