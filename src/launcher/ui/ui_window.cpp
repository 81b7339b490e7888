#include "launcher/ui/ui_window.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>
#include <imgui_internal.h>

#include <algorithm>
#include <vector>

#include "launcher/ui/ui_system.h"
#include "platform/gl/gl_target.h"
#include "platform/sdl_window.h"

std::unique_ptr<UiWindow> UiWindow::Create(UiSystem& ui, const std::string& title, int width, int height,
                                           bool borderless, std::string& error) {
    UiSystem::PrepareWindowAttributes();
    uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | (borderless ? SDL_WINDOW_BORDERLESS : 0);
    SDL_Window* window = kBrowserPage ? OpenNativeWindow(title, 0, 0, kPageWidth, kPageHeight, flags)
                                        : OpenNativeWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                                           width, height, flags);
    if (!window) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_GLContext context = ui.Context(window, error);
    if (!context) {
        ReleaseNativeWindow(window);
        return nullptr;
    }
    std::unique_ptr<UiWindow> result(new UiWindow(ui, window, context));
    result->title_ = title;
    result->placed_.width = width;
    result->placed_.height = height;
    return result;
}

UiWindow::UiWindow(UiSystem& ui, SDL_Window* window, SDL_GLContext context)
    : ui_(ui), window_(window), id_(SDL_GetWindowID(window)) {
    ImGuiContext* previous = ImGui::GetCurrentContext();
    imgui_ = ImGui::CreateContext(ui_.Atlas());
    ImGui::SetCurrentContext(imgui_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.FontDefault = ui_.Font(0);
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    // The control that keys and pads act on, framed in amber.
    style.Colors[ImGuiCol_NavHighlight] = ImVec4(1.0f, 0.75f, 0.1f, 1.0f);
    style.WindowRounding = 0;
    style.FrameRounding = 3;
    style.GrabRounding = 3;
    ImGui_ImplSDL2_InitForOpenGL(window_, context);
    ImGui::SetCurrentContext(previous);
}

UiWindow::~UiWindow() {
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::SetCurrentContext(imgui_);
    if (rendererUp_ && MakeCurrent()) ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(imgui_);
    ImGui::SetCurrentContext(previous == imgui_ ? nullptr : previous);
    SDL_GL_MakeCurrent(window_, nullptr);
    ReleaseNativeWindow(window_);
}

void UiWindow::ReleaseRenderer() {
    if (!rendererUp_ || !MakeCurrent()) return;
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::SetCurrentContext(imgui_);
    // The whole renderer goes, not only its GL objects: the one made again
    // must also forget the sizes of the buffers it had.
    ImGui_ImplOpenGL3_Shutdown();
    rendererUp_ = false;
    ImGui::SetCurrentContext(previous);
}

void UiWindow::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (!visible) ForgetKeys();
    if (kBrowserPage) return;
    if (visible)
        SDL_ShowWindow(window_);
    else
        SDL_HideWindow(window_);
}

void UiWindow::SetTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    if (!kBrowserPage) SDL_SetWindowTitle(window_, title.c_str());
}

void UiWindow::Place(const FormRect& bounds) {
    if (bounds.left == placed_.left && bounds.top == placed_.top) return;
    placed_.left = bounds.left;
    placed_.top = bounds.top;
    if (!kBrowserPage) SDL_SetWindowPosition(window_, bounds.left, bounds.top);
}

FormRect UiWindow::ClientRect() const {
    if (kBrowserPage) return placed_;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    return {0, 0, width, height};
}

bool UiWindow::Contains(int x, int y) const {
    const FormRect r = ClientRect();
    return x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height;
}

void UiWindow::TakeFocus() {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

bool UiWindow::MakeCurrent() {
    std::string error;
    SDL_GLContext context = ui_.Context(window_, error);
    return context && SDL_GL_MakeCurrent(window_, context) == 0;
}

namespace {

// The interface's button bit for an SDL mouse button: left, right, middle.
uint32_t ButtonBit(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 4;
        default: return 0;
    }
}

bool IsTab(const SDL_Event& event) {
    return (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) && event.key.keysym.scancode == SDL_SCANCODE_TAB;
}

}  // namespace

void UiWindow::HandleEvent(const SDL_Event& event) {
    NotePointer(event);
    // Tab steps to the next control in reading order, Shift+Tab back: a step
    // right or left that wraps to the next or previous row. The interface
    // itself never sees Tab, whose own stepping visits only text fields.
    if (IsTab(event)) {
        const uint16_t mod = event.key.keysym.mod;
        if (event.type == SDL_KEYDOWN && !(mod & (KMOD_CTRL | KMOD_ALT))) {
            keysPressed_.push_back(mod & KMOD_SHIFT ? SDL_SCANCODE_LEFT : SDL_SCANCODE_RIGHT);
            tabbed_ = true;
        }
        return;
    }
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        buttonsDown_ |= ButtonBit(event.button.button);
        buttonsPressed_ |= ButtonBit(event.button.button);
    } else if (event.type == SDL_MOUSEBUTTONUP) {
        buttonsDown_ &= ~ButtonBit(event.button.button);
    } else if (event.type == SDL_KEYDOWN && event.key.keysym.scancode < SDL_NUM_SCANCODES) {
        keysPressed_.push_back(event.key.keysym.scancode);
    }
    ImGui::SetCurrentContext(imgui_);
    ImGui_ImplSDL2_ProcessEvent(&event);
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) ForgetKeys();
}

void UiWindow::ForgetKeys() {
    ImGui::SetCurrentContext(imgui_);
    ImGuiIO& io = ImGui::GetIO();
    std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
    io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
    keysPressed_.clear();
    tabbed_ = false;
}

void UiWindow::NotePointer(const SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        pointerInside_ = true;
        pointerX_ = event.motion.x;
        pointerY_ = event.motion.y;
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
        pointerInside_ = true;
        pointerX_ = event.button.x;
        pointerY_ = event.button.y;
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_LEAVE) {
        pointerInside_ = false;
    }
}

void UiWindow::BeginFrame(uint32_t background) {
    background_ = background;
    // A game in the page may have left the canvas at its own size.
    if (kBrowserPage) {
        int width = 0, height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        if (width != kPageWidth || height != kPageHeight) SDL_SetWindowSize(window_, kPageWidth, kPageHeight);
    }
    MakeCurrent();
    ImGui::SetCurrentContext(imgui_);
    ImGuiIO& io = ImGui::GetIO();
    // A pad steers only the window that has the keyboard, so that one press
    // does not act in every window.
    if (SDL_GetKeyboardFocus() == window_)
        io.ConfigFlags |= ImGuiConfigFlags_NavEnableGamepad;
    else
        io.ConfigFlags &= ~ImGuiConfigFlags_NavEnableGamepad;
    std::fill(std::begin(io.NavInputs), std::end(io.NavInputs), 0.0f);
    const bool starting = !rendererUp_;
    if (starting) rendererUp_ = ImGui_ImplOpenGL3_Init(nullptr);  // the GLSL version of the build's target
    ImGui_ImplOpenGL3_NewFrame();  // a renderer just made uploads the font atlas here
    if (starting) ui_.DropAtlasColourPixels();
    ImGui_ImplSDL2_NewFrame();
    if (pointerInside_) io.MousePos = ImVec2(static_cast<float>(pointerX_), static_cast<float>(pointerY_));
    // A press and release between two frames still shows as one frame down.
    for (int i = 0; i < 3; ++i) io.MouseDown[i] = ((buttonsDown_ | buttonsPressed_) >> i) & 1;
    buttonsPressed_ = 0;
    // So does a key, for this frame.
    bool keysDown[SDL_NUM_SCANCODES];
    std::copy(std::begin(io.KeysDown), std::begin(io.KeysDown) + SDL_NUM_SCANCODES, keysDown);
    for (SDL_Scancode key : keysPressed_) io.KeysDown[key] = true;
    // Enter presses the focused control, as Space does.
    if (io.KeysDown[SDL_SCANCODE_RETURN] || io.KeysDown[SDL_SCANCODE_KP_ENTER])
        io.NavInputs[ImGuiNavInput_Activate] = 1.0f;
    ImGui::NewFrame();
    if (tabbed_ && GImGui->NavWindow) ImGui::NavMoveRequestTryWrapping(GImGui->NavWindow, ImGuiNavMoveFlags_WrapX);
    tabbed_ = false;
    std::copy(std::begin(keysDown), std::end(keysDown), std::begin(io.KeysDown));
    keysPressed_.clear();
    const FormRect client = ClientRect();
    ImGui::SetNextWindowPos(kBrowserPage ? ImVec2(float(client.left), float(client.top)) : ImVec2(0, 0));
    ImGui::SetNextWindowSize(kBrowserPage ? ImVec2(float(client.width), float(client.height)) : io.DisplaySize);
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
    ImGui::Begin("##client", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoBringToFrontOnFocus);
    ImGui::PopStyleVar();
}

void UiWindow::EndFrame(Image* capture) {
    ImGui::End();
    ImGui::Render();
    int canvasWidth = 0, canvasHeight = 0;
    SDL_GL_GetDrawableSize(window_, &canvasWidth, &canvasHeight);
    // GL counts rows from the bottom.
    const FormRect client = ClientRect();
    const int bottom = canvasHeight - client.top - client.height;
    glViewport(0, 0, canvasWidth, canvasHeight);
    glEnable(GL_SCISSOR_TEST);
    glScissor(client.left, bottom, client.width, client.height);
    glClearColor(((background_ >> 16) & 0xFF) / 255.0f, ((background_ >> 8) & 0xFF) / 255.0f,
                 (background_ & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (capture) {
        const int width = client.width, height = client.height;
        capture->width = width;
        capture->height = height;
        capture->rgba.assign(static_cast<size_t>(width) * height * 4, 0);
        std::vector<uint8_t> rows(capture->rgba.size());
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(client.left, bottom, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        const size_t stride = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height; ++y)
            std::copy_n(rows.data() + (height - 1 - y) * stride, stride, capture->rgba.data() + y * stride);
    }
    SDL_GL_SwapWindow(window_);
}
