#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool g_batch = false;
MessageObserver g_observer;

bool DisplayAvailable() {
    if (g_batch) return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

void ToStderr(const std::string& text, const std::string& caption) {
    if (caption.empty())
        std::fprintf(stderr, "rockpile: %s\n", text.c_str());
    else
        std::fprintf(stderr, "rockpile: %s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

}  // namespace

void SetBatchMode(bool batch) { g_batch = batch; }
bool BatchMode() { return g_batch; }
void SetMessageObserver(MessageObserver observer) { g_observer = std::move(observer); }

void MessageBox(const std::string& text, const std::string& caption) {
    if (g_observer) g_observer(text, caption);
    if (!DisplayAvailable() ||
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) != 0)
        ToStderr(text, caption);
}

bool AskYesNo(const std::string& text, const std::string& caption, bool batchAnswer) {
    if (g_observer) g_observer(text, caption);
    if (!DisplayAvailable()) {
        ToStderr(text + (batchAnswer ? " [yes]" : " [no]"), caption);
        return batchAnswer;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData data{SDL_MESSAGEBOX_INFORMATION, nullptr, caption.c_str(), text.c_str(), 2, buttons, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        ToStderr(text, caption);
        return batchAnswer;
    }
    return pressed == 1;
}
