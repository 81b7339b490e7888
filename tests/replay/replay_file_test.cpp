// The replay file encoding: what goes in comes back, version 1 files are read
// through the message converter, other format versions and damaged files are
// refused with a reason.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "platform/keyboard.h"
#include "replay/replay_file.h"
#include "replay/replay_v1.h"

namespace {

Replay Sample() {
    Replay r;
    r.gameId = 10;
    r.gameTitle = "Shardstorm";
    r.seed = 0xDEADBEEF;
    r.settings = {{"difficulty", 3}, {"baseSpeedMin", 0x41200000}, {"keyLeft", -1}};
    r.highScores = {{"Zoë", 12000}, {"", 0}};
    r.mouseMinX = 0;
    r.mouseMaxX = 1000;
    for (int i = 0; i < 700; ++i) {
        ReplayFrame f;
        f.dt = i == 0 ? 0.0f : (i < 400 ? 1.0f / 60 : 0.0213f + i * 1e-6f);
        f.keys = static_cast<uint8_t>(i % 7 == 0 ? REPLAY_KEY_FIRE | REPLAY_KEY_LEFT : 0);
        if (i % 50 == 0) f.device = {i, -i, -3 * i, static_cast<uint8_t>(i % 8)};
        if (i == 10) f.events = {CharacterEvent(27), KeyDownEvent(VK_F8, true), CharacterEvent(0x1F600)};
        if (i == 11) f.events = {Event(GameEventType::FocusLost), Event(GameEventType::FocusGained)};
        if (i == 12) f.events = {PadButtonEvent(PAD_EVENT_BACK), PadButtonEvent(PAD_EVENT_START)};
        r.frames.push_back(f);
    }
    r.checks = {{300, 0x0123456789ABCDEFull}, {600, ~0ull}};
    return r;
}

std::string WithVersion(std::string bytes, uint32_t version) {
    for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<char>(version >> (8 * i));
    return bytes;
}

TEST(ReplayFile, EverythingRecordedComesBack) {
    const Replay original = Sample();
    std::string error;
    std::optional<Replay> decoded = DecodeReplay(EncodeReplay(original), error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(*decoded, original);
    EXPECT_EQ(decoded->frames[0].dt, 0.0f);
    EXPECT_EQ(decoded->frames[450].dt, original.frames[450].dt);
}

TEST(ReplayFile, SteadyFramesTakeTwoBytes) {
    Replay a = Sample(), b = Sample();
    for (int i = 0; i < 1000; ++i) b.frames.push_back(ReplayFrame{b.frames.back().dt, REPLAY_KEY_THRUST, {}, {}});
    EXPECT_EQ(EncodeReplay(b).size() - EncodeReplay(a).size(), 2000u);
}

TEST(ReplayFile, OtherFormatVersionsAreRefusedByName) {
    const std::string bytes = EncodeReplay(Sample());
    EXPECT_EQ(bytes[8], REPLAY_FORMAT_VERSION);
    std::string error;
    EXPECT_FALSE(DecodeReplay(WithVersion(bytes, 0), error));
    EXPECT_NE(error.find("format 0"), std::string::npos) << error;
    EXPECT_NE(error.find("older"), std::string::npos) << error;
    EXPECT_FALSE(DecodeReplay(WithVersion(bytes, REPLAY_FORMAT_VERSION + 1), error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

TEST(ReplayFile, DamagedOrForeignFilesAreRefused) {
    const std::string bytes = EncodeReplay(Sample());
    std::string error;
    EXPECT_FALSE(DecodeReplay("", error));
    EXPECT_FALSE(DecodeReplay("P6\n2 2\n255\n" + std::string(12, '\0'), error));
    EXPECT_NE(error.find("not a rockpile replay"), std::string::npos);
    // Every cut short of the whole file is noticed, never misread.
    for (size_t n = 12; n < bytes.size(); ++n) {
        ASSERT_FALSE(DecodeReplay(bytes.substr(0, n), error)) << n;
        ASSERT_NE(error.find("damaged"), std::string::npos) << n;
    }
    EXPECT_FALSE(DecodeReplay(bytes + "x", error));
    EXPECT_NE(error.find("stray bytes"), std::string::npos);

    Replay badTime = Sample();
    badTime.frames[5].dt = -0.5f;
    EXPECT_FALSE(DecodeReplay(EncodeReplay(badTime), error));
    EXPECT_NE(error.find("frame 6"), std::string::npos) << error;
    badTime.frames[5].dt = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(DecodeReplay(EncodeReplay(badTime), error));
}

// A replay drives the game window: only the events a recording keeps may
// come from a file.
TEST(ReplayFile, EventsOtherThanPlayInputAreRefused) {
    std::string error;
    for (GameEvent foreign : {Event(GameEventType::CloseRequested), Event(GameEventType::Destroyed),
                              Event(GameEventType::Quit), KeyUpEvent('A'), KeyDownEvent(VK_F12)}) {
        Replay r = Sample();
        r.frames[20].events = {CharacterEvent('a'), foreign};
        EXPECT_FALSE(DecodeReplay(EncodeReplay(r), error)) << static_cast<int>(foreign.type);
        EXPECT_NE(error.find("frame 21"), std::string::npos) << error;
    }
}

// Each stored event starts with its kind (1 to 5); a key down ends with a
// repeat byte of 0 or 1, a controller's button is Start or Back. Anything
// else is refused.
TEST(ReplayFile, UnknownEventKindsAndRepeatBytesAreRefused) {
    Replay r = Sample();
    for (ReplayFrame& f : r.frames) f.events.clear();
    r.frames[20].events = {KeyDownEvent('A')};
    const std::string bytes = EncodeReplay(r);
    const std::string event = {'\x01', 'A', '\x00'};
    const size_t at = bytes.find(event);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes.find(event, at + 1), std::string::npos);
    std::string error;
    ASSERT_TRUE(DecodeReplay(bytes, error)) << error;
    for (char kind : {'\x00', '\x06', '\x7F'}) {
        std::string damaged = bytes;
        damaged[at] = kind;
        EXPECT_FALSE(DecodeReplay(damaged, error)) << int(kind);
        EXPECT_NE(error.find("frame 21"), std::string::npos) << error;
    }
    std::string badRepeat = bytes;
    badRepeat[at + 2] = 2;
    EXPECT_FALSE(DecodeReplay(badRepeat, error));
    EXPECT_NE(error.find("frame 21"), std::string::npos) << error;
    // Kind 5 with a button number other than Start (1) or Back (2).
    for (char button : {'\x01', '\x02', '\x00', '\x03'}) {
        std::string pad = bytes;
        pad.replace(at, 3, {'\x05', button});
        EXPECT_EQ(DecodeReplay(pad, error).has_value(), button == '\x01' || button == '\x02') << int(button);
    }
}

// A version 1 file of one frame that handled `messages` (message, wParam,
// lParam), laid out byte by byte as that format wrote it.
std::string Version1Bytes(const std::vector<std::array<uint8_t, 3>>& messages) {
    std::string b = "RPREPLAY";
    b += {'\x01', '\0', '\0', '\0'};  // version
    b += {'\x14', '\x01', 'M', '\x07', '\0', '\0', '\0'};  // game 10, title "M", seed 7
    b += {'\0', '\0', '\0', '\0'};  // no settings, no scores, mouse 0 to 0
    b += {'\x01', '\x04', '\0'};  // one frame: messages, no keys
    b += static_cast<char>(messages.size());
    for (const auto& m : messages)
        for (uint8_t v : m) b += static_cast<char>(v);
    b += '\0';  // no checks
    return b;
}

TEST(ReplayFile, Version1MessagesAreReadAsTheirEvents) {
    std::string error;
    // Character 'q', key down F8 with bit 30 set (a zigzag varint), focus lost.
    std::string bytes = Version1Bytes({{0x7F, 'q', 0}, {0x7F, 0x77, 0}, {0x08, 0, 0}});
    bytes.replace(bytes.find("\x7F" "q"), 1, "\x82\x02");  // 0x0102
    bytes.replace(bytes.find("\x7F\x77\0"), 3, std::string("\x80\x02\x77\x80\x80\x80\x80\x08", 8));
    std::optional<Replay> r = DecodeReplay(bytes, error);
    ASSERT_TRUE(r) << error;
    ASSERT_EQ(r->frames.size(), 1u);
    const std::vector<GameEvent> expected = {CharacterEvent('q'), KeyDownEvent(VK_F8, true),
                                             Event(GameEventType::FocusLost)};
    EXPECT_EQ(r->frames[0].events, expected);
    EXPECT_EQ(r->gameTitle, "M");
    // Written again, it is a version 2 file with the same content.
    const std::string again = EncodeReplay(*r);
    EXPECT_EQ(again[8], 2);
    EXPECT_EQ(DecodeReplay(again, error), r);
}

TEST(ReplayFile, Version1MessagesOtherThanPlayInputAreRefused) {
    std::string error;
    ASSERT_TRUE(DecodeReplay(Version1Bytes({{0x08, 0, 0}}), error)) << error;
    // Close, destroy, set cursor, quit, the screenshot key (0x0100 0x7B).
    for (uint8_t message : {0x10, 0x02, 0x20, 0x12}) {
        EXPECT_FALSE(DecodeReplay(Version1Bytes({{message, 0, 0}}), error)) << int(message);
        EXPECT_NE(error.find("frame 1 holds"), std::string::npos) << error;
    }
    std::string screenshot = Version1Bytes({{0x7F, 0x7B, 0}});
    screenshot.replace(screenshot.find("\x7F\x7B"), 1, "\x80\x02");
    EXPECT_FALSE(DecodeReplay(screenshot, error));
    EXPECT_NE(error.find("frame 1 holds"), std::string::npos) << error;
}

TEST(ReplayFile, Version1ConverterKeepsWhatPlayReadsAndNothingElse) {
    EXPECT_EQ(EventFromVersion1Message(0x0100, 'A', 1), KeyDownEvent('A', false));
    EXPECT_EQ(EventFromVersion1Message(0x0100, 'A', 1 | (1 << 30)), KeyDownEvent('A', true));
    EXPECT_EQ(EventFromVersion1Message(0x0102, 0x20AC, 0), CharacterEvent(0x20AC));
    EXPECT_EQ(EventFromVersion1Message(0x0007, 0, 0), Event(GameEventType::FocusGained));
    EXPECT_EQ(EventFromVersion1Message(0x0008, 0, 0), Event(GameEventType::FocusLost));
    EXPECT_FALSE(EventFromVersion1Message(0x0101, 'A', 0)) << "key up";
    EXPECT_FALSE(EventFromVersion1Message(0x0010, 0, 0)) << "close";
    EXPECT_FALSE(EventFromVersion1Message(0x0102, uint64_t{1} << 32 | 'q', 0)) << "no character that large";
    EXPECT_FALSE(EventFromVersion1Message(0x0100, uint64_t{1} << 31, 0)) << "no key code that large";
    EXPECT_FALSE(EventFromVersion1Message(uint64_t{1} << 32 | 0x0102, 'q', 0));
}

TEST(ReplayFile, ChecksMustNameFramesOfTheRecordingInOrder) {
    std::string error;
    for (std::vector<ReplayCheck> checks : {std::vector<ReplayCheck>{{600, 1}, {300, 2}},
                                            std::vector<ReplayCheck>{{300, 1}, {300, 2}},
                                            std::vector<ReplayCheck>{{0, 1}}, std::vector<ReplayCheck>{{701, 1}}}) {
        Replay r = Sample();
        r.checks = checks;
        EXPECT_FALSE(DecodeReplay(EncodeReplay(r), error)) << checks.back().frame;
        EXPECT_NE(error.find("check"), std::string::npos) << error;
    }
    Replay last = Sample();
    last.checks = {{1, 5}, {700, 6}};
    EXPECT_TRUE(DecodeReplay(EncodeReplay(last), error)) << error;
}

TEST(ReplayFile, LoadNamesTheFile) {
    std::string error;
    EXPECT_FALSE(LoadReplay("/nonexistent/game.rpl", error));
    EXPECT_NE(error.find("/nonexistent/game.rpl"), std::string::npos);
    EXPECT_FALSE(LoadReplay(::testing::TempDir(), error));  // a folder
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    const std::string path = ::testing::TempDir() + "replay_file_test.rpl";
    ASSERT_TRUE(SaveReplay(path, Sample(), error)) << error;
    std::optional<Replay> loaded = LoadReplay(path, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, Sample());
}

}  // namespace
