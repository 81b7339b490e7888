// WAV sound data as the sound manager loads it: the header check, a slot of
// two voices sharing the samples, and a short mix of both playing, on a
// loopback device so no sound hardware is needed.
#include "fuzz_check.h"
#include "sound/sound_output.h"
#include "sound/soundman.h"
#include "sound/wav.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetSoundEnabled(true);
    FUZZ_CHECK(OpenLoopbackOutput(22050, 1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavFormat format;
    const bool header = ReadWavHeader(data, size, format);
    if (header) FUZZ_CHECK(WAV_HEADER_SIZE + size_t(format.dataSize) <= size);

    const int slot = LoadSoundData(data, size, SOUND_HIT, 2);
    FUZZ_CHECK(slot == -1 || header);
    if (slot < 0) return 0;
    FUZZ_CHECK(soundTable[slot].bufferCount == 2 && soundTable[slot].nextBuffer == 0);
    PlaySound(slot, false);
    PlaySound(slot, true);
    FUZZ_CHECK(RenderLoopback(512).size() == 512);
    StopLoopingSounds();
    // The next input's load clears the slot.
    return 0;
}
