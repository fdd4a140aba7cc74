// The file's bytes from colouring_store, their meaning from colouring_format.
#include "colouring/colouring_file.h"
#include "colouring/colouring_store.h"

Colouring_loaded Colouring_file_load(const std::string& path, Colouring& kept)
{
    Colouring_loaded loaded;
    std::string text;
    loaded.why = Colouring_file_read(path, text, loaded.missing);
    if (!loaded.why.empty()) {
        loaded.unreadable = !loaded.missing;
        return loaded;
    }
    loaded.why = Colouring_parse(text, kept);
    return loaded;
}

Colouring_loaded Colouring_file_lay(const std::string& path, std::uint64_t digest, std::span<Square> squares,
                                    std::span<const Colour> colours, Colour& mousecolour)
{
    Colouring kept;
    Colouring_loaded loaded = Colouring_file_load(path, kept);
    if (loaded.why.empty())
        loaded.why = Colouring_apply(kept, digest, squares, colours, mousecolour);
    return loaded;
}
