// tintora-check against files that move under it: a picture rewritten in
// place while it is checked (an editor saving it), and output names that
// lead to a picture it reads. The real program, run as a person runs it.
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct Checked {
    bool exited = false;
    int code = -1;   // the exit status, or the signal
    std::string out;
    std::string err;
};

std::string File_read_whole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs tintora-check with `args` in `folder`.
Checked Checker_run(const fs::path& folder, const std::vector<std::string>& args)
{
    const fs::path out = folder / "check.out";
    const fs::path err = folder / "check.err";
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(TINTORA_CHECKER)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(folder.c_str()) != 0)
            _exit(120);
        execv(TINTORA_CHECKER, argv.data());
        _exit(122);
    }
    Checked run;
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return run;
    run.exited = WIFEXITED(status);
    run.code = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    run.out = File_read_whole(out);
    run.err = File_read_whole(err);
    return run;
}

class Checker_files : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("tintora-checker-files-" + std::to_string(getpid()));
        fs::create_directories(folder / "sub");
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

const std::string palette8 = "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\n";

// An editor saving in place empties the file, then writes it anew. A long
// picture and a short one take turns, so that a checker reading the file
// twice would trace one and place the other. Every run must end on its own
// with a summary of what it read, never by a signal.
TEST_F(Checker_files, GivesWholeResultsWhileThePictureIsRewritten)
{
    std::string long_picture = palette8 + "A long one\n";
    for (int row = 0; row < 38; ++row)
        long_picture += " x x x x x x x x x x x x x x x x x x X\n";
    long_picture += std::string(200000, '\n') + "xx\n";
    const std::string short_picture = palette8 + "Short\n x\n";
    const fs::path file = folder / "p.txt";
    std::ofstream(file, std::ios::binary) << long_picture;

    std::atomic<bool> stop{false};
    std::thread editor([&] {
        for (int k = 0; !stop; ++k) {
            const std::string& text = k % 2 ? short_picture : long_picture;
            const int fd = open(file.c_str(), O_WRONLY | O_TRUNC);
            if (fd < 0)
                continue;
            for (std::size_t done = 0; done < text.size();) {
                const ssize_t n = write(fd, text.data() + done, std::min<std::size_t>(text.size() - done, 4096));
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            close(fd);
        }
    });
    int runs = 0;
    for (; runs < 150 && !HasFailure(); ++runs) {
        const Checked run = Checker_run(folder, {"p.txt"});
        EXPECT_TRUE(run.exited && (run.code == 0 || run.code == 1))
            << "run " << runs << ": " << (run.exited ? "exit " : "signal ") << run.code << "\n" << run.err;
        EXPECT_EQ(run.err, "") << "run " << runs;
        const auto last = run.out.rfind("\np.txt: ");
        EXPECT_TRUE(run.out.rfind("p.txt: ", 0) == 0 || last != std::string::npos) << "run " << runs << ": no summary";
        EXPECT_TRUE(run.out.ends_with("\n")) << "run " << runs;
    }
    stop = true;
    editor.join();
    std::printf("  %d runs of the checker while the picture was rewritten\n", runs);
}

// A view is never written over a picture the checker reads, however the
// output is named; an empty name is refused too. Nothing is written then.
TEST_F(Checker_files, NeverWritesAViewOverAPictureItReads)
{
    const std::string picture = palette8 + "A box\n xxx\n x x\n xxx\n";
    std::ofstream(folder / "p.txt", std::ios::binary) << picture;
    std::ofstream(folder / "q.txt", std::ios::binary) << picture;
    fs::create_symlink("p.txt", folder / "link.png");
    fs::create_hard_link(folder / "p.txt", folder / "hard.png");
    struct Case {
        const char* option;
        std::string out;
        const char* says;
    };
    const Case cases[] = {
        {"--preview", "p.txt", "would write over the picture p.txt"},
        {"--regions", "./sub/../p.txt", "would write over the picture p.txt"},
        {"--preview", (folder / "p.txt").string(), "would write over the picture p.txt"},
        {"--preview", "link.png", "would write over the picture p.txt"},
        {"--regions", "hard.png", "would write over the picture p.txt"},
        {"--preview", "q.txt", "would write over the picture q.txt"},
        {"--preview", "", "--preview needs a file name"},
        {"--regions", "", "--regions needs a file name"},
    };
    for (const Case& c : cases) {
        const Checked run = Checker_run(folder, {c.option, c.out, "p.txt", "q.txt"});
        EXPECT_TRUE(run.exited && run.code == 2) << c.option << " '" << c.out << "': " << run.code;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.option << " '" << c.out << "': " << run.err;
        EXPECT_EQ(run.out, "") << c.option << " '" << c.out << "'";
        EXPECT_EQ(File_read_whole(folder / "p.txt"), picture) << c.option << " '" << c.out << "'";
        EXPECT_EQ(File_read_whole(folder / "q.txt"), picture) << c.option << " '" << c.out << "'";
    }
    // A new name is written as before.
    const Checked run = Checker_run(folder, {"--preview", "p.png", "p.txt"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(folder / "p.png"));
}

}  // namespace
