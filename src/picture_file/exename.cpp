// Name derivation. Both separators count, so a path typed on either kind of
// system names the same picture; dots in folder names play no part.
#include "picture_file/exename.h"

std::string freethis;

std::string exename(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    freethis = std::string(name) + ".txt";
    return freethis;
}
