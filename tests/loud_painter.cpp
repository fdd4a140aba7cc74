// A stand-in for the painter that talks far more than a pipe holds: it
// writes at least TINTORA_LOUD_BYTES bytes of numbered lines to standard
// error, then a last line with the name it was started under, and ends
// with status 3.
// Should its writing stall for 20 s (nobody reading the pipe), it gives up
// and ends with status 86, so a book that stops reading fails its test
// instead of hanging it. (Under Wine a process whose write is half done
// when it gives up may linger; the test runner's time limit ends that.)
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr int status_done = 3;
constexpr int status_stalled = 86;
constexpr auto stall_most = std::chrono::seconds(20);

std::atomic<unsigned long long> written{0};
std::atomic<bool> finished{false};

// Watches the writing until it is finished; joined before the stand-in
// ends, so no thread of its own is still running at its exit (where the
// leak checker would count that thread's bookkeeping as leaked).
void Stall_watch()
{
    unsigned long long seen = written.load();
    auto since = std::chrono::steady_clock::now();
    while (!finished.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const unsigned long long now = written.load();
        if (now != seen) {
            seen = now;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > stall_most) {
            std::_Exit(status_stalled);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const char* asked = std::getenv("TINTORA_LOUD_BYTES");
    const unsigned long long bytes = asked ? std::strtoull(asked, nullptr, 10) : 0;
    std::thread watch(Stall_watch);
    // Whole lines, at least `bytes` of them, written 64 KiB at a time.
    std::string chunk;
    for (unsigned long long line = 0; written.load() < bytes; ++line) {
        chunk += "noise " + std::to_string(line) + " of a painter that talks a lot\n";   // as painter_pipe_test.cpp
        if (chunk.size() < 65536 && written.load() + chunk.size() < bytes)
            continue;
        std::fwrite(chunk.data(), 1, chunk.size(), stderr);
        written += chunk.size();
        chunk.clear();
    }
    std::fprintf(stderr, "%s: the last words\n", argc > 0 ? argv[0] : "");
    finished = true;
    watch.join();
    return status_done;
}
