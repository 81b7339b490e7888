// A headless game steps its frames and draws nothing, and drawing a frame
// changes nothing that play depends on.
#include <vector>

#include "effects/explode.h"
#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/draw_depth.h"
#include "game/projectile.h"
#include "game/scoreboard.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/crt_rand.h"
#include "platform/keyboard.h"
#include "replay/world_hash.h"
#include "session_fixture.h"

namespace {

constexpr int kGames = 4;

class HeadlessTest : public SessionTest {
protected:
    // Plays a game through: firing all along, a pause, the end of the game
    // and the table, so that every object and the message are stepped.
    // Returns the world hash after every frame.
    std::vector<uint64_t> PlayThrough(int frames) {
        std::vector<uint64_t> hashes;
        messageAngle = 0;  // kept across sessions
        SetDrivenKey(settings.keyFire, true);
        for (int i = 0; i < frames; ++i) {
            if (i == frames / 3) paused = 1;
            if (i == frames / 3 + 20) paused = 0;
            if (i == frames / 2) theShip->EndGame();
            Frame();
            hashes.push_back(WorldHash(0) ^ static_cast<uint64_t>(drawDepth * 1024) ^
                             static_cast<uint64_t>(messageAngle * 1e9));
        }
        ReleaseAllDrivenKeys();
        return hashes;
    }
};

TEST_F(HeadlessTest, EveryGamePlaysHundredsOfFramesWithoutOnePictureCall) {
    for (int index = 0; index < kGames; ++index) {
        SCOPED_TRACE(index);
        BuildSession(index);
        openDisplay.headless = true;
        device.pictureCalls = 0;
        const uint64_t drawCalls = device.Stats().drawCalls;
        int shots = 0, explosions = 0;
        SetDrivenKey(settings.keyFire, true);
        for (int i = 0; i < 300; ++i) {
            if (i == 100) paused = 1;
            if (i == 120) paused = 0;
            Frame();
            shots += theProjectiles->count;
            explosions += theExplosions->count;
        }
        theShip->EndGame();
        for (int i = 0; i < 100; ++i) Frame();
        ReleaseAllDrivenKeys();
        EXPECT_EQ(device.pictureCalls, 0);
        EXPECT_EQ(device.Stats().drawCalls, drawCalls);
        EXPECT_GT(shots, 0);  // the world did play
        EXPECT_GT(explosions, 0);
        EXPECT_NE(gameState, GAME_STATE_PLAYING);

        openDisplay.headless = false;
        Frame();
        EXPECT_GT(device.pictureCalls, 0);
        EXPECT_GT(device.Stats().drawCalls, drawCalls);
        TearDown();
    }
}

TEST_F(HeadlessTest, DrawingChangesNothingPlayDependsOn) {
    for (int index = 0; index < kGames; ++index) {
        SCOPED_TRACE(index);
        BuildSession(index);
        const uint64_t drawCallsBefore = device.Stats().drawCalls;
        const std::vector<uint64_t> drawn = PlayThrough(400);
        const uint64_t drawCalls = device.Stats().drawCalls - drawCallsBefore;
        TearDown();

        BuildSession(index);
        openDisplay.headless = true;
        const std::vector<uint64_t> headless = PlayThrough(400);
        TearDown();

        EXPECT_GT(drawCalls, 0u);
        ASSERT_EQ(drawn.size(), headless.size());
        for (size_t frame = 0; frame < drawn.size(); ++frame)
            ASSERT_EQ(drawn[frame], headless[frame]) << "frame " << frame;
    }
}

TEST_F(HeadlessTest, ALostDeviceEndsOnlyADrawnGame) {
    class LostDevice : public RecordingDevice {
    public:
        HRESULT Present() override { return D3DERR_DEVICELOST; }
    } lost;
    theDevice = &lost;
    openDisplay.headless = true;
    Frame();
    EXPECT_EQ(endRequested, 0);
    openDisplay.headless = false;
    Frame();
    EXPECT_EQ(endRequested, 1);
    theDevice = &device;
}

}  // namespace
