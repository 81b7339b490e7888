// One launcher window: an SDL window drawn with its own Dear ImGui context
// through the shared OpenGL context.
#pragma once

#include <SDL_scancode.h>
#include <SDL_video.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "launcher/form_controls.h"
#include "platform/device.h"

struct ImGuiContext;
union SDL_Event;
class UiSystem;

class UiWindow {
public:
    // A hidden window with a client area of `width` x `height`; null, with
    // the reason in `error`, when it cannot be made.
    static std::unique_ptr<UiWindow> Create(UiSystem& ui, const std::string& title, int width, int height,
                                            bool borderless, std::string& error);
    ~UiWindow();
    UiWindow(const UiWindow&) = delete;
    UiWindow& operator=(const UiWindow&) = delete;

    uint32_t Id() const { return id_; }
    SDL_Window* Native() const { return window_; }
    // Where the window's interface is drawn in its native window: all of it
    // on the desktop; in a browser page, the window's own place in the
    // page's one canvas, which all launcher windows share.
    FormRect ClientRect() const;
    // Whether a point of the native window falls in the client rectangle.
    bool Contains(int x, int y) const;
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void SetTitle(const std::string& title);
    // Moves the window when the form's place differs from where it was put.
    void Place(const FormRect& bounds);
    // The window system moved the window there.
    void NoteMoved(int left, int top) {
        placed_.left = left;
        placed_.top = top;
    }

    // Raises the window and gives it the keyboard.
    void TakeFocus();
    // Makes the shared context current on this window, made again first if
    // it was let go; false when it cannot be made.
    bool MakeCurrent();
    // Hands an event of this window to its interface. The pointer and its
    // buttons are taken as each event leaves them, not as they are by the
    // time of drawing.
    void HandleEvent(const SDL_Event& event);
    // Takes only the pointer's place from a mouse event.
    void NotePointer(const SDL_Event& event);
    // Starts a frame: this window's context current, a new interface frame
    // and one borderless interface window covering the client area.
    void BeginFrame(uint32_t background);
    // Draws and shows the frame; with `capture`, first reads it back.
    void EndFrame(Image* capture = nullptr);
    // Lets go of the interface's renderer, with its shader, buffers and font
    // texture; the next frame makes it again.
    void ReleaseRenderer();

private:
    UiWindow(UiSystem& ui, SDL_Window* window, SDL_GLContext context);
    // Lets go of every key: the window will not see the releases of keys
    // held when it lost the keyboard or hid.
    void ForgetKeys();

    UiSystem& ui_;
    SDL_Window* window_;
    ImGuiContext* imgui_ = nullptr;
    // Whether the interface's OpenGL renderer is made; BeginFrame makes it.
    bool rendererUp_ = false;
    uint32_t id_ = 0;
    bool visible_ = false;
    uint32_t background_ = 0;
    std::string title_;
    bool pointerInside_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    uint32_t buttonsDown_ = 0;   // interface button bits
    uint32_t buttonsPressed_ = 0;  // pressed since the last frame
    std::vector<SDL_Scancode> keysPressed_;  // pressed since the last frame
    bool tabbed_ = false;  // a Tab among them: the step wraps round rows
    FormRect placed_{INT_MIN, INT_MIN, 0, 0};  // not placed yet; the size asked for
};
