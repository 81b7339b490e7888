#include "startup_bench.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "gamelib/libman.h"
#include "lib_writer.h"
#include "replay/play_tap.h"
#include "session_run.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint64_t kLargeLibrary = 256ull << 20;
constexpr int kOpens = 25;
constexpr int kPlays = 3;

double Millis(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

Timing TimeOpen(const std::string& path) {
    std::vector<double> ms;
    for (int i = 0; i < kOpens; ++i) {
        const Clock::time_point start = Clock::now();
        TGameLib lib(path.c_str(), nullptr);
        std::string problem;
        if (!lib.TryOpen(&problem)) {
            std::fprintf(stderr, "rockpile-bench: %s: %s\n", path.c_str(), problem.c_str());
            return {};
        }
        ms.push_back(Millis(start, Clock::now()));
    }
    return Summarize(ms);
}

// The default library's bytes plus a sparse filler entry, 256 MB in all.
bool WriteLargeLibrary(const std::string& library, const std::string& dir, std::string& out) {
    const uint64_t size = std::filesystem::file_size(library);
    const std::string filler = dir + "/filler.bin";
    const int fd = open(filler.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(kLargeLibrary - size - 64 * 1024)) != 0) {
        if (fd >= 0) close(fd);
        return false;
    }
    close(fd);
    std::vector<LibrarySource> sources = {{"default.lib", library, size},
                                          {"filler.bin", filler, kLargeLibrary - size - 64 * 1024}};
    out = dir + "/large.lib";
    std::string error;
    bool ok = WriteLibrary(out, sources, error);
    std::filesystem::remove(filler);
    if (!ok) std::fprintf(stderr, "rockpile-bench: %s\n", error.c_str());
    return ok;
}

// Notes when the first frame has been presented: at the call before the
// second frame.
class FirstFrameTap : public PlayTap {
public:
    float Frame(int64_t frame, float dt) override {
        if (frame == 2) firstFrame = Clock::now();
        return dt;
    }
    Clock::time_point firstFrame;
};

}  // namespace

StartupResult RunStartupBench(const std::string& library, const std::string& scratchDir) {
    StartupResult result;
    std::string large;
    if (!WriteLargeLibrary(library, scratchDir, large)) return result;
    result.defaultBytes = std::filesystem::file_size(library);
    result.largeBytes = std::filesystem::file_size(large);
    result.openDefaultMs = TimeOpen(library);
    result.openLargeMs = TimeOpen(large);
    std::filesystem::remove(large);

    std::vector<double> plays;
    for (int i = 0; i < kPlays; ++i) {
        FirstFrameTap tap;
        SessionRun run;
        run.library = library;
        run.frames = 2;
        run.autopilot = false;
        const Clock::time_point start = Clock::now();
        if (!RunFlagship(run, tap)) return result;
        plays.push_back(Millis(start, tap.firstFrame));
    }
    result.playToFirstFrameMs = Summarize(plays);
    result.ok = result.openDefaultMs.samples && result.openLargeMs.samples;
    return result;
}
