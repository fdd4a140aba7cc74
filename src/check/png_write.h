// Writing a drawn view to a PNG file through libpng, so a person can look
// at a picture without starting the painter.
#pragma once
#include <string>
#include <SDL.h>

// Writes a 32-bit 0x00RRGGBB surface as an 8-bit RGB PNG. Returns "" or why
// it could not be written.
std::string Surface_png_write(SDL_Surface* surface, const std::string& path);
