// Replay files: any bytes either decode or are refused with a reason, and
// whatever decodes encodes to bytes that decode to the same recording.
#include <string>

#include "fuzz_check.h"
#include "replay/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    std::optional<Replay> replay = DecodeReplay(std::string(reinterpret_cast<const char*>(data), size), error);
    FUZZ_CHECK(replay.has_value() == error.empty());
    if (!replay) return 0;
    const std::string encoded = EncodeReplay(*replay);
    std::optional<Replay> again = DecodeReplay(encoded, error);
    FUZZ_CHECK(again.has_value());
    // Compared as bytes: a recorded time step may be NaN, which never equals itself.
    FUZZ_CHECK(EncodeReplay(*again) == encoded);
    return 0;
}
