// The program's own path as the person started it, which names the picture.
// Platforms hand it over differently; every one gives it here as UTF-8.
#pragma once
#include <string>
#include <vector>

std::string Program_path(int argc, char* argv[]);

// Every argument of the command line, argv[0] first, as UTF-8. On Windows
// they are read in UTF-16 (the argv that main is given comes through the
// ANSI code page, where a name in another script turns into '?').
std::vector<std::string> Program_arguments(int argc, char* argv[]);
