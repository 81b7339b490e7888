#include "sound/sound_capture.h"

#include <algorithm>
#include <cmath>

#include "sound/soundman.h"
#include "sound/sound_output.h"
#include "sound/wav_writer.h"

namespace {

WavFileWriter g_writer;
double g_capturedSeconds = 0.0;
int64_t g_renderedFrames = 0;

}  // namespace

bool StartSoundCapture(const std::string& path, int channels) {
    g_capturedSeconds = 0.0;
    g_renderedFrames = 0;
    if (!OpenLoopbackOutput(CAPTURE_SAMPLE_RATE, channels)) return false;
    if (!g_writer.Open(path, channels, CAPTURE_SAMPLE_RATE)) {
        CloseSoundOutput();
        return false;
    }
    return true;
}

bool FinishSoundCapture() { return g_writer.Close(); }

std::vector<int16_t> RenderSoundMix(int frames) {
    std::vector<int16_t> samples = RenderLoopback(frames);
    if (!samples.empty()) g_renderedFrames += int64_t(samples.size()) / LoopbackChannels();
    g_writer.Append(samples.data(), samples.size());
    return samples;
}

void SoundCaptureAdvance(double seconds) {
    if (!SoundOutputIsLoopback() || !(seconds > 0.0)) return;
    g_capturedSeconds += seconds;
    const auto target = int64_t(std::llround(g_capturedSeconds * CAPTURE_SAMPLE_RATE));
    constexpr int64_t CHUNK = 4096;
    while (g_renderedFrames < target) RenderSoundMix(int(std::min(target - g_renderedFrames, CHUNK)));
}
