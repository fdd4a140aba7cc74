# Cross-building for 64-bit Windows with Debian's MinGW-w64 toolchain (the
# posix-threads variant, whose C++ library has std::thread and friends).
#   cmake -S . -B build-windows/tintora \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DTINTORA_WINDOWS_DEPS=<prefix holding SDL 1.2 and SDL_gfx built for Windows>
# scripts/build-windows builds that prefix and runs this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_AR ${mingw_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw_triplet}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP ${mingw_triplet}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${mingw_triplet}-objdump CACHE FILEPATH "")

# The Windows libraries: SDL, SDL_gfx and libpng from the prefixes listed in
# TINTORA_WINDOWS_DEPS (found through their pkg-config files there, never
# the build machine's own), zlib and the rest from the toolchain's sysroot
# (Debian's libz-mingw-w64-dev).
set(TINTORA_WINDOWS_DEPS "" CACHE STRING "Prefixes (a CMake list) of SDL 1.2, SDL_gfx and libpng built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TINTORA_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${TINTORA_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(TINTORA_WINDOWS_DEPS)
  set(pkg_config_dirs)
  foreach(deps_prefix ${TINTORA_WINDOWS_DEPS})
    list(APPEND pkg_config_dirs ${deps_prefix}/lib/pkgconfig)
  endforeach()
  list(APPEND pkg_config_dirs /usr/${mingw_triplet}/lib/pkgconfig)
  string(REPLACE ";" ":" pkg_config_dirs "${pkg_config_dirs}")
  set(ENV{PKG_CONFIG_LIBDIR} ${pkg_config_dirs})
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Tests run the cross-built programs under Wine.
find_program(TINTORA_WINE NAMES wine wine64)
if(TINTORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TINTORA_WINE})
endif()
