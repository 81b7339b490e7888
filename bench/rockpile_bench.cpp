// rockpile-bench [sim] [frame] [startup] [--json] [--library FILE] [--frames N] [--pictures DIR]
// Runs the named parts (all three by default) in one run and prints their
// numbers side by side, or as one JSON object for tracking. The frame and
// start-up parts need a display: run under xvfb-run -a -s "-screen 0 1280x1024x24".
// --pictures DIR keeps the last full-field frame of each size as a PNG there;
// frames are then drawn in the device's own buffer, where they can be read
// back, and not straight into the window, so they time slower.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "frame_bench.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/process_memory.h"
#include "sim_bench.h"
#include "startup_bench.h"

namespace {

// Targets on the reference machine (llvmpipe, two cores).
constexpr double kSimTargetUs = 40;
constexpr double kFullFieldTargetFps = 120;
constexpr double kFirstFrameTargetMs = 150;
constexpr double kPeakMemoryTargetMb = 150;

struct Options {
    std::set<std::string> parts;
    bool json = false;
    std::string library;
    int frames = 600;
    std::string pictures;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "sim" || arg == "frame" || arg == "startup") o.parts.insert(arg);
        else if (arg == "--json") o.json = true;
        else if (arg == "--library" && i + 1 < argc) o.library = argv[++i];
        else if (arg == "--pictures" && i + 1 < argc) o.pictures = argv[++i];
        else if (arg == "--frames" && i + 1 < argc && std::atoi(argv[i + 1]) > 0) o.frames = std::atoi(argv[++i]);
        else return false;
    }
    if (o.parts.empty()) o.parts = {"sim", "frame", "startup"};
    if (o.library.empty()) o.library = JoinPosix(ProgramDirectory(), "../share/rockpile/kwrockpile.lib");
    return true;
}

const char* Met(bool ok) { return ok ? "true" : "false"; }

const FrameSizeResult* Size1280(const FrameResult& frame) {
    for (const FrameSizeResult& size : frame.sizes)
        if (size.width == 1280) return &size;
    return nullptr;
}

double FullFieldFps(const FrameResult& frame) {
    if (const FrameSizeResult* size = Size1280(frame))
        for (const SceneTiming& s : size->scenes)
            if (s.scene == "full" && s.ms.median > 0) return 1000.0 / s.ms.median;
    return 0;
}

// The memory target is for play at 1280 x 720; the frame part's run of that
// size (its full field holds more than a game shows) measures it.
double PeakAt1280Mb(const FrameResult& frame) {
    const FrameSizeResult* size = Size1280(frame);
    return size ? size->peakResidentMb : 0;
}

void PrintText(const Options& o, const Timing& sim, const FrameResult& frame, const StartupResult& startup,
               double peakMb) {
    if (o.parts.count("sim"))
        std::printf("sim      full field step            median %8.1f us   p99 %8.1f us   (target <= %.0f us)\n",
                    sim.median, sim.p99, kSimTargetUs);
    if (o.parts.count("frame")) {
        std::printf("renderer %s\n", frame.renderer.c_str());
        for (const FrameSizeResult& size : frame.sizes) {
            const double empty = size.scenes.front().ms.median;
            for (const SceneTiming& s : size.scenes) {
                std::printf("frame    %4dx%-4d %-14s   median %8.3f ms   p99 %8.3f ms   %7.0f fps   x%.1f empty\n",
                            size.width, size.height, s.scene.c_str(), s.ms.median, s.ms.p99, 1000.0 / s.ms.median,
                            s.ms.median / empty);
                const DrawCounts& c = s.perFrame;
                std::printf("         %4dx%-4d %-14s   per frame: %.0f draws, %.0f program switches, %.0f uniform "
                            "uploads, %.0f texture binds, %.0f triangles, %.0f backdrops copied\n",
                            size.width, size.height, s.scene.c_str(), c.draws, c.programSwitches, c.uniformUploads,
                            c.textureBinds, c.triangles, c.backdropsCopied);
            }
        }
        std::printf("frame    full field at 1280x720: %.0f fps (target >= %.0f)\n", FullFieldFps(frame),
                    kFullFieldTargetFps);
        for (const FrameSizeResult& size : frame.sizes) {
            if (size.peakResidentMb <= 0) continue;
            std::printf("memory   %4dx%-4d peak resident       %8.1f MB", size.width, size.height, size.peakResidentMb);
            if (&size != &frame.sizes.front())
                std::printf("   (with what the run before left)");
            else if (size.width == 1280)
                std::printf("   (target <= %.0f MB)", kPeakMemoryTargetMb);
            std::printf("\n");
        }
    }
    if (o.parts.count("startup")) {
        std::printf("startup  library open %6.1f MB      median %8.3f ms\n", startup.defaultBytes / 1048576.0,
                    startup.openDefaultMs.median);
        std::printf("startup  library open %6.1f MB      median %8.3f ms\n", startup.largeBytes / 1048576.0,
                    startup.openLargeMs.median);
        std::printf("startup  Play to first frame       median %8.1f ms   (target <= %.0f ms)\n",
                    startup.playToFirstFrameMs.median, kFirstFrameTargetMs);
    }
    // The frame part measures its own runs; it starts the peak over for each.
    if (!o.parts.count("frame")) std::printf("memory   peak resident              %8.1f MB\n", peakMb);
}

void PrintJson(const Options& o, const Timing& sim, const FrameResult& frame, const StartupResult& startup,
               double peakMb) {
    std::printf("{\n");
    if (o.parts.count("sim"))
        std::printf("  \"sim\": {\"median_us\": %.2f, \"p99_us\": %.2f},\n", sim.median, sim.p99);
    if (o.parts.count("frame")) {
        std::printf("  \"renderer\": \"%s\",\n  \"frame\": [", frame.renderer.c_str());
        const char* sep = "";
        for (const FrameSizeResult& size : frame.sizes) {
            const double empty = size.scenes.front().ms.median;
            for (const SceneTiming& s : size.scenes) {
                const DrawCounts& c = s.perFrame;
                std::printf("%s\n    {\"size\": \"%dx%d\", \"scene\": \"%s\", \"median_ms\": %.4f, \"p99_ms\": %.4f, "
                            "\"fps\": %.1f, \"ratio_to_empty\": %.2f, \"draws\": %.1f, \"program_switches\": %.1f, "
                            "\"uniform_uploads\": %.1f, \"texture_binds\": %.1f, \"triangles\": %.1f, "
                            "\"backdrops_copied\": %.1f}",
                            sep, size.width, size.height, s.scene.c_str(), s.ms.median, s.ms.p99,
                            1000.0 / s.ms.median, s.ms.median / empty, c.draws, c.programSwitches, c.uniformUploads,
                            c.textureBinds, c.triangles, c.backdropsCopied);
                sep = ",";
            }
        }
        std::printf("\n  ],\n  \"frame_peak_resident_mb\": {");
        sep = "";
        for (const FrameSizeResult& size : frame.sizes)
            std::printf("%s\"%dx%d\": %.1f", sep, size.width, size.height, size.peakResidentMb), sep = ", ";
        std::printf("},\n");
    }
    if (o.parts.count("startup"))
        std::printf("  \"startup\": {\"library_open_ms\": {\"default\": %.4f, \"default_bytes\": %llu, "
                    "\"large\": %.4f, \"large_bytes\": %llu}, \"play_to_first_frame_ms\": %.1f},\n",
                    startup.openDefaultMs.median, static_cast<unsigned long long>(startup.defaultBytes),
                    startup.openLargeMs.median, static_cast<unsigned long long>(startup.largeBytes),
                    startup.playToFirstFrameMs.median);
    if (!o.parts.count("frame")) std::printf("  \"peak_resident_mb\": %.1f,\n", peakMb);
    std::printf("  \"targets_met\": {");
    const char* sep = "";
    if (o.parts.count("sim")) std::printf("%s\"sim\": %s", sep, Met(sim.median <= kSimTargetUs)), sep = ", ";
    if (o.parts.count("frame"))
        std::printf("%s\"full_field_fps\": %s", sep, Met(FullFieldFps(frame) >= kFullFieldTargetFps)), sep = ", ";
    if (o.parts.count("startup"))
        std::printf("%s\"play_to_first_frame\": %s", sep,
                    Met(startup.playToFirstFrameMs.median <= kFirstFrameTargetMs)), sep = ", ";
    if (o.parts.count("frame"))
        std::printf("%s\"peak_resident_1280x720\": %s", sep,
                    Met(PeakAt1280Mb(frame) > 0 && PeakAt1280Mb(frame) <= kPeakMemoryTargetMb));
    std::printf("}\n}\n");
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: rockpile-bench [sim] [frame] [startup] [--json] [--library FILE] [--frames N] "
                     "[--pictures DIR]\n");
        return 2;
    }
    SetBatchMode(true);
    if ((o.parts.count("frame") || o.parts.count("startup")) && !std::getenv("DISPLAY"))
        std::fprintf(stderr, "rockpile-bench: no DISPLAY: frame times from an off-screen device mean little\n");

    Timing sim;
    FrameResult frame;
    StartupResult startup;
    if (o.parts.count("sim")) sim = RunSimBench(o.frames * 8);
    if (o.parts.count("frame") && !(frame = RunFrameBench(o.library, o.frames, o.pictures)).ok) {
        std::fprintf(stderr, "rockpile-bench: the frame part could not run the game\n");
        return 1;
    }
    const double peakMb = PeakResidentKb() / 1024.0;
    if (o.parts.count("startup") &&
        !(startup = RunStartupBench(o.library, std::filesystem::temp_directory_path().string())).ok) {
        std::fprintf(stderr, "rockpile-bench: the start-up part failed\n");
        return 1;
    }
    if (o.json)
        PrintJson(o, sim, frame, startup, peakMb);
    else
        PrintText(o, sim, frame, startup, peakMb);
    return 0;
}
