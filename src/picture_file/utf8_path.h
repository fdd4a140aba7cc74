// File names travel through the programs as UTF-8 strings; std::filesystem
// takes and gives them as char8_t, the same bytes under another type. On
// Windows the conversion to and from the system's UTF-16 happens inside
// std::filesystem, so a name in any script survives the round trip.
#pragma once
#include <filesystem>
#include <string>

inline std::filesystem::path Path_of(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8_of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
