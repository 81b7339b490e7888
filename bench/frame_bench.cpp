#include "frame_bench.h"

#include <chrono>
#include <functional>
#include <random>

#include "field_fill.h"
#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/draw_depth.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/device.h"
#include "platform/gl/gl_device.h"
#include "platform/process_memory.h"
#include "replay/play_tap.h"
#include "session_run.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmupFrames = 30;
constexpr int kTypicalWave = 10;  // four rocks and a ring of six whirlygigs

double Millis(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The device's counts over a run of frames.
struct CountSum {
    DeviceStats total;
    int frames = 0;

    void Add(const DeviceStats& from, const DeviceStats& to) {
        total.drawCalls += to.drawCalls - from.drawCalls;
        total.programSwitches += to.programSwitches - from.programSwitches;
        total.uniformUploads += to.uniformUploads - from.uniformUploads;
        total.textureBinds += to.textureBinds - from.textureBinds;
        total.primitives += to.primitives - from.primitives;
        total.backdropsCopied += to.backdropsCopied - from.backdropsCopied;
        ++frames;
    }
    DrawCounts PerFrame() const {
        const double n = frames > 0 ? frames : 1;
        return {total.drawCalls / n,    total.programSwitches / n, total.uniformUploads / n, total.textureBinds / n,
                total.primitives / n, total.backdropsCopied / n};
    }
};

// Takes the frame times of the session's own frames: the time from the end
// of one tap call to the start of the next is the game's frame (and its
// window events); staging and refills happen inside the tap, untimed.
class FrameTimingTap : public PlayTap {
public:
    explicit FrameTimingTap(int framesPerScene) : n_(framesPerScene) {}

    int64_t TotalFrames() const { return kWarmupFrames + 2 + 2 * static_cast<int64_t>(n_); }

    float Frame(int64_t frame, float dt) override {
        const Clock::time_point start = Clock::now();
        const DeviceStats counts = theDevice->Stats();
        const int64_t waveStart = kWarmupFrames + 1, fullStart = waveStart + n_ + 1;
        if (frame > waveStart && frame < fullStart) {
            wave.push_back(Millis(lastEnd_, start));
            waveCounts.Add(lastCounts_, counts);
        }
        if (frame > fullStart) {
            full.push_back(Millis(lastEnd_, start));
            fullCounts.Add(lastCounts_, counts);
        }
        if (frame == waveStart) {
            TimeEmptyFrames();
            TimeBackgroundFrames(dt);
            theAsteroids->wave = kTypicalWave - 1;
            theAsteroids->NextWave();
        }
        if (theShip) theShip->invulnerable = 1e9;  // the scene must not end with the ship
        if (frame == fullStart) FillField();
        if (frame >= fullStart) FillShotsAndExplosions(random_);
        lastCounts_ = theDevice->Stats();
        lastEnd_ = Clock::now();
        return dt;
    }

    std::string renderer;
    std::vector<double> empty, background, wave, full;
    CountSum emptyCounts, backgroundCounts, waveCounts, fullCounts;

private:
    void TimeEmptyFrames() {
        if (auto* gl = dynamic_cast<GlDevice*>(theDevice)) renderer = gl->Renderer();
        TimeFrames(empty, emptyCounts, [] {}, [] {});
    }

    // The game's background alone, turning as in play: what every frame of
    // the game draws before its first object.
    void TimeBackgroundFrames(float dt) {
        if (!theBackground) return;
        TimeFrames(background, backgroundCounts, [dt] {
            drawDepth = 800.0;
            theBackground->Step(dt);
        }, [] { theBackground->Draw(); });
    }

    // n_ whole frames timed one by one: `before` runs ahead of the clear,
    // `draw` inside the scene.
    void TimeFrames(std::vector<double>& times, CountSum& counts, const std::function<void()>& before,
                    const std::function<void()>& draw) {
        for (int i = 0; i < n_; ++i) {
            const Clock::time_point start = Clock::now();
            const DeviceStats stats = theDevice->Stats();
            before();
            theDevice->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f);
            theDevice->BeginScene();
            draw();
            theDevice->EndScene();
            theDevice->Present();
            times.push_back(Millis(start, Clock::now()));
            counts.Add(stats, theDevice->Stats());
        }
    }

    // 128 rocks of the game's own kinds, too hard to break, spread over the
    // play area in the three sizes of a split rock.
    void FillField() {
        settings.asteroidHull = 1 << 30;
        std::uniform_real_distribution<float> across(-20.0f, 20.0f);
        const double sizes[] = {5.0, 3.125, 1.953125};
        for (int i = 0; theAsteroids->count < MAX_ASTEROIDS; ++i) {
            TAsteroid* rock = theAsteroids->Spawn(KIND_ROCK, KEY_ROCK, -1);
            if (!rock) break;
            rock->SetSize(sizes[i % 3]);
            rock->position = Vector3(across(random_), across(random_), 0);
        }
    }

    int n_;
    Clock::time_point lastEnd_;
    DeviceStats lastCounts_;
    std::mt19937 random_{1};
};

}  // namespace

FrameResult RunFrameBench(const std::string& library, int framesPerScene, const std::string& picturesDir) {
    FrameResult result;
    result.ok = true;
    // The size the memory target is for goes first: what a run leaves
    // resident (the allocator's free lists, the driver's caches) counts
    // toward the next, so only the first size's peak is its own.
    for (auto [width, height] : {std::pair{1280, 720}, std::pair{800, 600}}) {
        FrameTimingTap tap(framesPerScene);
        SessionRun run;
        run.library = library;
        run.width = width;
        run.height = height;
        run.frames = tap.TotalFrames();
        if (!picturesDir.empty())
            run.screenshot = picturesDir + "/full-" + std::to_string(width) + "x" + std::to_string(height) + ".png";
        const bool peakReset = ResetPeakResident();
        if (!RunFlagship(run, tap) || tap.full.empty()) {
            result.ok = false;
            return result;
        }
        result.renderer = tap.renderer;
        result.sizes.push_back({width, height,
                                {{"empty", Summarize(tap.empty), tap.emptyCounts.PerFrame()},
                                 {"background", Summarize(tap.background), tap.backgroundCounts.PerFrame()},
                                 {"wave", Summarize(tap.wave), tap.waveCounts.PerFrame()},
                                 {"full", Summarize(tap.full), tap.fullCounts.PerFrame()}},
                                peakReset ? PeakResidentKb() / 1024.0 : 0.0});
    }
    return result;
}
