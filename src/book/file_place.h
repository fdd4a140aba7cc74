// Putting a finished file in its place without ever replacing one that is
// there: a person's own files are never written over unless they asked.
// Each platform has its own call that refuses an existing name atomically;
// the maker saving a picture under a new name uses it too.
#pragma once
#include <string>

// Gives the file `from` the name `to` (both UTF-8, in one folder) unless a
// file of that name exists: then `taken` is set and `from` stays. Returns
// "" or why not.
std::string File_place_new(const std::string& from, const std::string& to, bool& taken);
