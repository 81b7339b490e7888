#include "replay/replay_file.h"

#include <cstring>
#include <optional>
#include <utility>

#include "platform/files.h"
#include "replay/replay_v1.h"
#include "replay/window_intercept.h"

namespace {

constexpr char kMagic[8] = {'R', 'P', 'R', 'E', 'P', 'L', 'A', 'Y'};

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Frame flags.
constexpr uint8_t kNewDt = 1, kDevice = 2, kEvents = 4;
// Event kinds as stored: a key down (key code, repeat byte), a character
// (code point), focus gained, focus lost, a controller's button (its number).
constexpr uint64_t kKeyDown = 1, kCharacter = 2, kFocusGained = 3, kFocusLost = 4, kPadButton = 5;
// Hours of play take a few megabytes; the limit keeps a foreign file from
// taking all memory.
constexpr size_t kMaxReplayBytes = size_t(64) << 20;

class Writer {
public:
    void Raw(const void* data, size_t n) { out_.append(static_cast<const char*>(data), n); }
    void Byte(uint8_t b) { out_.push_back(static_cast<char>(b)); }
    void Fixed32(uint32_t v) {
        for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Fixed64(uint64_t v) {
        for (int i = 0; i < 8; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Varint(uint64_t v) {
        while (v >= 0x80) {
            Byte(static_cast<uint8_t>(v | 0x80));
            v >>= 7;
        }
        Byte(static_cast<uint8_t>(v));
    }
    void Signed(int64_t v) { Varint((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63)); }
    void Float(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Fixed32(bits);
    }
    void String(const std::string& s) {
        Varint(s.size());
        Raw(s.data(), s.size());
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// Reads until the first fault; every read after a fault gives zero.
class Reader {
public:
    explicit Reader(const std::string& bytes, size_t at) : bytes_(bytes), at_(at) {}
    bool ok() const { return ok_; }
    bool AtEnd() const { return at_ == bytes_.size(); }
    size_t Left() const { return bytes_.size() - at_; }

    uint8_t Byte() {
        if (!ok_ || at_ >= bytes_.size()) return Fail(), 0;
        return static_cast<uint8_t>(bytes_[at_++]);
    }
    uint32_t Fixed32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
        return v;
    }
    uint64_t Fixed64() {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(Byte()) << (8 * i);
        return v;
    }
    uint64_t Varint() {
        uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            uint8_t b = Byte();
            v |= static_cast<uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        return Fail(), 0;
    }
    int64_t Signed() {
        uint64_t v = Varint();
        return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
    }
    int32_t Signed32() {
        int64_t v = Signed();
        if (v < INT32_MIN || v > INT32_MAX) return Fail(), 0;
        return static_cast<int32_t>(v);
    }
    float Float() {
        uint32_t bits = Fixed32();
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    std::string String() {
        uint64_t n = Varint();
        if (n > Left()) return Fail(), std::string();
        std::string s = bytes_.substr(at_, n);
        at_ += n;
        return s;
    }
    // A count of items of at least `minBytes` bytes each that can still be there.
    uint64_t Count(size_t minBytes) {
        uint64_t n = Varint();
        if (n > Left() / minBytes) return Fail(), 0;
        return n;
    }

private:
    void Fail() { ok_ = false; }
    const std::string& bytes_;
    size_t at_;
    bool ok_ = true;
};

// Events other than play input have no code of their own; they are written
// as kind 0, which no decoder takes.
void EncodeEvent(Writer& w, const GameEvent& e) {
    switch (e.type) {
        case GameEventType::KeyDown:
            w.Varint(kKeyDown);
            w.Varint(static_cast<uint32_t>(e.key));
            w.Byte(e.repeat ? 1 : 0);
            break;
        case GameEventType::Character:
            w.Varint(kCharacter);
            w.Varint(e.character);
            break;
        case GameEventType::FocusGained: w.Varint(kFocusGained); break;
        case GameEventType::FocusLost: w.Varint(kFocusLost); break;
        case GameEventType::PadButton:
            w.Varint(kPadButton);
            w.Varint(static_cast<uint32_t>(e.key));
            break;
        default: w.Varint(0); break;
    }
}

void EncodeFrame(Writer& w, const ReplayFrame& f, float previousDt) {
    uint8_t flags = 0;
    if (!SameBits(f.dt, previousDt)) flags |= kNewDt;
    if (f.device != ReplayDevice{}) flags |= kDevice;
    if (!f.events.empty()) flags |= kEvents;
    w.Byte(flags);
    w.Byte(f.keys);
    if (flags & kNewDt) w.Float(f.dt);
    if (flags & kDevice) {
        w.Signed(f.device.x);
        w.Signed(f.device.y);
        w.Signed(f.device.dx);
        w.Byte(f.device.buttons);
    }
    if (flags & kEvents) {
        w.Varint(f.events.size());
        for (const GameEvent& e : f.events) EncodeEvent(w, e);
    }
}

// An event that is no play input is one no recording holds: it has no code.
std::optional<GameEvent> DecodeEvent(Reader& r) {
    switch (r.Varint()) {
        case kKeyDown: {
            const uint64_t key = r.Varint();
            const uint8_t repeat = r.Byte();
            if (key > static_cast<uint64_t>(INT32_MAX) || repeat > 1) return std::nullopt;
            return KeyDownEvent(static_cast<int>(key), repeat != 0);
        }
        case kCharacter: {
            const uint64_t character = r.Varint();
            if (character > UINT32_MAX) return std::nullopt;
            return CharacterEvent(static_cast<uint32_t>(character));
        }
        case kFocusGained: return Event(GameEventType::FocusGained);
        case kFocusLost: return Event(GameEventType::FocusLost);
        case kPadButton: {
            const uint64_t button = r.Varint();
            if (button != PAD_EVENT_START && button != PAD_EVENT_BACK) return std::nullopt;
            return PadButtonEvent(static_cast<PadEventButton>(button));
        }
        default: return std::nullopt;
    }
}

std::optional<GameEvent> DecodeVersion1Message(Reader& r) {
    const uint64_t message = r.Varint();
    const uint64_t wParam = r.Varint();
    const int64_t lParam = r.Signed();
    return EventFromVersion1Message(message, wParam, lParam);
}

// Null when the frame holds an event that is not play input.
std::optional<ReplayFrame> DecodeFrame(Reader& r, float previousDt, uint32_t version) {
    ReplayFrame f;
    uint8_t flags = r.Byte();
    f.keys = r.Byte();
    f.dt = (flags & kNewDt) ? r.Float() : previousDt;
    if (flags & kDevice) {
        f.device.x = r.Signed32();
        f.device.y = r.Signed32();
        f.device.dx = r.Signed32();
        f.device.buttons = r.Byte();
    }
    if (flags & kEvents) {
        uint64_t n = r.Count(version == 1 ? 3 : 1);
        for (uint64_t i = 0; i < n && r.ok(); ++i) {
            std::optional<GameEvent> e = version == 1 ? DecodeVersion1Message(r) : DecodeEvent(r);
            if (!r.ok()) break;
            if (!e || !IsPlayEvent(*e)) return std::nullopt;
            f.events.push_back(*e);
        }
    }
    return f;
}

}  // namespace

std::string EncodeReplay(const Replay& replay) {
    Writer w;
    w.Raw(kMagic, sizeof kMagic);
    w.Fixed32(REPLAY_FORMAT_VERSION);
    w.Signed(replay.gameId);
    w.String(replay.gameTitle);
    w.Fixed32(replay.seed);
    w.Varint(replay.settings.size());
    for (const ReplaySetting& s : replay.settings) {
        w.String(s.name);
        w.Signed(s.value);
    }
    w.Varint(replay.highScores.size());
    for (const ReplayScore& s : replay.highScores) {
        w.String(s.name);
        w.Signed(s.score);
    }
    w.Signed(replay.mouseMinX);
    w.Signed(replay.mouseMaxX);
    w.Varint(replay.frames.size());
    float dt = 0;
    for (const ReplayFrame& f : replay.frames) {
        EncodeFrame(w, f, dt);
        dt = f.dt;
    }
    w.Varint(replay.checks.size());
    for (const ReplayCheck& c : replay.checks) {
        w.Varint(static_cast<uint64_t>(c.frame));
        w.Fixed64(c.hash);
    }
    return w.Take();
}

std::optional<Replay> DecodeReplay(const std::string& bytes, std::string& error) {
    if (bytes.size() < sizeof kMagic + 4 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "not a rockpile replay";
        return std::nullopt;
    }
    Reader r(bytes, sizeof kMagic);
    uint32_t version = r.Fixed32();
    if (version != 1 && version != REPLAY_FORMAT_VERSION) {
        error = "recorded in replay format " + std::to_string(version) + ", " +
                (version < REPLAY_FORMAT_VERSION ? "older" : "newer") + " than this program's format " +
                std::to_string(REPLAY_FORMAT_VERSION) + "; it cannot be played back exactly, so it is refused";
        return std::nullopt;
    }
    Replay replay;
    replay.gameId = r.Signed32();
    replay.gameTitle = r.String();
    replay.seed = r.Fixed32();
    for (uint64_t i = 0, n = r.Count(2); i < n && r.ok(); ++i) {
        ReplaySetting s;
        s.name = r.String();
        s.value = r.Signed32();
        replay.settings.push_back(std::move(s));
    }
    for (uint64_t i = 0, n = r.Count(2); i < n && r.ok(); ++i) {
        ReplayScore s;
        s.name = r.String();
        s.score = r.Signed32();
        replay.highScores.push_back(std::move(s));
    }
    replay.mouseMinX = r.Signed32();
    replay.mouseMaxX = r.Signed32();
    float dt = 0;
    uint64_t frames = r.Count(2);
    for (uint64_t i = 0; i < frames && r.ok(); ++i) {
        std::optional<ReplayFrame> frame = DecodeFrame(r, dt, version);
        if (!frame) {
            error = "damaged replay (frame " + std::to_string(i + 1) + " holds an event that is not play input)";
            return std::nullopt;
        }
        replay.frames.push_back(std::move(*frame));
        dt = replay.frames.back().dt;
        if (!(dt >= 0 && dt <= 1e6f)) {
            error = "damaged replay (frame " + std::to_string(i + 1) + " has no valid time step)";
            return std::nullopt;
        }
    }
    // Checks name frames of the recording in increasing order.
    for (uint64_t i = 0, n = r.Count(9); i < n && r.ok(); ++i) {
        const uint64_t frame = r.Varint();
        const int64_t previous = replay.checks.empty() ? 0 : replay.checks.back().frame;
        if (r.ok() && (frame <= uint64_t(previous) || frame > replay.frames.size())) {
            error = "damaged replay (check " + std::to_string(i + 1) + " names frame " + std::to_string(frame) + ")";
            return std::nullopt;
        }
        replay.checks.push_back({static_cast<int64_t>(frame), r.Fixed64()});
    }
    if (!r.ok() || !r.AtEnd()) {
        error = r.ok() ? "damaged replay (stray bytes after the end)" : "damaged replay (it ends too early)";
        return std::nullopt;
    }
    return replay;
}

bool SaveReplay(const std::string& path, const Replay& replay, std::string& error) {
    std::string why;
    if (AtomicWriteFile(path, EncodeReplay(replay), &why)) return true;
    error = "cannot write the replay " + path + ": " + why;
    return false;
}

std::optional<Replay> LoadReplay(const std::string& path, std::string& error) {
    std::optional<std::vector<char>> bytes = ReadWholeFile(path, kMaxReplayBytes);
    if (!bytes) {
        error = "cannot read the replay " + path + " (not a readable file of at most " +
                std::to_string(kMaxReplayBytes >> 20) + " MB)";
        return std::nullopt;
    }
    std::optional<Replay> replay = DecodeReplay(std::string(bytes->begin(), bytes->end()), error);
    if (!replay) error = path + ": " + error;
    return replay;
}
