#include "platform/cursor.h"

#include <SDL.h>

void ShowPointer(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
