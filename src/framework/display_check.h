// Whether the game can be seen. With no display server (DISPLAY and
// WAYLAND_DISPLAY unset, or naming a server that cannot be reached) SDL
// quietly falls back to drawing off screen; a player is told instead.
#pragma once

#include <string>

// After SDL's video start-up: true when it reached a display server, or
// when its video driver was chosen on purpose through SDL_VIDEODRIVER.
bool DisplayReachable();
// What to tell a player with no display: the reason and how to play anyway.
std::string NoDisplayMessage();
