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

PlayRun::PlayRun(TGame& game, const PlayOptions& options, PlaySummary& summary)
    : game_(game), options_(options), summary_(summary), loop_(game) {
    started_ = SetUp();
    if (started_)
        loop_.Start();
    else
        undo_.Unwind();
}

PlayRun::~PlayRun() { undo_.Unwind(); }

bool PlayRun::SetUp() {
    summary_ = PlaySummary{};
    SetMessageObserver([this](const std::string& text, const std::string&) {
        if (IsMissingResourceMessage(text)) ++summary_.missingResources;
    });
    undo_.Push([] { SetMessageObserver(nullptr); });

    // Stored files and replays may hold anything; the games compute with these.
    ClampSettings(settings);
    uint32_t interval = settings.presentImmediate ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_ONE;
    GameEventHandler handler =
        options_.tap ? options_.tap->EventHandler(game_.GetEventHandler()) : game_.GetEventHandler();
    if (!InitD3D(std::move(handler), game_.GetTitle(), game_.GetVersion(), game_.GetWindowClass(),
                 game_.GetWindowTitle(), settings.width, settings.height, settings.windowed != 0, interval, -1,
                 settings.adapter, options_.headless ? D3DDEVTYPE_NULLREF : D3DDEVTYPE_HAL, &theDevice)) {
        MessageBox("InitD3D() - FAILED", "");
        if (options_.tap) options_.tap->Finish();
        return false;
    }
    undo_.Push([] {
        ShutdownD3D(theDevice);
        theDevice = nullptr;
        ReleaseInputAfterPlay();
        ShutdownSound();
        ShowPointer(true);
    });
    // Only a run that writes screenshots reads its frames back.
    theDevice->KeepShownFrames(!options_.screenshot.empty());
    frameClock.timingFallback = settings.timingFallback;
    SetSoundEnabled(settings.enableSound != 0);
    SetSoundPlacement(settings.soundPlacement != 0);
    if (!options_.headless || !options_.soundCapture.empty()) InitSound(theGameWindow, options_.soundCapture);
    // The computer player and headless runs use the keyboard state.
    if (options_.headless || options_.autopilot)
        settings.inputDevice = INPUT_KEYBOARD;
    else
        settings.inputDevice = SelectInputDeviceForPlay(theGameWindow, settings.inputDevice, settings.mouseVelocity);

    // A computer player never writes the high score table.
    if (options_.autopilot) {
        undo_.Push([saveNames = THighScoreBoard::onNameEntered] { THighScoreBoard::onNameEntered = saveNames; });
        THighScoreBoard::onNameEntered = nullptr;
    }
    if (options_.tap) undo_.Push([tap = options_.tap] { tap->Finish(); });

    if (options_.tap) options_.tap->BeforeSetup(game_);
    // Whatever the setup made, up to a step that failed, or the game played
    // with, goes with the session.
    undo_.Push([] { EndSession(); });
    if (!game_.Setup()) {
        MessageBox("Setup() - FAILED", "");
        return false;
    }
    if (!settings.windowed && !options_.headless) ShowPointer(false);
    texturesEnabled = settings.wireFrame ? 0 : 1;
    FlushParams();

    if (options_.autopilot) {
        pilot_ = std::make_unique<Autopilot>();
        undo_.Push([this] { pilot_->Release(); });
    }
    SetFrameSource([this](float measured) { return NextFrame(measured); });
    undo_.Push([] { SetFrameSource({}); });
    return true;
}

float PlayRun::NextFrame(float measured) {
    ++frame_;
    Snapshot(summary_, frame_);
    SampleMemory(summary_, frame_, options_.frames);
    const bool last = options_.frames > 0 && frame_ >= options_.frames;
    if (last) endRequested = 1;
    if (!options_.screenshot.empty() && (last || options_.frames == 0)) WriteScreenshot();
    float dt = options_.fixedDt > 0 ? static_cast<float>(options_.fixedDt) : measured;
    if (pilot_) pilot_->Drive(dt);
    if (options_.tap) dt = options_.tap->Frame(frame_, dt);
    SoundCaptureAdvance(dt);
    return dt;
}

// Said once; the run's exit status tells the rest.
void PlayRun::WriteScreenshot() {
    Image image;
    const bool read = theDevice && theDevice->ReadFrontBuffer(image);
    const bool failed = !read || !WritePng(image, options_.screenshot);
    if (failed && !summary_.screenshotFailed)
        std::fprintf(stderr, "rockpile: cannot write the screenshot %s: %s\n", options_.screenshot.c_str(),
                     read ? "the file cannot be written" : "the frame cannot be read back");
    summary_.screenshotFailed = failed;
}

bool PlayRun::Frame() {
    if (!started_ || ended_) return false;
    ended_ = !loop_.Frame();
    return !ended_;
}

bool PlayGame(TGame& game, const PlayOptions& options, PlaySummary& summary) {
    PlayRun run(game, options, summary);
    if (!run.Started()) return false;
    while (run.Frame()) {
    }
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
