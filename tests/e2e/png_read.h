// Reading back a PNG a program wrote (a saved image, a checker's view), to
// compare it with what the window showed.
#pragma once
#include <string>
#include "x_session.h"

// An 8-bit RGB image from a PNG file; empty when it cannot be read.
Image Png_read(const std::string& path);
