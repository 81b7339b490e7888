// Plays every sound slot in turn through the loopback capture and writes the
// mix to a WAV file for measuring (sox FILE -n stat).
// Usage: sound_slot_capture OUT.wav [GAME.lib | FOLDER]
// The sounds come from a game library, from loose files under FOLDER
// ("FOLDER/sounds/*.wav"), or else are half-scale tones, one pitch a slot.
#include <cstdio>
#include <filesystem>

#include "gamelib/libman.h"
#include "sound/soundman.h"
#include "tone_wav.h"

namespace {

constexpr double FRAME_SECONDS = 1.0 / 60.0;

void Advance(double seconds) {
    for (double t = 0.0; t < seconds; t += FRAME_SECONDS) SoundCaptureAdvance(FRAME_SECONDS);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.wav [GAME.lib | FOLDER]\n", argv[0]);
        return 2;
    }
    if (argc == 3) {
        const bool folder = std::filesystem::is_directory(argv[2]);
        useGameLib = folder ? 0 : 1;
        OpenGameLib(argv[2], nullptr);
        if (folder) {
            theGameLib->defaultPaths[0] = argv[2];
            theGameLib->defaultPathCount = 1;
        }
    }
    if (!InitSound(nullptr, argv[1])) return 1;
    for (int slot = 1; slot < NUM_SOUND_SLOTS; ++slot) {
        if (argc == 2 && slot <= SOUND_UFO) {
            const auto tone = ToneWav(220.0 + 55.0 * slot, 0.4);
            LoadSoundData(tone.data(), tone.size(), slot, 2);
        }
        // One sound at a time: each plays to its end, then a short pause.
        SoundBuffer* voice = PlaySound(slot, false);
        std::printf("slot %2d: %s\n", slot, voice ? "played" : "silent");
        for (int frame = 0; frame < 600 && GetSoundStatus(voice); ++frame) SoundCaptureAdvance(FRAME_SECONDS);
        Advance(0.1);
    }
    // A looping sound for a second, then stopped.
    PlaySound(SOUND_SPINNER, true);
    Advance(1.0);
    StopLoopingSounds();
    Advance(0.3);
    ShutdownSound();
    return 0;
}
