// The book's painter run against a stand-in painter (loud_painter.cpp) that
// writes far more to standard error than a pipe holds: the run ends, with
// the painter's own status and last words, what the book keeps of the rest
// stays bounded, and a name with a blank and an apostrophe reaches the
// painter whole. Built for Linux and for Windows (run under Wine).
#include <filesystem>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "book/painter_run.h"
#include "book/picture_folders.h"

namespace {

std::vector<std::string> Lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The stand-in's noise: numbered lines, as many as make up `bytes`.
std::string Noise_line(std::size_t number)
{
    return "noise " + std::to_string(number) + " of a painter that talks a lot";
}
std::size_t Noise_line_count(std::size_t bytes)
{
    std::size_t count = 0;
    for (std::size_t total = 0; total < bytes; ++count)
        total += Noise_line(count).size() + 1;
    return count;
}

TEST(Painter_run, ThePainterIsHeardToTheEndHoweverMuchItSays)
{
    const std::string painter = Book_executable_folder() + "/" + TINTORA_LOUD_PAINTER;
    const std::u8string temporary = std::filesystem::temp_directory_path().u8string();
    const std::string folder(temporary.begin(), temporary.end());
    struct Case {
        std::string name;
        std::size_t bytes;   // of noise before its last words
    };
    const Case cases[] = {
        {"Bob's cat", 0},
        {"loud", 100 * 1024},          // a little more than a pipe holds
        {"louder", 20 * 1000 * 1000},  // far more than the book keeps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> environment = Environment_capture();
        environment.push_back("TINTORA_LOUD_BYTES=" + std::to_string(c.bytes));
        const Painter_outcome outcome = Painter_run(painter, c.name, folder, environment);
        ASSERT_TRUE(outcome.started) << outcome.errors;
        ASSERT_NE(outcome.status, 86) << "the painter stalled on a full pipe: the book did not read it while it ran";
        EXPECT_EQ(outcome.status, 3);
        EXPECT_LE(outcome.errors.size(), 2 * painter_errors_kept);

        // The person sees the painter's last words, under the name it was
        // given; of a long talk, the last lines, whole and in order.
        const std::vector<std::string> shown = Lines_of(Painter_outcome_message(outcome, painter));
        EXPECT_EQ(shown.back(), c.name + ": the last words");
        if (c.bytes == 0) {
            EXPECT_EQ(shown.size(), 1u);
            continue;
        }
        ASSERT_EQ(shown.size(), 9u);
        EXPECT_EQ(shown.front(), "...");
        const std::size_t noise_lines = Noise_line_count(c.bytes);
        for (std::size_t k = 1; k + 1 < shown.size(); ++k)
            EXPECT_EQ(shown[k], Noise_line(noise_lines - 8 + k));
    }
}

}  // namespace
