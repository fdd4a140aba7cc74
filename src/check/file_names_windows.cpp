// File names on Windows: one file is the same volume and file index, asked
// of the file itself (opened for its attributes only; a device name is never
// opened); every name reaches the file system in UTF-16.
#include "check/file_names.h"
#include <windows.h>
#include <filesystem>
#include "picture_file/file_name_windows.h"

namespace {

bool File_id(const std::string& name, BY_HANDLE_FILE_INFORMATION& info)
{
    const std::filesystem::path path(std::u8string(name.begin(), name.end()));
    if (Device_name(path.native()) || Stream_name(path.native()))
        return false;
    const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool File_same(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return File_id(a, first) && File_id(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

std::FILE* Output_file_open(const std::string& path)
{
    const std::filesystem::path wide(std::u8string(path.begin(), path.end()));
    return _wfopen(wide.c_str(), L"wb");
}
