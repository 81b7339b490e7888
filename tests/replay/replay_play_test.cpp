// Recording headless games and playing them back through the same code:
// a faithful playback matches at every check, and a changed game, changed
// input or changed start is caught at a named frame.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/gamepacks.h"
#include "game/highscore_board.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/libman.h"
#include "input/joystick.h"
#include "launcher/play.h"
#include "launcher/replay_run.h"
#include "launcher/settings_store.h"
#include "platform/crt_rand.h"
#include "platform/keyboard.h"
#include "platform/files.h"
#include "replay/replay_file.h"
#include "replay/replay_recorder.h"

namespace {

// The flagship game with a faster gun: one tunable changed after setup.
class QuickerGunMeteor : public TMeteorMarshal {
public:
    bool Setup() override {
        bool ok = TMeteorMarshal::Setup();
        if (ok) theShip->fireRate *= 1.25;
        return ok;
    }
};

// A recorder that also runs a script before each frame (posting events,
// holding keys) as a person at the keyboard would.
class ScriptedRecorder : public ReplayRecorder {
public:
    std::function<void(int64_t)> script;
    float Frame(int64_t frame, float dt) override {
        if (script) script(frame);
        return ReplayRecorder::Frame(frame, dt);
    }
};

// A mouse whose movement and buttons follow a fixed pattern.
class PatternMouse : public TDIMouse {
public:
    int Setup() override {
        created = true;
        buttonCount = 3;
        return 0;
    }
    void ReleaseDevice() override { created = false; }
    int Poll() override {
        ++polls;
        dx = polls % 90 < 30 ? 9 : -4;
        x = (polls * 7) % 1000;
        held[0] = polls % 4 == 0;
        held[1] = polls % 200 < 60;
        return 0;
    }
    int polls = 0;
};

class MouseRecorder : public ReplayRecorder {
public:
    void BeforeSetup(const TGame& game) override {
        settings.inputDevice = INPUT_MOUSE;
        mouse.Setup();
        theMouse = &mouse;
        ReplayRecorder::BeforeSetup(game);
    }
    void Finish() override {
        ReplayRecorder::Finish();
        theMouse = nullptr;
    }
    PatternMouse mouse;
};

// A pad whose roles follow a fixed pattern: steering, thrust and each role
// button.
class PatternJoystick : public TJoystick {
public:
    int Setup() override {
        created = found = true;
        buttonCount = PAD_ROLE_BUTTONS;
        return 0;
    }
    void ReleaseDevice() override { created = false; }
    int Poll() override {
        ++polls;
        x = polls % 120 < 40 ? -1000 : polls % 120 < 60 ? 1000 : 0;
        y = polls % 90 < 30 ? -1000 : 0;
        for (int role = 0; role < PAD_ROLE_BUTTONS; ++role) held[role] = (polls / (5 + role)) % 3 == 0;
        return 0;
    }
    int polls = 0;
};

class JoystickRecorder : public ReplayRecorder {
public:
    void BeforeSetup(const TGame& game) override {
        settings.inputDevice = INPUT_JOYSTICK;
        joystick.Setup();
        live = theJoystick;
        theJoystick = &joystick;
        ReplayRecorder::BeforeSetup(game);
    }
    void Finish() override {
        ReplayRecorder::Finish();
        theJoystick = live;
    }
    PatternJoystick joystick;
    TJoystick* live = nullptr;
};

class ReplayPlayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        useGameLib = 1;
        logGameLibUsage = 0;
        OpenGameLib(ROCKPILE_LIBRARY_FILE, "");
    }

    void SetUp() override {
        theGamePack = &pack;
        THighScoreBoard::onNameEntered = [this] { ++namesSaved; };
    }
    void TearDown() override {
        THighScoreBoard::onNameEntered = nullptr;
        theGamePack = nullptr;
    }

    TGame& Game(int index) { return *pack.FindGameNamed(std::to_string(index)); }

    // A headless game of `frames` frames at 60 per second from `seed`.
    PlaySummary Record(TGame& game, ReplayRecorder& recorder, int64_t frames, uint32_t seed, bool autopilot = true,
                       bool cheats = false) {
        pack.current = &game;
        ResetSettings(game);
        settings.enableCheat = cheats ? 1 : 0;
        rp::srand(seed);
        PlayOptions options;
        options.headless = true;
        options.autopilot = autopilot;
        options.fixedDt = 1.0 / 60;
        options.frames = frames;
        options.tap = &recorder;
        PlaySummary summary;
        EXPECT_TRUE(PlayGame(game, options, summary));
        return summary;
    }

    ReplayOutcome Play(TGame& game, const Replay& replay, bool verify = true) {
        pack.current = &game;
        ResetSettings(game);
        // Start from a different generator state and settings: the replay
        // must bring its own.
        rp::srand(12345);
        settings.accel = 9;
        PlayOptions options;
        options.headless = true;
        return PlayReplay(game, replay, options, verify);
    }

    TRockpileGamePack pack;
    int namesSaved = 0;
};

TEST_F(ReplayPlayTest, EveryGameOfThePackPlaysBackExactly) {
    for (int index = 0; index < 4; ++index) {
        ReplayRecorder recorder;
        PlaySummary recorded = Record(Game(index), recorder, 700, 40 + index);
        const Replay& replay = recorder.replay();
        ASSERT_EQ(replay.frames.size(), 700u);
        ASSERT_EQ(replay.checks.size(), 2u);
        EXPECT_EQ(replay.gameId, Game(index).GetGameId());

        ReplayOutcome outcome = Play(Game(index), replay);
        EXPECT_TRUE(outcome.verified) << Game(index).GetTitle() << ": " << outcome.report;
        EXPECT_EQ(outcome.summary.frames, 700);
        EXPECT_EQ(outcome.summary.score, recorded.score) << Game(index).GetTitle();
        EXPECT_EQ(outcome.summary.objects, recorded.objects) << Game(index).GetTitle();
    }
}

TEST_F(ReplayPlayTest, AChangedTunableFailsAtTheFirstCheckAndStops) {
    TMeteorMarshal& meteor = static_cast<TMeteorMarshal&>(Game(2));
    ReplayRecorder recorder;
    Record(meteor, recorder, 900, 7);

    QuickerGunMeteor quicker;
    ReplayOutcome outcome = Play(quicker, recorder.replay());
    EXPECT_FALSE(outcome.verified);
    EXPECT_EQ(outcome.firstMismatch, 300);
    EXPECT_EQ(outcome.summary.frames, 300) << "verification ends the run at the first difference";
    EXPECT_NE(outcome.report.find("frame 300"), std::string::npos) << outcome.report;

    // Without verification the playback goes on to the end, still naming the frame.
    outcome = Play(quicker, recorder.replay(), false);
    EXPECT_EQ(outcome.summary.frames, 900);
    EXPECT_EQ(outcome.firstMismatch, 300);
}

TEST_F(ReplayPlayTest, ADifferentStartIsCaught) {
    ReplayRecorder recorder;
    Record(Game(3), recorder, 600, 99);
    Replay changedSeed = recorder.replay();
    changedSeed.seed ^= 1;
    EXPECT_EQ(Play(Game(3), changedSeed).firstMismatch, 300);

    Replay changedSetting = recorder.replay();
    for (ReplaySetting& s : changedSetting.settings)
        if (s.name == "shipHull") s.value += 1;
    EXPECT_EQ(Play(Game(3), changedSetting).firstMismatch, 300);

    Replay unknownSetting = recorder.replay();
    unknownSetting.settings.push_back({"gravity", 1});
    ReplayOutcome outcome = Play(Game(3), unknownSetting);
    EXPECT_TRUE(outcome.refused);
    EXPECT_NE(outcome.report.find("gravity"), std::string::npos);
}

TEST_F(ReplayPlayTest, EventsPauseGameOverNameEntryAndRestartPlayBack) {
    ScriptedRecorder recorder;
    recorder.script = [](int64_t frame) {
        if (frame == 40) PostEvent(theGameWindow, CharacterEvent(27));  // pause
        if (frame == 90) PostEvent(theGameWindow, CharacterEvent('x'));  // resume
        if (frame == 120) PostEvent(theGameWindow, Event(GameEventType::FocusLost));
        if (frame == 150) PostEvent(theGameWindow, CharacterEvent('x'));
        if (frame % 150 == 50 && frame >= 200) PostEvent(theGameWindow, KeyDownEvent(VK_F8));  // lose a ship
        if (frame == 205) PostEvent(theGameWindow, KeyDownEvent(VK_F12));  // a picture is not play
        if (frame == 206) PostEvent(theGameWindow, KeyUpEvent(VK_F8));  // nor is a key let go
    };
    PlaySummary recorded = Record(Game(2), recorder, 1500, 3, true, true);
    ASSERT_GE(recorded.gamesOver, 1) << "the script should end a game";
    int shipsLost = 0, pictures = 0, keysLetGo = 0;
    for (const ReplayFrame& f : recorder.replay().frames)
        for (const GameEvent& e : f.events) {
            shipsLost += e == KeyDownEvent(VK_F8);
            pictures += e.type == GameEventType::KeyDown && e.key == VK_F12;
            keysLetGo += e.type == GameEventType::KeyUp;
        }
    EXPECT_EQ(shipsLost, 9);
    EXPECT_EQ(pictures, 0);
    EXPECT_EQ(keysLetGo, 0);

    ReplayOutcome outcome = Play(Game(2), recorder.replay());
    EXPECT_TRUE(outcome.verified) << outcome.report;
    EXPECT_EQ(outcome.summary.gamesOver, recorded.gamesOver);
    EXPECT_EQ(outcome.summary.bestScore, recorded.bestScore);
    EXPECT_EQ(namesSaved, 0) << "a replay never writes the high score table";
}

TEST_F(ReplayPlayTest, MouseInputPlaysBackAndMatters) {
    MouseRecorder recorder;
    Record(Game(2), recorder, 700, 21, false);
    ASSERT_GT(recorder.mouse.polls, 600);
    const Replay& replay = recorder.replay();
    int moved = 0;
    for (const ReplayFrame& f : replay.frames) moved += f.device.dx != 0;
    EXPECT_GT(moved, 600);

    ReplayOutcome outcome = Play(Game(2), replay);
    EXPECT_TRUE(outcome.verified) << outcome.report;

    Replay nudged = replay;
    nudged.frames[100].device.dx += 1;
    EXPECT_EQ(Play(Game(2), nudged).firstMismatch, 300);
    EXPECT_EQ(theMouse, nullptr) << "the live mouse comes back after a playback";
}

TEST_F(ReplayPlayTest, JoystickRolesPlayBackAndMatter) {
    JoystickRecorder recorder;
    Record(Game(0), recorder, 700, 23, false);
    ASSERT_GT(recorder.joystick.polls, 600);
    const Replay& replay = recorder.replay();
    int steered = 0, shielded = 0;
    for (const ReplayFrame& f : replay.frames) {
        steered += f.device.x != 0;
        shielded += (f.device.buttons >> PAD_ROLE_SHIELD) & 1;
        EXPECT_EQ(f.device.buttons >> PAD_ROLE_BUTTONS, 0) << "only role buttons are recorded";
    }
    EXPECT_GT(steered, 300);
    EXPECT_GT(shielded, 100);

    EXPECT_TRUE(Play(Game(0), replay).verified);
    // Recordings of earlier builds hold a pad brake as bit 3; no game used
    // it, so such a recording still plays the same.
    Replay braking = replay;
    for (size_t frame = 0; frame < braking.frames.size(); frame += 3) braking.frames[frame].device.buttons |= 1 << 3;
    std::string error;
    const std::optional<Replay> reread = DecodeReplay(EncodeReplay(braking), error);
    ASSERT_TRUE(reread) << error;
    EXPECT_TRUE(Play(Game(0), *reread).verified);
    Replay nudged = replay;
    for (int frame = 100; frame < 160; ++frame) nudged.frames[frame].device.x = 1000;
    EXPECT_EQ(Play(Game(0), nudged).firstMismatch, 300);
    EXPECT_EQ(theJoystick, recorder.live) << "the live joystick comes back after a playback";
}

std::vector<GameEvent> AllEvents(const Replay& replay) {
    std::vector<GameEvent> events;
    for (const ReplayFrame& f : replay.frames) events.insert(events.end(), f.events.begin(), f.events.end());
    return events;
}

// The stored format 1 recordings and the same games recorded again in
// format 2 (tests/replays/record.sh): the headless ones, with a fixed frame
// time, are the same games, so they read alike and play back to the same
// world hashes. The windowed ones had measured frame times, so only their
// events are compared.
TEST_F(ReplayPlayTest, Version1RecordingsAndTheirVersion2RecordingsPlayAlike) {
    const std::string folder = ROCKPILE_STORED_REPLAYS;
    for (const std::string game : {"driftrock-classic", "driftrock-retro", "meteor-marshal", "shardstorm"}) {
        std::optional<Replay> loaded[2][2];
        for (int version : {1, 2})
            for (int windowed : {0, 1}) {
                const std::string path = folder + (version == 2 ? "/v2/" : "/") + game +
                                         (windowed ? "-window.rpl" : "-headless.rpl");
                const std::optional<std::vector<char>> bytes = ReadWholeFile(path, 1 << 20);
                ASSERT_TRUE(bytes && bytes->size() > 8) << path;
                EXPECT_EQ((*bytes)[8], version) << path;
                std::string error;
                loaded[version - 1][windowed] = LoadReplay(path, error);
                ASSERT_TRUE(loaded[version - 1][windowed]) << error;
            }
        const Replay& v1 = *loaded[0][0];
        const Replay& v2 = *loaded[1][0];
        EXPECT_EQ(v1, v2) << game;
        ASSERT_EQ(v1.checks.size(), 5u);
        TGame* played = pack.FindGame(v1.gameId);
        ASSERT_NE(played, nullptr);
        for (const Replay* replay : {&v1, &v2}) {
            ReplayOutcome outcome = Play(*played, *replay);
            EXPECT_TRUE(outcome.verified) << game << ": " << outcome.report;
        }
        EXPECT_EQ(AllEvents(*loaded[0][1]), AllEvents(*loaded[1][1])) << game;
        EXPECT_FALSE(AllEvents(*loaded[0][1]).empty()) << game;
    }
}

}  // namespace
