#include "framework/display_check.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

bool DisplayReachable() {
    if (Variable("SDL_VIDEODRIVER")) return true;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

std::string NoDisplayMessage() {
    const char* x11 = Variable("DISPLAY");
    const char* wayland = Variable("WAYLAND_DISPLAY");
    std::string reason;
    if (x11 || wayland)
        reason = std::string("The display '") + (wayland ? wayland : x11) + "' cannot be opened.";
    else
        reason = "No display found: neither DISPLAY nor WAYLAND_DISPLAY is set.";
    return reason +
           "\nTo play without a window: rockpile --play --headless --autopilot"
           "\nTo play on a virtual display: xvfb-run -a rockpile";
}
