// The program's own path as the person started it, which names the picture.
// Platforms hand it over differently; every one gives it here as UTF-8.
#pragma once
#include <string>

std::string Program_path(int argc, char* argv[]);
