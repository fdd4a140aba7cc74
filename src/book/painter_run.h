// Running the painter as a person would: its program name set to the
// picture's name and the picture's folder as its working folder, so it
// reads <name>.txt from there; no link or copy is made. The book waits
// for it to end.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct Painter_outcome {
    bool started = false;   // false: it could not be started at all
    int status = -1;        // its exit status (128 + signal when killed)
    std::string errors;     // the end of what it wrote on standard error, or why it could not start
};

// What the book keeps of a painter's standard error: the last
// painter_errors_kept bytes at least, never more than twice that. The book
// reads the pipe to its end however much the painter writes (a painter
// left blocked on a full pipe would never end), and its last words are the
// ones that say why it ended.
constexpr std::size_t painter_errors_kept = 64 * 1024;
void Painter_errors_keep(std::string& kept, std::string_view more);

// The book's environment as it was given ("NAME=value", UTF-8), taken before
// the book opens its window: opening it may set SDL variables of the book's
// own, which the painter must not inherit.
std::vector<std::string> Environment_capture();

// Starts `painter` (a path, UTF-8) named `name` in `folder` with the
// environment `environment`, standard error captured and standard input and
// output the book's own, and waits until it ends. `arguments` follow the
// name on the command line (the picture maker is given a file to open).
Painter_outcome Painter_run(const std::string& painter, const std::string& name, const std::string& folder,
                            const std::vector<std::string>& environment,
                            const std::vector<std::string>& arguments = {});

// What the book shows for an outcome: "" when the painter ended well
// (status 0), else its own message, or a line saying what went wrong. A
// long message is cut to its last lines, "..." in front, so that it fits
// in the book's window.
std::string Painter_outcome_message(const Painter_outcome& outcome, const std::string& painter);
