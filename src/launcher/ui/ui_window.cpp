#include "launcher/ui/ui_window.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include <algorithm>
#include <vector>

#include "launcher/ui/ui_system.h"

std::unique_ptr<UiWindow> UiWindow::Create(UiSystem& ui, const std::string& title, int width, int height,
                                           bool borderless, std::string& error) {
    UiSystem::PrepareWindowAttributes();
    uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | (borderless ? SDL_WINDOW_BORDERLESS : 0);
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!window) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_GLContext context = ui.Context(window, error);
    if (!context) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    std::unique_ptr<UiWindow> result(new UiWindow(ui, window, context));
    result->title_ = title;
    return result;
}

UiWindow::UiWindow(UiSystem& ui, SDL_Window* window, SDL_GLContext context)
    : ui_(ui), window_(window), context_(context), id_(SDL_GetWindowID(window)) {
    MakeCurrent();
    ImGuiContext* previous = ImGui::GetCurrentContext();
    imgui_ = ImGui::CreateContext(ui_.Atlas());
    ImGui::SetCurrentContext(imgui_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.FontDefault = ui_.Font(0);
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    style.FrameRounding = 3;
    style.GrabRounding = 3;
    ImGui_ImplSDL2_InitForOpenGL(window_, context_);
    ImGui_ImplOpenGL3_Init("#version 130");
    ImGui::SetCurrentContext(previous);
}

UiWindow::~UiWindow() {
    MakeCurrent();
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::SetCurrentContext(imgui_);
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(imgui_);
    ImGui::SetCurrentContext(previous == imgui_ ? nullptr : previous);
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_DestroyWindow(window_);
}

void UiWindow::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible)
        SDL_ShowWindow(window_);
    else
        SDL_HideWindow(window_);
}

void UiWindow::SetTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    SDL_SetWindowTitle(window_, title.c_str());
}

void UiWindow::Place(const FormRect& bounds) {
    if (bounds.left == placed_.left && bounds.top == placed_.top) return;
    placed_ = bounds;
    SDL_SetWindowPosition(window_, bounds.left, bounds.top);
}

void UiWindow::MakeCurrent() { SDL_GL_MakeCurrent(window_, context_); }

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

}  // namespace

void UiWindow::HandleEvent(const SDL_Event& event) {
    NotePointer(event);
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        buttonsDown_ |= ButtonBit(event.button.button);
        buttonsPressed_ |= ButtonBit(event.button.button);
    } else if (event.type == SDL_MOUSEBUTTONUP) {
        buttonsDown_ &= ~ButtonBit(event.button.button);
    }
    ImGui::SetCurrentContext(imgui_);
    ImGui_ImplSDL2_ProcessEvent(&event);
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
    MakeCurrent();
    ImGui::SetCurrentContext(imgui_);
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    if (pointerInside_) io.MousePos = ImVec2(static_cast<float>(pointerX_), static_cast<float>(pointerY_));
    // A press and release between two frames still shows as one frame down.
    for (int i = 0; i < 3; ++i) io.MouseDown[i] = ((buttonsDown_ | buttonsPressed_) >> i) & 1;
    buttonsPressed_ = 0;
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(io.DisplaySize);
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
    ImGui::Begin("##client", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoBringToFrontOnFocus);
    ImGui::PopStyleVar();
}

void UiWindow::EndFrame(Image* capture) {
    ImGui::End();
    ImGui::Render();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(((background_ >> 16) & 0xFF) / 255.0f, ((background_ >> 8) & 0xFF) / 255.0f,
                 (background_ & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (capture) {
        capture->width = width;
        capture->height = height;
        capture->rgba.assign(static_cast<size_t>(width) * height * 4, 0);
        std::vector<uint8_t> rows(capture->rgba.size());
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        const size_t stride = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height; ++y)
            std::copy_n(rows.data() + (height - 1 - y) * stride, stride, capture->rgba.data() + y * stride);
    }
    SDL_GL_SwapWindow(window_);
}
