// A stream that swallows what is written to it: the book reads pictures as
// the painter does, and the painter's WHAT? lines are not the book's to show.
#pragma once
#include <cstdio>

// Opens the platform's null device for writing; nullptr when it cannot.
std::FILE* Null_stream_open();
