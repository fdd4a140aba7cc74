// Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING refuses a name that
// is taken; MOVEFILE_WRITE_THROUGH returns once the move is on the disk.
#include "book/file_place.h"
#include <windows.h>
#include "picture_file/utf16_windows.h"

std::string File_place_new(const std::string& from, const std::string& to, bool& taken)
{
    taken = false;
    if (MoveFileExW(Wide_of(from).c_str(), Wide_of(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return "";
    const DWORD error = GetLastError();
    taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return taken ? "" : System_message(error);
}
