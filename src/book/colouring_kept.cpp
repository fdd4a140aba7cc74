// Kept colourings as the book sees them. The painter keeps them and the book
// only reads them, except when a person asks to start a picture again.
#include "book/colouring_kept.h"
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include "colouring/colouring_file.h"
#include "colouring/colouring_format.h"

std::string Colouring_path(const std::string& folder, const Picture_entry& entry)
{
    if (folder.empty() || entry.name.empty())
        return "";
    const std::u8string file(entry.name.begin(), entry.name.end());
    const std::u8string path = (std::filesystem::path(std::u8string(folder.begin(), folder.end())) /
                                std::filesystem::path(file + (entry.own ? u8".own.colouring" : u8".bundled.colouring")))
                                   .u8string();
    return std::string(path.begin(), path.end());
}

std::vector<std::string> Environment_without_keep(const std::vector<std::string>& environment)
{
    const std::string name = std::string(keep_variable) + "=";
    std::vector<std::string> kept;
    for (const std::string& entry : environment)
        if (entry.size() < name.size() || !std::equal(name.begin(), name.end(), entry.begin(), [](char a, char b) {
                return a == std::toupper(static_cast<unsigned char>(b));
            }))
            kept.push_back(entry);
    return kept;
}

std::vector<std::string> Environment_keeping(const std::vector<std::string>& environment, const std::string& path)
{
    std::vector<std::string> keeping = environment;
    if (!path.empty())
        keeping.push_back(std::string(keep_variable) + "=" + path);
    return keeping;
}

std::string Painter_keep_notes(const std::string& errors)
{
    std::istringstream lines(errors);
    std::string line, notes;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with("Tintora: the colouring"))
            notes += (notes.empty() ? "" : "\n") + line;
    }
    return notes;
}

bool Colouring_kept_read(const std::string& path, Colouring& kept)
{
    if (path.empty())
        return false;
    return Colouring_file_load(path, kept).why.empty();
}

bool Colouring_kept_apply(const std::string& path, std::span<Square> squares, std::span<const Colour> colours,
                          Colour& mousecolour)
{
    std::string ignored;
    return Colouring_kept_apply(path, squares, colours, mousecolour, ignored);
}

bool Colouring_kept_apply(const std::string& path, std::span<Square> squares, std::span<const Colour> colours,
                          Colour& mousecolour, std::string& why)
{
    why.clear();
    if (path.empty())
        return false;
    const Colouring_loaded laid =
        Colouring_file_lay(path, Picture_digest(squares, colours), squares, colours, mousecolour);
    if (laid.missing)
        return false;
    why = laid.why;
    return why.empty();
}
