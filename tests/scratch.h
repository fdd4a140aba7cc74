// A private folder for one test, under /tmp, removed with everything in it
// when the test ends.
#pragma once
#include <stdlib.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

struct Scratch {
    std::filesystem::path root;
    Scratch()
    {
        char name[] = "/tmp/tintora-test-XXXXXX";
        root = mkdtemp(name) ? name : "";
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    // Writes `text` as the file `relative` below the folder, making the
    // folders it lies in; returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& text) const
    {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};
