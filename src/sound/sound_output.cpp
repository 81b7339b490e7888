#include "sound/sound_output.h"

#include <AL/al.h>
#include <AL/alc.h>
#ifndef __EMSCRIPTEN__
#include <AL/alext.h>
#endif
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

#include "sound/peak_limiter.h"

namespace {

ALCdevice* g_device = nullptr;
ALCcontext* g_context = nullptr;
int g_loopbackChannels = 0;
#ifdef __EMSCRIPTEN__
// The browser's OpenAL mixes into Web Audio only: no limiter, no loopback.
using LPALCRENDERSAMPLESSOFT = void (*)(ALCdevice*, void*, ALCsizei);
constexpr ALCint kPlaybackAttributes[] = {0};
#else
// The limiter keeps many overlapping sounds from clipping.
constexpr ALCint kPlaybackAttributes[] = {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0};
#endif
LPALCRENDERSAMPLESSOFT g_renderSamples = nullptr;
std::optional<PeakLimiter> g_limiter;

// The audio libraries print their own errors while probing for a device;
// those are kept off standard error for the duration.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = ::dup(2);
        int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 2);
            ::close(null);
        }
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

bool StartContext(const ALCint* attributes) {
    g_context = alcCreateContext(g_device, attributes);
    if (!g_context || !alcMakeContextCurrent(g_context)) {
        CloseSoundOutput();
        return false;
    }
    // Distance never changes a sound's level; a source's direction places it.
    alDistanceModel(AL_NONE);
    return true;
}

}  // namespace

bool OpenPlaybackOutput() {
    CloseSoundOutput();
    QuietStderr quiet;
    g_device = alcOpenDevice(nullptr);
    return g_device && StartContext(kPlaybackAttributes);
}

#ifdef __EMSCRIPTEN__
bool OpenLoopbackOutput(int, int) {
    CloseSoundOutput();
    return false;
}
#else
bool OpenLoopbackOutput(int sampleRate, int channels) {
    CloseSoundOutput();
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return false;
    auto openLoopback =
        reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    g_renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!openLoopback || !g_renderSamples) return false;
    g_device = openLoopback(nullptr);
    if (!g_device) return false;
    g_loopbackChannels = channels;
    g_limiter.emplace(sampleRate, channels);
    // Mixed in float; our limiter makes the 16-bit samples.
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, channels == 2 ? ALC_STEREO_SOFT : ALC_MONO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,            sampleRate,
                                 0};
    return StartContext(attributes);
}
#endif

void CloseSoundOutput() {
    if (g_context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(g_context);
        g_context = nullptr;
    }
    if (g_device) {
        alcCloseDevice(g_device);
        g_device = nullptr;
    }
    g_loopbackChannels = 0;
}

bool SoundOutputOpen() { return g_context != nullptr; }

bool SoundOutputIsLoopback() { return g_context && g_loopbackChannels > 0; }

int LoopbackChannels() { return SoundOutputIsLoopback() ? g_loopbackChannels : 0; }

std::vector<int16_t> RenderLoopback(int frames) {
    if (!SoundOutputIsLoopback() || frames <= 0) return {};
    std::vector<float> mix(static_cast<size_t>(frames) * size_t(g_loopbackChannels));
    g_renderSamples(g_device, mix.data(), frames);
    return g_limiter->Process(mix);
}
