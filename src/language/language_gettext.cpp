// Messages in the person's language through gettext (glibc's on Linux):
// the language comes from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, and the
// catalogues from share/locale beside the program's folder (installed) or
// in it (a build tree, so the tests run the programs where they are built).
#include "language/language.h"
#include <clocale>
#include <libintl.h>
#include "language/language_folder.h"

namespace {

constexpr const char* domain = "tintora";

}  // namespace

void Language_start()
{
    // LC_MESSAGES alone: LC_ALL would bring the language's decimal comma
    // and its idea of letters and blanks into the C library's number
    // reading, which reads the palette and is the format's definition.
    // Translations still arrive in UTF-8 through the codeset bound below.
    std::setlocale(LC_MESSAGES, "");
    const std::string folder = Language_folder_choose(Language_program_folder());
    if (!folder.empty())
        bindtextdomain(domain, folder.c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    textdomain(domain);
}

const char* Text_of(const char* english)
{
    return dgettext(domain, english);
}

const char* Text_plural(const char* one, const char* many, unsigned long count)
{
    return dngettext(domain, one, many, count);
}
