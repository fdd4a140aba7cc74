// The book's list of pictures: every picture file in the person's own folder
// and in the bundled folder, own ones first, each group in name order, and a
// name in both places shown once, from the person's own folder.
#pragma once
#include <string>
#include <vector>

struct Picture_entry {
    std::string name;     // what the painter is started as; it reads <name>.txt
    std::string folder;   // the folder that holds <name>.txt (UTF-8)
    bool own = false;     // from the person's own folder
};

// The picture name a directory entry stands for, or "" when it is none:
// the entry must end in ".txt" (in any case on Windows, as the file system
// compares names) and the rest must be a name the painter
// turns back into that same file (no '.', '/' or '\', not empty).
std::string Picture_name_of(const std::string& file_name);

// Lists the .txt entries of both folders (files or not: what cannot be read
// is shown with the painter's message). Only names are looked at, no file
// is opened. A folder that does not exist or cannot be listed adds nothing.
std::vector<Picture_entry> Picture_list_make(const std::string& own_folder, const std::string& bundled_folder);
