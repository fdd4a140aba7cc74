// The browser: the painter's page asks for a colouring to be kept the way
// the desktop book does, with TINTORA_KEEP in the module's environment,
// naming a file in the module's own memory that the page filled from its
// IndexedDB before the painter started (web/paint.js). That memory goes
// with the page, so each write is handed to the page as soon as it is made.
#include "main/keep_asked.h"
#include <cstdlib>
#include <emscripten.h>

namespace {

EM_JS(void, Page_keep, (const char* path), {
    if (Module.onKeep)
        Module.onKeep(UTF8ToString(path));
});

}  // namespace

std::string Keep_path_asked()
{
    const char* path = std::getenv("TINTORA_KEEP");
    return path ? path : "";
}

void Keep_written(const std::string& path)
{
    Page_keep(path.c_str());
}
