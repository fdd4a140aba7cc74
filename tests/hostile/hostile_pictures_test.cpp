// Bad picture files against the real program: each one has a defined
// outcome, reached in bounded time and with bounded output. A file that
// reads as a picture, however odd, starts the program ("WHAT?" lines on
// standard output for its unexpected characters); anything that cannot be
// read as one ends it with one line on standard error naming the file and
// its folder, and exit status 2. The program runs on SDL's dummy video
// driver; a start is ended with SIGTERM, which SDL turns into a quit.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <sys/wait.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>
#include "board/geometry.h"
#include "board/square.h"
#include "picture_file/file_read.h"
#include "picture_file/text_stream.h"
#include "program_run.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double time_bound = 60;            // seconds any run may take; sanitized builds are slow
constexpr uid_t nobody = 65534;
constexpr std::size_t what_size = 6;         // "WHAT?\n"
constexpr long any_count = -1;

// ---- running the program --------------------------------------------------

struct Outcome_seen {
    bool hung = false;
    bool exited = false;         // ended by exit(), not by a signal
    int code = -1;               // exit status, or 128 + the signal that ended it
    std::string out;             // standard output
    std::string err;
    long long rchar = -1;        // bytes the process read through read() and the like
    long peak_kb = 0;            // its peak resident memory, as last seen while it ran
    double seconds = 0;
    std::string folder;          // the folder it ran in, as the program names it
};

// Runs the program as `name` on the end-to-end harness (program_run.h), from
// a fresh folder where `make` puts something at <name>.txt, on SDL's dummy
// video driver. With `close_it`, the program is sent SIGTERM once SDL is
// ready to turn it into a quit request (whether or not it has finished
// reading: the request then waits its turn); again every few seconds, as one
// that comes while SDL itself is still starting is lost. Its peak memory is
// watched while it runs (the rusage figure would count the forked test).
Outcome_seen Program_outcome(const std::string& name, std::function<void(const fs::path&)> make, bool close_it,
                             bool as_nobody = false)
{
    Program_setup setup;
    setup.name = name;
    setup.picture_make = [&make](const std::string& path) { make(path); };
    setup.environment = {{"SDL_VIDEODRIVER", "dummy"}};
    if (as_nobody && geteuid() == 0)
        setup.user = nobody;
    const auto start = Clock::now();
    Program_run run = Program_start(setup);
    Outcome_seen seen;
    seen.folder = run.folder;
    if (run.pid <= 0) {
        ADD_FAILURE() << "the program could not be started";
        Program_stop(run);
        return seen;
    }
    const auto deadline = start + std::chrono::duration<double>(time_bound);
    auto termed = start - std::chrono::hours(1);
    while (Program_running(run) && Clock::now() < deadline) {
        seen.peak_kb = std::max(seen.peak_kb, Program_peak_kb(run));
        if (close_it && Clock::now() - termed > std::chrono::seconds(5) && Program_catches(run, SIGTERM)) {
            kill(run.pid, SIGTERM);
            termed = Clock::now();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    seen.hung = Program_running(run);
    if (seen.hung) {
        kill(run.pid, SIGKILL);
        Program_wait(run, 10);
    }
    seen.out = Program_stdout(run);
    seen.err = Program_stderr(run);
    Program_stop(run);
    seen.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    seen.rchar = run.rchar;
    seen.exited = !seen.hung && run.status < 128;
    seen.code = run.status;
    return seen;
}

// ---- pictures ---------------------------------------------------------------

const std::string palette = "230,57,70\n255,183,3\n33,158,188\n106,176,76\n"
                            "244,162,97\n142,90,60\n255,255,255\n0,0,0\n";

std::string Picture(const std::string& grid)
{
    return palette + "the separator line\n" + grid;
}

// A whole picture: 38 rows of 38 cells, one 'X' (one "WHAT?") in row 1,
// and the empty line of row 39, the last that a picture can describe.
std::string Picture_whole()
{
    std::string grid = "x x x X\n";
    for (int row = 2; row <= 38; ++row)
        grid += std::string(38, row % 2 ? 'x' : ' ') + "\n";
    return Picture(grid + "\n");
}

void File_write(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// Bytes of every value, NUL included, the same on every run. The first
// Ctrl-Z (which ends a text file) is at byte 58, before the first line break.
std::string Garbage(std::size_t size)
{
    std::string s(size, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

// The same bytes with every Ctrl-Z made a 0x1B, so that all of them are read.
std::string Garbage_without_ctrl_z(std::size_t size)
{
    std::string s = Garbage(size);
    for (char& c : s)
        if (c == '\x1a')
            c = '\x1b';
    return s;
}

// Makes `file` (the picture file's path) sparse and `size` bytes long, after
// `head`; false when the file system will not.
bool Sparse_write(const fs::path& file, const std::string& head, off_t size)
{
    File_write(file, head);
    return truncate(file.c_str(), size) == 0;
}

// A picture followed by `size` bytes of lines of 'X', which would each give
// "WHAT?" lines if they were read.
void Picture_long_write(const fs::path& file, std::size_t size)
{
    std::ofstream out(file, std::ios::binary);
    const std::string head = Picture_whole();
    out << head;
    const std::string line = std::string(1023, 'X') + "\n";
    for (std::size_t n = head.size(); n < size; n += line.size())
        out << line;
}

// ---- the table ----------------------------------------------------------------

enum class Outcome { shown, refused };

struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;   // puts something at the picture file's path
    Outcome outcome;
    long what = 0;                 // shown: the number of "WHAT?" lines, or any_count
    std::string reason = "";       // refused: how the message ends
    bool as_nobody = false;
    long what_at_least = 0;        // shown: at least this many "WHAT?" lines (the grid was reached)
};


// What every run must show, whatever the file: it ended by itself or on
// the quit request in bounded time, wrote nothing but whole "WHAT?" lines on
// standard output, and at most one for each byte it may read.
void Bounded_expect(const Outcome_seen& run)
{
    EXPECT_FALSE(run.hung) << "still running after " << time_bound << " s";
    EXPECT_TRUE(run.exited) << "ended by signal " << run.code;
    EXPECT_LE(run.out.size(), what_size * text_limit) << "more output than the reader can owe";
    EXPECT_EQ(run.out.size() % what_size, 0u);
    for (std::size_t k = 0; k < run.out.size(); ++k)
        if (run.out[k] != "WHAT?\n"[k % what_size]) {
            ADD_FAILURE() << "standard output is not only WHAT? lines, at byte " << k;
            break;
        }
}

// The table: every kind of bad picture file, and what the program does with it.
std::vector<Case> Cases_bad()
{
    const std::string entry = "255,0,0\n";
    std::string entries;
    for (int k = 0; k < 8; ++k)
        entries += entry;
    auto text = [](std::string bytes) { return [bytes](const fs::path& f) { File_write(f, bytes); }; };
    auto link_to = [](std::string target) { return [target](const fs::path& f) { fs::create_symlink(target, f); }; };
    const std::string device = "it is a device, not a picture file";

    const Case cases[] = {
        {"empty", text(""), Outcome::shown, 0},
        {"palette_only", text(palette), Outcome::shown, 0},
        {"palette_cut_short", text("255,0"), Outcome::shown, 0},
        {"no_line_break_at_all", text("1,2,3 4,5,6 xxxx XXXX"), Outcome::shown, 0},
        // After the separator: NUL, NUL, 0x01, 0xFF, a cell, an outline, and NUL again.
        {"nul_bytes_in_grid", text(Picture(std::string("\0\0\x01\xff x\n\0", 8))), Outcome::shown, 5},
        // Binary bytes through the palette, the separator and the grid: the
        // grid's rows end at a line break or 38 moves, so about 39 x 256
        // bytes reach it, nearly all of them unexpected.
        {"binary_garbage", text(Garbage_without_ctrl_z(64 << 10)), Outcome::shown, any_count, "", false, 2000},
        {"binary_garbage_after_palette", text(palette + "sep\n" + Garbage_without_ctrl_z(64 << 10)), Outcome::shown,
         any_count, "", false, 2000},
        // A Ctrl-Z before the first line break: the file ends in the palette.
        {"binary_garbage_ctrl_z_at_58", text(Garbage(64 << 10)), Outcome::shown, 0},
        {"numbers_beyond_16_bits",
         text("99999999999999999999999999,-99999999999999999999999999,+0000000000000000000000000000065\n"
              "65536,-32769,4294967296\n-0,+0,-32768\n+32767,00000,0000000000000255\n" +
              entries.substr(0, 4 * entry.size()) + "sep\n X\n"),
         Outcome::shown, 1},
        {"numbers_malformed", text("--5,++6,+-7\n-,+,\n1,,2\n,,,\n5-3,4+4,0x10\n1e5,2.5,3\n\n\n\n\n\nsep\n X\n"),
         Outcome::shown, any_count},
        {"line_of_100000_cells", text(Picture(std::string(100000, 'x') + "\n")), Outcome::shown, 0},
        {"line_of_100000_unexpected", text(Picture(std::string(100000, 'X') + "\n")), Outcome::shown, 100000},
        {"separator_of_100000", text(palette + std::string(100000, 'y') + "\n X\n"), Outcome::shown, 1},
        {"blanks_before_palette", text(std::string(100000, ' ') + entries + "sep\n X\n"), Outcome::shown, 1},
        // The reader sees no '\n': the separator takes the rest of the file.
        {"cr_only_line_ends", text("1,2,3\r4,5,6\r7,8,9\r1,1,1\r2,2,2\r3,3,3\r4,4,4\r5,5,5\rsep\r X\rxXx\r"),
         Outcome::shown, 0},
        {"ctrl_z_ends_it", text(Picture(" x\x1aXXXX\nXXXX\n")), Outcome::shown, 0},
        // Over a megabyte of unexpected characters before the grid ends.
        {"unexpected_flood", text(Picture(std::string(2 << 20, 'X'))), Outcome::refused, any_count,
         "it goes on for more than 1 MiB before its grid ends, far longer than any picture"},
        {"sparse_without_line_break",
         [](const fs::path& f) { ASSERT_TRUE(Sparse_write(f, "", off_t{1} << 32)); }, Outcome::refused, any_count,
         "it goes on for more than 1 MiB before its grid ends, far longer than any picture"},
        {"missing", [](const fs::path&) {}, Outcome::refused, 0, "No such file or directory"},
        {"directory", [](const fs::path& f) { fs::create_directory(f); }, Outcome::refused, 0,
         "it is a directory, not a picture file"},
        {"fifo_without_writer", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0644), 0); }, Outcome::refused,
         0, "it is a pipe, not a picture file"},
        {"socket",
         [](const fs::path& f) {
             const int s = socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un addr{};
             addr.sun_family = AF_UNIX;
             ASSERT_LT(f.string().size(), sizeof addr.sun_path);
             std::strcpy(addr.sun_path, f.c_str());
             ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << std::strerror(errno);
             close(s);
         },
         Outcome::refused, 0, "it is a socket, not a picture file"},
        {"link_to_dev_zero", link_to("/dev/zero"), Outcome::refused, 0, device},
        {"link_to_dev_urandom", link_to("/dev/urandom"), Outcome::refused, 0, device},
        {"link_to_dev_null", link_to("/dev/null"), Outcome::refused, 0, device},
        {"dangling_link", link_to("nowhere/at/all.txt"), Outcome::refused, 0, "No such file or directory"},
        {"link_loop",
         [](const fs::path& f) {
             fs::create_symlink(f.filename().string() + ".loop", f);
             fs::create_symlink(f.filename(), f.string() + ".loop");
         },
         Outcome::refused, 0, "Too many levels of symbolic links"},
        {"without_read_permission",
         [](const fs::path& f) {
             File_write(f, Picture_whole());
             fs::permissions(f, fs::perms::none);
         },
         Outcome::refused, 0, "Permission denied", true},
    };
    return std::vector<Case>(std::begin(cases), std::end(cases));
}

TEST(BadPicture, EachHasItsDefinedOutcome)
{
    for (const Case& c : Cases_bad()) {
        SCOPED_TRACE(c.name);
        const Outcome_seen run = Program_outcome(c.name, c.make, c.outcome == Outcome::shown, c.as_nobody);
        Bounded_expect(run);
        if (c.outcome == Outcome::shown) {
            EXPECT_EQ(run.code, 0) << "stderr: " << run.err;
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_EQ(run.code, 2) << "stderr: " << run.err;
            EXPECT_EQ(run.err, "Tintora: cannot read the picture file \"" + std::string(c.name) + ".txt\" in " +
                                   run.folder + ": " + c.reason + "\n");
        }
        if (c.what != any_count) {
            EXPECT_EQ(run.out.size(), what_size * static_cast<std::size_t>(c.what));
        }
        EXPECT_GE(run.out.size(), what_size * static_cast<std::size_t>(c.what_at_least))
            << "too few WHAT? lines: the grid was not reached";
        std::printf("  %-30s exit %d, %8zu bytes out, %5.2f s, %6ld KiB peak\n", c.name, run.code, run.out.size(),
                    run.seconds, run.peak_kb);
    }
}

// ---- tintora-check on the same table ---------------------------------------

// What tintora-check wrote, counted line by line as it is read back, so
// that a flood of warnings never swells this test process.
struct Checker_output {
    long whats = 0;            // warnings for characters the program answers with "WHAT?"
    bool summary = false;      // a line "FILE: ..." that sums the picture up
};

Checker_output Checker_output_read(const fs::path& out_file, const std::string& file)
{
    Checker_output seen;
    std::ifstream in(out_file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.ends_with("\"WHAT?\" and it takes no square"))
            ++seen.whats;
        seen.summary = seen.summary || line.rfind(file + ": ", 0) == 0;
    }
    return seen;
}

// Runs tintora-check on `file` from `folder`, bounded in time like the
// program's runs; its standard output is left in a file beside it.
Outcome_seen Checker_run(const fs::path& folder, const std::string& file, bool as_nobody)
{
    fs::path checker = fs::absolute(TINTORA_CHECKER);
    if (as_nobody) {
        const fs::path copy = folder / "checker-copy";
        fs::copy_file(checker, copy, fs::copy_options::overwrite_existing);
        checker = copy;
    }
    const fs::path out_file = folder / (file + ".check-stdout");
    const fs::path err_file = folder / (file + ".check-stderr");
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            chdir(folder.c_str()) != 0)
            _exit(120);
        if (as_nobody && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(121);
        execl(checker.c_str(), checker.c_str(), file.c_str(), static_cast<char*>(nullptr));
        _exit(122);
    }
    Outcome_seen run;
    if (pid < 0) {
        ADD_FAILURE() << "fork: " << std::strerror(errno);
        return run;
    }
    const auto deadline = start + std::chrono::duration<double>(time_bound);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            run.hung = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.exited = WIFEXITED(status);
    run.code = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    std::ifstream err(err_file);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

// tintora-check on the same table: it ends in bounded time, refuses what the
// program refuses with the program's own line and status 2, and names one
// unexpected character for each "WHAT?" line the program writes.
TEST(BadPicture, TheCheckerGivesTheSameOutcome)
{
    char folder_template[] = "/tmp/tintora-check-hostile-XXXXXX";
    ASSERT_NE(mkdtemp(folder_template), nullptr);
    const fs::path folder = folder_template;
    fs::permissions(folder, fs::perms::all);   // a run as nobody writes its output here
    for (const Case& c : Cases_bad()) {
        SCOPED_TRACE(c.name);
        const std::string name = std::string(c.name) + ".txt";
        c.make(folder / name);
        const Outcome_seen run = Checker_run(folder, name, c.as_nobody);
        const Checker_output seen = Checker_output_read(folder / (name + ".check-stdout"), name);
        EXPECT_FALSE(run.hung) << "still running after " << time_bound << " s";
        ASSERT_TRUE(run.exited) << "ended by signal " << run.code;
        if (c.outcome == Outcome::shown) {
            EXPECT_TRUE(run.code == 0 || run.code == 1) << "exit " << run.code << ", stderr: " << run.err;
            EXPECT_EQ(run.err, "");
            EXPECT_TRUE(seen.summary) << "no summary line";
        } else {
            EXPECT_EQ(run.code, 2) << "stderr: " << run.err;
            EXPECT_EQ(run.err, "Tintora: cannot read the picture file \"" + name + "\" in " + folder.string() +
                                   ": " + c.reason + "\n");
        }
        if (c.outcome == Outcome::shown && c.what != any_count) {
            EXPECT_EQ(seen.whats, c.what);
        }
        EXPECT_GE(seen.whats, c.what_at_least);
        std::printf("  %-30s exit %d, %5.2f s\n", c.name, run.code, run.seconds);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// Under AddressSanitizer a program's peak memory is its allocator's
// (freed blocks held in quarantine, shadow memory), not what the reader
// keeps: there only the bytes read are compared.
#ifdef __SANITIZE_ADDRESS__
constexpr bool peak_is_the_readers = false;
#else
constexpr bool peak_is_the_readers = true;
#endif

// A long file is read once, no further than the reading limit, however long
// it is: what it holds past its grid's last row changes nothing shown, and
// the bytes read and the peak memory stay within the limit's own.
TEST(BadPicture, LongFileIsReadNoFurtherThanTheLimit)
{
    const Outcome_seen small =
        Program_outcome("small", [](const fs::path& f) { File_write(f, Picture_whole()); }, true);
    Bounded_expect(small);
    ASSERT_EQ(small.code, 0) << small.err;
    ASSERT_TRUE(small.out == "WHAT?\n") << small.out.size() << " bytes on standard output";
    ASSERT_GT(small.rchar, 0);
    const std::pair<const char*, std::function<void(const fs::path&)>> long_files[] = {
        {"long", [](const fs::path& f) { Picture_long_write(f, std::size_t{100} << 20); }},
        {"sparse",
         [](const fs::path& f) {
             ASSERT_TRUE(Sparse_write(f, Picture_whole(), off_t{64} << 30) ||
                         Sparse_write(f, Picture_whole(), off_t{4} << 30))
                 << "cannot make a large sparse file here";
         }},
    };
    for (const auto& [name, make] : long_files) {
        SCOPED_TRACE(name);
        const Outcome_seen run = Program_outcome(name, make, true);
        Bounded_expect(run);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(run.out == small.out) << run.out.size() << " bytes on standard output";
        // The limit, one byte more that tells the file is longer, and the
        // stream's own 4 KiB buffer: nothing of the 100 MiB or 64 GiB beyond.
        EXPECT_LE(run.rchar, small.rchar + text_limit + (4 << 10))
            << "read " << run.rchar << " bytes, the small file " << small.rchar;
        if (peak_is_the_readers) {
            EXPECT_LT(run.peak_kb, small.peak_kb + (16 << 10)) << "peak " << run.peak_kb << " KiB, the small file "
                                                              << small.peak_kb;
        }
        std::printf("  %-6s read %lld bytes (small file %lld), peak %ld KiB (%ld), %.2f s (%.2f s)\n", name,
                    run.rchar, small.rchar, run.peak_kb, small.peak_kb, run.seconds, small.seconds);
    }
}

// The reader's limit, in-process: a file is read whole up to text_limit
// bytes; one byte more is refused only when the reader asks for it.
TEST(TextLimit, RefusesOnlyAFileTheReaderWantsMoreThanTheLimitOf)
{
    struct Limit_case {
        const char* what;
        std::string text;
        int error;
    };
    const std::string separator_to_limit = std::string(text_limit - palette.size() - 1, 'y') + "\n";
    const Limit_case cases[] = {
        {"exactly the limit, read to its end", palette + separator_to_limit, 0},
        {"one byte more, which the reader wants", palette + separator_to_limit + " ", EFBIG},
        {"far more, after the grid's end", Picture_whole() + std::string(3 * text_limit, 'X'), 0},
        {"far more, before the grid's end", Picture(std::string(3 * text_limit, 'X')), EFBIG},
    };
    for (const Limit_case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Square> squares(squarecount * squarecount);
        Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
        std::vector<Colour> colours(colourcount);
        int read_error = -1;
        std::FILE* in = Text_open_bytes(c.text, &read_error);
        ASSERT_NE(in, nullptr);
        std::FILE* report = std::fopen("/dev/null", "w");
        Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, report);
        std::fclose(report);
        std::fclose(in);
        EXPECT_EQ(read_error, c.error);
    }
}

}  // namespace
