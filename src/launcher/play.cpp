#include "launcher/play.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <utility>

#include "effects/explode.h"
#include "framework/display.h"
#include "framework/frame_source.h"
#include "framework/gameglobals.h"
#include "framework/settings_limits.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "gamelib/mesh.h"
#include "game/asteroid.h"
#include "game/autopilot.h"
#include "game/highscore_board.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "input/joystick.h"
#include "persist/kwparam.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/png_writer.h"
#include "platform/process_memory.h"
#include "platform/scope_exit.h"
#include "replay/play_tap.h"
#include "sound/soundman.h"

namespace {

void Snapshot(PlaySummary& s, int64_t frames) {
    s.frames = frames;
    if (s.gameState == GAME_STATE_PLAYING && gameState != GAME_STATE_PLAYING) ++s.gamesOver;
    s.gameState = gameState;
    if (theShip) {
        s.wave = theShip->wave;
        s.score = theShip->score;
        s.peakScore = theShip->peakScore;
        s.lives = theShip->lives;
        s.bestWave = std::max(s.bestWave, s.wave);
        s.bestScore = std::max(s.bestScore, s.peakScore);
    }
    s.objects = theAsteroids ? theAsteroids->count : 0;
    s.projectiles = theProjectiles ? theProjectiles->count : 0;
    s.explosions = theExplosions ? theExplosions->count : 0;
}

void SampleMemory(PlaySummary& s, int64_t frame, int64_t frames) {
    const bool last = frame == frames;
    if (frames <= 0 || (frame % kMemorySampleFrames != 0 && !last)) return;
    int64_t& half = frame <= frames / 2 ? s.residentWarmKb : s.residentLateKb;
    half = std::max(half, ResidentKb());
    if (last) s.residentPeakKb = PeakResidentKb();
}

bool IsMissingResourceMessage(const std::string& text) {
    return text.rfind("Failed to load", 0) == 0 || text.rfind("Unable to load", 0) == 0;
}

}  // namespace

bool PlayGame(TGame& game, const PlayOptions& options, PlaySummary& summary) {
    summary = PlaySummary{};
    SetMessageObserver([&](const std::string& text, const std::string&) {
        if (IsMissingResourceMessage(text)) ++summary.missingResources;
    });
    ScopeExit forgetObserver([] { SetMessageObserver(nullptr); });

    // Stored files and replays may hold anything; the games compute with these.
    ClampSettings(settings);
    uint32_t interval = settings.presentImmediate ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_ONE;
    GameEventHandler handler = options.tap ? options.tap->EventHandler(game.GetEventHandler()) : game.GetEventHandler();
    if (!InitD3D(std::move(handler), game.GetTitle(), game.GetVersion(), game.GetWindowClass(),
                 game.GetWindowTitle(), settings.width, settings.height, settings.windowed != 0, interval, -1,
                 settings.adapter, options.headless ? D3DDEVTYPE_NULLREF : D3DDEVTYPE_HAL, &theDevice)) {
        MessageBox("InitD3D() - FAILED", "");
        if (options.tap) options.tap->Finish();
        return false;
    }
    ScopeExit closeDevices([] {
        ShutdownD3D(theDevice);
        theDevice = nullptr;
        ReleaseInputAfterPlay();
        ShutdownSound();
        ShowPointer(true);
    });
    frameClock.timingFallback = settings.timingFallback;
    SetSoundEnabled(settings.enableSound != 0);
    SetSoundPlacement(settings.soundPlacement != 0);
    if (!options.headless || !options.soundCapture.empty()) InitSound(theGameWindow, options.soundCapture);
    // The computer player and headless runs use the keyboard state.
    if (options.headless || options.autopilot)
        settings.inputDevice = INPUT_KEYBOARD;
    else
        settings.inputDevice = SelectInputDeviceForPlay(theGameWindow, settings.inputDevice, settings.mouseVelocity);

    // A computer player never writes the high score table.
    const std::function<void()> saveNames = THighScoreBoard::onNameEntered;
    if (options.autopilot) THighScoreBoard::onNameEntered = nullptr;
    ScopeExit restoreNames([&] { THighScoreBoard::onNameEntered = saveNames; });
    ScopeExit finishTap([&] {
        if (options.tap) options.tap->Finish();
    });

    if (options.tap) options.tap->BeforeSetup(game);
    // Whatever the setup made, up to a step that failed, or the game played
    // with, goes with the session.
    ScopeExit endSession([] { EndSession(); });
    if (!game.Setup()) {
        MessageBox("Setup() - FAILED", "");
        return false;
    }
    if (!settings.windowed && !options.headless) ShowPointer(false);
    texturesEnabled = settings.wireFrame ? 0 : 1;
    FlushParams();

    std::unique_ptr<Autopilot> pilot = options.autopilot ? std::make_unique<Autopilot>() : nullptr;
    int64_t frame = 0;
    SetFrameSource([&](float measured) -> float {
        ++frame;
        Snapshot(summary, frame);
        SampleMemory(summary, frame, options.frames);
        bool last = options.frames > 0 && frame >= options.frames;
        if (last) endRequested = 1;
        if (!options.screenshot.empty() && (last || options.frames == 0)) {
            Image image;
            if (theDevice && theDevice->ReadFrontBuffer(image) && !WritePng(image, options.screenshot))
                std::fprintf(stderr, "rockpile: cannot write the screenshot %s\n", options.screenshot.c_str());
        }
        float dt = options.fixedDt > 0 ? static_cast<float>(options.fixedDt) : measured;
        if (pilot) pilot->Drive(dt);
        if (options.tap) dt = options.tap->Frame(frame, dt);
        SoundCaptureAdvance(dt);
        return dt;
    });
    ScopeExit forgetFrameSource([] { SetFrameSource({}); });
    game.Run();
    if (pilot) pilot->Release();
    return true;
}

std::string SummaryJson(const TGame& game, const PlaySummary& s) {
    std::ostringstream out;
    out << "{\"game\": \"" << game.GetTitle() << "\", \"frames\": " << s.frames << ", \"wave\": " << s.wave
        << ", \"score\": " << s.score << ", \"peakScore\": " << s.peakScore << ", \"lives\": " << s.lives
        << ", \"gameState\": " << s.gameState << ", \"objects\": " << s.objects
        << ", \"projectiles\": " << s.projectiles << ", \"explosions\": " << s.explosions
        << ", \"missingResources\": " << s.missingResources << ", \"gamesOver\": " << s.gamesOver
        << ", \"bestWave\": " << s.bestWave << ", \"bestScore\": " << s.bestScore;
    if (s.residentPeakKb)
        out << ", \"residentWarmKb\": " << s.residentWarmKb << ", \"residentLateKb\": " << s.residentLateKb
            << ", \"residentPeakKb\": " << s.residentPeakKb;
    out << "}";
    return out.str();
}
