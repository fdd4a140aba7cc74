// The language unit: values put into translated sentences by name, where
// the catalogues are found, and the person's language taken for messages
// alone, so that the picture reader reads the same in every language.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "check/picture_check.h"
#include "language/language.h"
#include "language/language_folder.h"
#include "language/text_fill.h"

namespace {

namespace fs = std::filesystem;

struct Fill_case {
    const char* what;
    const char* sentence;
    std::string expected;
};

TEST(Text_fill, puts_each_value_in_by_name)
{
    const Fill_case cases[] = {
        {"in the English order", "palette entry {entry} holds {colour}", "palette entry 3 holds 1,2,3"},
        {"in another order, one value twice", "{colour} in {entry} ({entry})", "1,2,3 in 3 (3)"},
        {"a name no value has stays as written", "entry {entyr}: {colour}", "entry {entyr}: 1,2,3"},
        {"a brace never closed", "entry {entry", "entry {entry"},
        {"braces around nothing", "{} and {entry}", "{} and 3"},
        {"no values at all", "plain", "plain"},
        {"at both ends", "{entry}{colour}", "31,2,3"},
    };
    for (const Fill_case& c : cases)
        EXPECT_EQ(Text_fill(c.sentence, {{"entry", "3"}, {"colour", "1,2,3"}}), c.expected) << c.what;
}

// A value is the file's own text: braces in it are never taken for names.
TEST(Text_fill, never_reads_names_in_a_value)
{
    EXPECT_EQ(Text_fill("line {line} ({text})", {{"text", "\"{line}\""}, {"line", "7"}}), "line 7 (\"{line}\")");
}

class Language_folder : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("tintora-language-" + std::to_string(getpid()));
        fs::create_directories(root / "bin");
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(Language_folder, installed_above_the_program_or_beside_it_in_a_build_tree)
{
    // Neither: the installed place, where a package would put them.
    EXPECT_EQ(Language_folder_choose((root / "bin").string()), (root / "share" / "locale").string());
    fs::create_directories(root / "bin" / "share" / "locale");
    EXPECT_EQ(Language_folder_choose((root / "bin").string()), (root / "bin" / "share" / "locale").string());
    fs::create_directories(root / "share" / "locale");
    EXPECT_EQ(Language_folder_choose((root / "bin").string()), (root / "share" / "locale").string());
    EXPECT_EQ(Language_folder_choose(""), "");
}

// Sets the environment as a person's session would, with nothing else saying
// which language, and puts the C library back in C afterwards.
class Person_language : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LC_CTYPE", "LANG"})
            unsetenv(name);
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(Person_language, is_taken_for_messages_and_nothing_else)
{
    for (const char* name : {"LANG", "LC_ALL"}) {
        SCOPED_TRACE(name);
        setenv(name, "de_DE.UTF-8", 1);
        Language_start();
        ASSERT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "de_DE.UTF-8")
            << "the tests need the locale de_DE.UTF-8 (scripts/install-deps makes it)";
        EXPECT_STREQ(Text_of("tab"), "Tabulator");
        EXPECT_STREQ(Text_plural("{count} region", "{count} regions", 2), "{count} Flächen");
        // German writes 1,5: the C library must go on reading and writing 1.5.
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
        EXPECT_STREQ(std::localeconv()->decimal_point, ".");
        EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
        unsetenv(name);
        std::setlocale(LC_ALL, "C");
    }
}

TEST_F(Person_language, is_english_in_c_and_without_a_catalogue)
{
    for (const char* setting : {"C", "POSIX", "xx_YY.UTF-8"}) {
        setenv("LANG", setting, 1);
        Language_start();
        EXPECT_STREQ(Text_of("tab"), "tab") << setting;
        EXPECT_STREQ(Text_plural("{count} region", "{count} regions", 1), "{count} region") << setting;
    }
}

// The picture reader is the C library's formatted input: with the whole C
// library in a language that writes numbers with a decimal comma and its
// own letters (as a program calling setlocale(LC_ALL, "") would have it),
// every picture reads exactly as in C.
TEST_F(Person_language, leaves_the_picture_reader_as_in_c)
{
    std::vector<fs::path> pictures;
    for (const auto& entry : fs::directory_iterator(TINTORA_LANGUAGE_PICTURES))
        pictures.push_back(entry.path());
    ASSERT_GE(pictures.size(), 10u);
    for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        for (const fs::path& picture : pictures) {
            SCOPED_TRACE(picture.filename().string() + " in " + locale);
            std::setlocale(LC_ALL, "C");
            const Picture_check in_c = Picture_check_file(picture.string());
            ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << "the tests need the locale " << locale;
            const Picture_check in_language = Picture_check_file(picture.string());
            for (int k = 0; k < colourcount; ++k)
                EXPECT_TRUE(Colour_cmp(in_c.colours[static_cast<std::size_t>(k)],
                                       in_language.colours[static_cast<std::size_t>(k)]))
                    << "swatch " << k + 1;
            for (std::size_t k = 0; k < in_c.squares.size(); ++k)
                EXPECT_TRUE(Colour_cmp(in_c.squares[k].c, in_language.squares[k].c)) << "square " << k;
            ASSERT_EQ(in_c.diagnostics.size(), in_language.diagnostics.size());
            // Where each is told, not its words, which may be the language's.
            for (std::size_t k = 0; k < in_c.diagnostics.size(); ++k) {
                EXPECT_EQ(in_c.diagnostics[k].line, in_language.diagnostics[k].line);
                EXPECT_EQ(in_c.diagnostics[k].column, in_language.diagnostics[k].column);
                EXPECT_EQ(in_c.diagnostics[k].severity, in_language.diagnostics[k].severity);
            }
            EXPECT_EQ(in_c.separator, in_language.separator);
        }
    }
}

}  // namespace
