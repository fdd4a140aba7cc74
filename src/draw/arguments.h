// The maker's command line as UTF-8 words, after the program's own name. A
// file to open may have a name in any script; each platform hands its
// command line over its own way.
#pragma once
#include <string>
#include <vector>

std::vector<std::string> Arguments_utf8(int argc, char* argv[]);
