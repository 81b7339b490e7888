#include "launcher/ui/launcher_app.h"

#include <SDL.h>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "framework/display.h"
#include "input/joystick.h"
#include "launcher/error_form.h"
#include "launcher/game_list.h"
#include "launcher/launcher_game.h"
#include "launcher/launcher_host.h"
#include "launcher/main_form.h"
#include "launcher/quick_start.h"
#include "launcher/ui/aux_views.h"
#include "launcher/ui/main_form_view.h"
#include "launcher/ui/ui_system.h"
#include "launcher/ui/ui_window.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/native_events.h"
#include "platform/png_writer.h"
#include "platform/sdl_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A pad plugged in or pulled out: the form shows another Joystick choice.
bool IsPadPlugged(uint32_t type) {
    return type == SDL_JOYDEVICEADDED || type == SDL_JOYDEVICEREMOVED || type == SDL_CONTROLLERDEVICEADDED ||
           type == SDL_CONTROLLERDEVICEREMOVED;
}

uint32_t EventWindowId(const SDL_Event& e) {
    switch (e.type) {
        case SDL_WINDOWEVENT: return e.window.windowID;
        case SDL_KEYDOWN:
        case SDL_KEYUP: return e.key.windowID;
        case SDL_TEXTINPUT: return e.text.windowID;
        case SDL_MOUSEMOTION: return e.motion.windowID;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return e.button.windowID;
        case SDL_MOUSEWHEEL: return e.wheel.windowID;
        default: return 0;
    }
}

bool IsPlayerInput(uint32_t type) {
    return type == SDL_KEYDOWN || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEMOTION || type == SDL_MOUSEWHEEL ||
           type == SDL_TEXTINPUT;
}

std::string CurrentFolder() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

// Frames drawn after each event so that hovering and clicks settle.
constexpr int kSettleFrames = 3;

// A window shown over the form that takes all input until `draw` returns
// false or the player closes it; then `closed` runs.
struct Modal {
    UiWindow* window = nullptr;
    std::string title;
    std::function<bool()> draw;
    std::function<void()> closed;
};

// The launcher as one call per frame: its windows, the modal windows over
// them one at a time, and a game it started, which then has the frames.
class LauncherApp : public LauncherHost {
public:
    LauncherApp(TGamePack& pack, const LauncherOptions& options)
        : options_(options), form_(pack, *this), mainView_(ui_), quickView_(ui_) {}
    ~LauncherApp() override {
        if (main_) Shutdown();
    }

    // Opens the main window and starts the form; false (after a message)
    // when the launcher cannot run.
    bool Start();
    // Handles what is pending and draws what changed, or plays a frame of
    // the running game. False once the player has left. Never waits.
    bool Frame();
    // How long the caller may wait for an event before the next frame.
    int IdleMilliseconds() const;
    // The player has left: the form's last save.
    void Leave() { form_.FormClose(); }
    // Pictures of every window and form; false when one could not be written.
    bool WriteShots();

    FormRect Screen() override;
    void ShowLauncher(bool visible) override;
    void RunGame(TGame& game, GameRun kind, std::function<void(bool)> ended) override;
    void GameFrame(int64_t frame) override;
    void Confirm(const std::string& text, const std::string& caption, std::function<void(bool)> answered) override;
    void FocusGameList(bool list) override;

private:
    bool MakeWindow(std::unique_ptr<UiWindow>& window, const std::string& title, const FormRect& size,
                    bool borderless);
    void PumpEvents();
    void HandleEvent(const SDL_Event& event);
    UiWindow* WindowById(uint32_t id) const;
    // The window an event is for.
    UiWindow* WindowOf(const SDL_Event& event);
    UiWindow* ModalWindow() const { return modals_.empty() ? nullptr : modals_.front().window; }
    void SyncWindows();
    // Draws every visible window; `capture` reads `target` back.
    void Render(const UiWindow* target = nullptr, Image* capture = nullptr);
    // Queues `modal`; it shows, centred over the form, once those before it
    // have closed.
    void ShowModal(Modal modal);
    void OpenFrontModal();
    void CloseFrontModal();
    void ShowErrorForm(const TFormError& error);
    void EndGame();
    // Lets go of the renderers, the picture and the context before a game;
    // after it, makes the context again or says why not and leaves.
    void ReleaseGl();
    void RegainGl();
    int IdleWait() const;
    // One of the launcher's windows has the keyboard focus, and the main one
    // is not minimised.
    bool PlayerAtLauncher() const;
    void StartDemoWhenIdle();
    void Shoot(const UiWindow* window, const std::string& name);
    void ShootModal(UiWindow& window, const std::string& name, std::function<bool()> draw);
    void Shutdown();

    LauncherOptions options_;
    UiSystem ui_;
    TLauncherForm form_;
    MainFormView mainView_;
    QuickStartView quickView_;
    std::unique_ptr<UiWindow> main_, list_, quick_, error_, confirm_;
    UiWindow* keyboardWindow_ = nullptr;  // in a page: the window keys go to (clicked or focused last)
    std::deque<Modal> modals_;
    bool modalClosed_ = false;
    std::unique_ptr<LauncherGame> game_;
    std::function<void(bool)> gameEnded_;
    UiActions later_;
    bool hidden_ = false;
    bool quit_ = false;
    int missedShots_ = 0;
    std::set<std::string> failedWindows_;
    int redraw_ = kSettleFrames;
    uint32_t lastActivity_ = 0;
    Clock::time_point playPressed_;
};

FormRect LauncherApp::Screen() {
    if (kBrowserPage) return {0, 0, kPageWidth, kPageHeight};
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return {0, 0, 1024, 768};
    return {bounds.x, bounds.y, bounds.w, bounds.h};
}

void LauncherApp::ShowLauncher(bool visible) {
    hidden_ = !visible;
    SyncWindows();
    if (visible) {
        redraw_ = kSettleFrames;
        lastActivity_ = SDL_GetTicks();
    }
}

void LauncherApp::FocusGameList(bool list) {
    SyncWindows();
    UiWindow* window = list ? list_.get() : main_.get();
    if (window && window->Visible()) {
        window->TakeFocus();
        keyboardWindow_ = window;
    }
    redraw_ = kSettleFrames;
}

void LauncherApp::RunGame(TGame& game, GameRun kind, std::function<void(bool)> ended) {
    playPressed_ = Clock::now();
    ReleaseGl();
    auto run = std::make_unique<LauncherGame>(*this, game, kind);
    if (!run->Started()) {
        RegainGl();
        ended(false);
        return;
    }
    game_ = std::move(run);
    gameEnded_ = std::move(ended);
}

void LauncherApp::ReleaseGl() {
    // While a game plays the launcher draws nothing: what it holds in the
    // driver goes until it draws again.
    for (UiWindow* w : {main_.get(), list_.get(), quick_.get(), error_.get(), confirm_.get()})
        if (w) w->ReleaseRenderer();
    if (main_ && main_->MakeCurrent()) mainView_.Release();
    ui_.ReleaseContext();
}

void LauncherApp::RegainGl() {
    std::string error;
    if (ui_.Context(main_->Native(), error)) return;
    MessageBox("Unable to draw the launcher again: " + error, "Error!");
    quit_ = true;
}

void LauncherApp::EndGame() {
    game_.reset();
    RegainGl();
    std::function<void(bool)> ended = std::move(gameEnded_);
    gameEnded_ = nullptr;
    ended(true);
    redraw_ = kSettleFrames;
}

void LauncherApp::GameFrame(int64_t frame) {
    // Frame 2 begins once the first frame has been presented.
    if (frame == 2 && options_.timings)
        std::fprintf(stderr, "rockpile: first game frame shown %.1f ms after Play\n", MillisecondsSince(playPressed_));
}

bool LauncherApp::MakeWindow(std::unique_ptr<UiWindow>& window, const std::string& title, const FormRect& size,
                             bool borderless) {
    if (window) return true;
    // A window that could not be made is not tried again at every redraw.
    if (failedWindows_.count(title)) return false;
    std::string error;
    window = UiWindow::Create(ui_, title, size.width, size.height, borderless, error);
    if (!window) {
        failedWindows_.insert(title);
        MessageBox("Unable to open the launcher window: " + error, "Error!");
    }
    return window != nullptr;
}

UiWindow* LauncherApp::WindowById(uint32_t id) const {
    for (const std::unique_ptr<UiWindow>* w : {&main_, &list_, &quick_, &error_, &confirm_})
        if (*w && (*w)->Id() == id) return w->get();
    return nullptr;
}

UiWindow* LauncherApp::WindowOf(const SDL_Event& event) {
    UiWindow* window = WindowById(EventWindowId(event));
    if (!kBrowserPage || !window) return window;
    // All windows share the page's canvas: the pointer's events go to the
    // topmost window under it, keys to the one last clicked.
    int x = 0, y = 0;
    if (event.type == SDL_MOUSEMOTION) {
        x = event.motion.x, y = event.motion.y;
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
        x = event.button.x, y = event.button.y;
    } else {
        return keyboardWindow_ && keyboardWindow_->Visible() ? keyboardWindow_ : main_.get();
    }
    for (UiWindow* w : {ModalWindow(), quick_.get(), list_.get(), main_.get()})
        if (w && w->Visible() && w->Contains(x, y)) {
            if (event.type == SDL_MOUSEBUTTONDOWN) keyboardWindow_ = w;
            return w;
        }
    return nullptr;
}

void LauncherApp::SyncWindows() {
    main_->SetTitle(form_.caption.empty() ? "rockpile" : form_.caption);
    main_->Place(form_.bounds);
    main_->SetVisible(!hidden_);
    if (form_.gameList && MakeWindow(list_, "Games", form_.gameList->bounds, true)) {
        list_->Place(form_.gameList->bounds);
        list_->SetVisible(!hidden_ && form_.gameList->visible);
    }
    if (form_.quickStart && MakeWindow(quick_, TFormQuickStartGame::kCaption, form_.quickStart->bounds, false)) {
        quick_->Place(form_.quickStart->bounds);
        quick_->SetVisible(!hidden_ && form_.quickStart->visible);
    }
}

void LauncherApp::Render(const UiWindow* target, Image* capture) {
    SyncWindows();
    auto frame = [&](UiWindow& window, uint32_t background, auto&& draw) {
        if (!window.Visible()) return;
        window.BeginFrame(background);
        draw();
        window.EndFrame(&window == target ? capture : nullptr);
    };
    frame(*main_, MainFormView::kBackground, [&] { mainView_.Draw(form_, later_, [this] { quit_ = true; }); });
    if (list_) frame(*list_, kGameListBackground, [&] { DrawGameList(*form_.gameList, later_); });
    if (quick_) frame(*quick_, kDialogBackground, [&] { quickView_.Draw(*form_.quickStart); });
    if (UiWindow* modal = ModalWindow())
        frame(*modal, kDialogBackground, [&] { modalClosed_ = !modals_.front().draw() || modalClosed_; });
}

void LauncherApp::HandleEvent(const SDL_Event& event) {
    DispatchNativeEvent(event);
    if (event.type == SDL_QUIT) {
        quit_ = true;
        return;
    }
    // A pad's press is read in the next frame, and a pad coming or going
    // changes the Controls tab: both draw at once.
    if (IsControllerInput(event)) lastActivity_ = SDL_GetTicks();
    if (IsControllerInput(event) || IsPadPlugged(event.type)) redraw_ = kSettleFrames;
    if (event.type == SDL_KEYMAPCHANGED) {
        form_.KeyLayoutChanged();
        redraw_ = kSettleFrames;
    }
    UiWindow* window = WindowOf(event);
    UiWindow* modal = ModalWindow();
    if (!window || (modal && window != modal)) return;
    if (IsPlayerInput(event.type)) lastActivity_ = SDL_GetTicks();
    redraw_ = kSettleFrames;
    // The interface finds what lies under the pointer, and takes a press or
    // release, only in a frame: each button event gets a frame before it,
    // for a pointer that jumped there without moving (synthetic input
    // does), and one after it, before later events move the pointer on.
    // A key gets its own frame too, so that keys typed ahead act in turn.
    const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP ||
                        event.type == SDL_KEYDOWN;
    if (button) {
        window->NotePointer(event);
        Render();
    }
    window->HandleEvent(event);
    if (button) Render();
    if (event.type != SDL_WINDOWEVENT) return;
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (window == main_.get())
            quit_ = true;
        else if (window == quick_.get())
            form_.quickStart->ButtonCloseClick();
        else if (window == modal)
            modalClosed_ = true;
    } else if (event.window.event == SDL_WINDOWEVENT_MOVED && window == main_.get()) {
        window->NoteMoved(event.window.data1, event.window.data2);
        form_.FormMoved(event.window.data1, event.window.data2);
    }
}

void LauncherApp::PumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
}

void LauncherApp::ShowModal(Modal modal) {
    modals_.push_back(std::move(modal));
    if (modals_.size() == 1) OpenFrontModal();
}

void LauncherApp::OpenFrontModal() {
    Modal& modal = modals_.front();
    UiWindow& window = *modal.window;
    window.SetTitle(modal.title);
    const int width = window.ClientRect().width, height = window.ClientRect().height;
    window.Place({form_.bounds.left + (form_.bounds.width - width) / 2,
                  form_.bounds.top + (form_.bounds.height - height) / 3, width, height});
    window.SetVisible(true);
    modalClosed_ = false;
    redraw_ = kSettleFrames;
}

void LauncherApp::CloseFrontModal() {
    Modal modal = std::move(modals_.front());
    modals_.pop_front();
    modal.window->SetVisible(false);
    redraw_ = kSettleFrames;
    if (!modals_.empty()) OpenFrontModal();
    if (modal.closed) modal.closed();
}

void LauncherApp::ShowErrorForm(const TFormError& error) {
    if (!MakeWindow(error_, TFormError::kCaption, {0, 0, 394, 394}, false)) {
        MessageBox(error.MemoDetails, TFormError::kCaption);
        return;
    }
    ShowModal({error_.get(), TFormError::kCaption, [error] { return DrawErrorForm(error); }, nullptr});
}

void LauncherApp::Confirm(const std::string& text, const std::string& caption, std::function<void(bool)> answered) {
    if (!MakeWindow(confirm_, caption, {0, 0, 360, 120}, false)) {
        LauncherHost::Confirm(text, caption, std::move(answered));
        return;
    }
    auto answer = std::make_shared<std::optional<bool>>();
    ShowModal({confirm_.get(), caption,
               [answer, text] {
                   if (!answer->has_value()) *answer = DrawQuestion(text);
                   return !answer->has_value();
               },
               [answer, answered = std::move(answered)] { answered(answer->value_or(false)); }});
}

int LauncherApp::IdleWait() const {
    if (options_.demoAfterSeconds <= 0) return 500;
    const double left = options_.demoAfterSeconds * 1000.0 - (SDL_GetTicks() - lastActivity_);
    return std::clamp(static_cast<int>(left), 1, 500);
}

int LauncherApp::IdleMilliseconds() const {
    if (game_ || redraw_ > 0 || !later_.empty() || modalClosed_) return 0;
    return IdleWait();
}

bool LauncherApp::PlayerAtLauncher() const {
    SDL_Window* focus = SDL_GetKeyboardFocus();
    if (!focus || (SDL_GetWindowFlags(main_->Native()) & SDL_WINDOW_MINIMIZED)) return false;
    return WindowById(SDL_GetWindowID(focus)) != nullptr;
}

// The demo never takes the screen from another program: it waits for the
// idle time to pass while the player is at the launcher.
void LauncherApp::StartDemoWhenIdle() {
    if (hidden_ || game_ || options_.demoAfterSeconds <= 0 || !later_.empty() || !modals_.empty()) return;
    if (!PlayerAtLauncher()) {
        lastActivity_ = SDL_GetTicks();
        return;
    }
    if (SDL_GetTicks() - lastActivity_ >= options_.demoAfterSeconds * 1000.0)
        later_.push_back([this] { form_.PlayDemo(); });
}

void LauncherApp::Shoot(const UiWindow* window, const std::string& name) {
    Image picture;
    for (int i = 0; i < kSettleFrames; ++i) Render(window, i + 1 == kSettleFrames ? &picture : nullptr);
    const std::string path = JoinPosix(options_.shotsFolder, name + ".png");
    if (!window || !window->Visible() || !WritePng(picture, path)) {
        std::fprintf(stderr, "rockpile: no picture of %s\n", name.c_str());
        ++missedShots_;
    }
}

void LauncherApp::ShootModal(UiWindow& window, const std::string& name, std::function<bool()> draw) {
    ShowModal({&window, name, std::move(draw), nullptr});
    Shoot(&window, name);
    CloseFrontModal();
}

bool LauncherApp::WriteShots() {
    if (!MakeDirectories(options_.shotsFolder)) {
        std::fprintf(stderr, "rockpile: cannot make the folder %s\n", options_.shotsFolder.c_str());
        return false;
    }
    Shoot(main_.get(), "launcher");
    Shoot(list_.get(), "gamelist");
    Shoot(quick_.get(), "quickstart");
    form_.ButtonSettingsClick();
    for (int tab = 0; tab < TAB_COUNT; ++tab) {
        form_.activeTab = tab;
        std::string name = kSettingsTabCaptions[tab];
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Shoot(main_.get(), "launcher-" + name);
    }
    SetErrorFormPresenter([this](const TFormError& error) {
        if (MakeWindow(error_, TFormError::kCaption, {0, 0, 394, 394}, false))
            ShootModal(*error_, "error", [error] { return DrawErrorForm(error); });
        else
            ++missedShots_;
    });
    ErrorBox("Failed to create an OpenGL device.\r\n\r\nProgram = %s\r\n(a sample report)\r\n", form_.caption.c_str());
    if (MakeWindow(confirm_, "Confirm", {0, 0, 360, 120}, false))
        ShootModal(*confirm_, "confirm", [] { return !DrawQuestion("Reset high score list -- are you sure?"); });
    else
        ++missedShots_;
    return missedShots_ == 0;
}

void LauncherApp::Shutdown() {
    SetErrorFormPresenter({});
    SetErrorReporter({});
    game_.reset();
    modals_.clear();
    main_->MakeCurrent();
    mainView_.Release();
    confirm_.reset();
    error_.reset();
    quick_.reset();
    list_.reset();
    main_.reset();
    DestroyInputDevices();
}

bool LauncherApp::Start() {
    std::string error;
    if (!InitSdlVideo(&error)) {
        MessageBox("The launcher needs a display (" + error + "); rockpile --play plays without it.", "Error!");
        return false;
    }
    form_.startFolder = CurrentFolder();
    form_.libraryOverride = options_.library;
    form_.OpenLibrary();
    if (!MakeWindow(main_, "rockpile", form_.bounds, false)) return false;
    main_->SetVisible(true);
    Render();
    const double windowShown = MillisecondsSince(options_.started);

    form_.StartUp();
    quickView_.Attach(*form_.quickStart);
    SetErrorFormPresenter([this](const TFormError& e) { ShowErrorForm(e); });
    SetErrorReporter([](const std::string& text) { ErrorBox("%s", text.c_str()); });
    Render();
    if (options_.timings)
        std::fprintf(stderr, "rockpile: launcher window up %.1f ms, ready with its picture %.1f ms after start\n",
                     windowShown, MillisecondsSince(options_.started));
    lastActivity_ = SDL_GetTicks();
    return true;
}

bool LauncherApp::Frame() {
    if (game_) {
        if (game_->PlayFrame()) return true;
        EndGame();
    }
    PumpEvents();
    if (quit_) return false;
    if (modalClosed_ && !modals_.empty()) CloseFrontModal();
    if (redraw_ > 0) {
        --redraw_;
        Render();
    }
    UiActions actions;
    actions.swap(later_);
    for (auto& action : actions) {
        action();
        redraw_ = kSettleFrames;
    }
    StartDemoWhenIdle();
    return !quit_;
}

}  // namespace

int RunLauncher(TGamePack& pack, const LauncherOptions& options) {
    LauncherApp app(pack, options);
    if (!app.Start()) return 1;
    if (!options.shotsFolder.empty()) return app.WriteShots() ? 0 : 1;
#ifdef __EMSCRIPTEN__
    // The browser calls one frame per animation frame. Leaving this call
    // unwinds nothing: `app` and the caller's pack stay as the page's own.
    emscripten_set_main_loop_arg(
        [](void* launcher) {
            auto& app = *static_cast<LauncherApp*>(launcher);
            if (app.Frame()) return;
            app.Leave();
            emscripten_cancel_main_loop();
        },
        &app, 0, true);
#endif
    // The desktop's own loop: between frames it sleeps until an event comes
    // or the launcher's idle time is up.
    while (app.Frame()) {
        if (options.afterFrame && !options.afterFrame()) break;
        const int wait = app.IdleMilliseconds();
        if (wait > 0) SDL_WaitEventTimeout(nullptr, wait);
    }
    app.Leave();
    return 0;
}
