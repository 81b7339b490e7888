// TDIMouse on SDL's relative mouse events.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "input/joystick.h"

namespace {

constexpr int BUTTON_DOWN = 0x80;

// SDL's left, right and middle buttons as buttons 0, 1 and 2.
int ButtonIndex(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

bool IsAxis(int offset) { return offset == MOUSE_X || offset == MOUSE_Y; }

// Lower limit first, as a position outside inverted limits takes the lower.
int Limit(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

TDIMouse::~TDIMouse() { ReleaseDevice(); }

int TDIMouse::Setup() {
    std::fill(std::begin(held), std::end(held), 0);
    std::fill(std::begin(released), std::end(released), 0);
    x = y = 0;
    ReleaseDevice();
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return -1;
    events_.clear();
    events_.reserve(BUFFER_SIZE);
    readMode = 0;
    created = true;
    SDL_SetRelativeMouseMode(SDL_TRUE);
    return 0;
}

void TDIMouse::ReleaseDevice() {
    if (!created) return;
    SDL_SetRelativeMouseMode(SDL_FALSE);
    events_.clear();
    created = false;
}

void TDIMouse::SetPosition(int px, int py) {
    x = Limit(px, minX, maxX);
    y = Limit(py, minY, maxY);
}

void TDIMouse::SetBounds(int x0, int y0, int x1, int y1) {
    minX = x0, minY = y0, maxX = x1, maxY = y1;
}

double TDIMouse::Accelerate(double value) const {
    const double s = value * velocity;
    if (!accelEnabled) return s;
    if (std::fabs(s) > threshold2) return s * factor2;
    if (std::fabs(s) > threshold1) return s * factor1;
    return s;
}

void TDIMouse::Buffer(int offset, int data) {
    // Movement since the last button change adds up per axis; the axes are
    // independent, so their order within that run does not matter.
    if (IsAxis(offset))
        for (auto it = events_.rbegin(); it != events_.rend() && IsAxis(it->offset); ++it)
            if (it->offset == offset) {
                it->data += data;
                return;
            }
    if (int(events_.size()) < BUFFER_SIZE) events_.push_back({offset, data});
}

void TDIMouse::HandleEvent(const SDL_Event& event) {
    if (!created) return;
    if (event.type == SDL_MOUSEMOTION) {
        if (event.motion.which == SDL_TOUCH_MOUSEID) return;
        if (event.motion.xrel) Buffer(MOUSE_X, event.motion.xrel);
        if (event.motion.yrel) Buffer(MOUSE_Y, event.motion.yrel);
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
        if (event.button.which == SDL_TOUCH_MOUSEID) return;
        const int b = ButtonIndex(event.button.button);
        if (b >= 0) Buffer(MOUSE_BUTTON0 + b, event.type == SDL_MOUSEBUTTONDOWN ? BUTTON_DOWN : 0);
    }
}

int TDIMouse::ReadDevice(MouseEvent* buffer, int& count) {
    if (!created) return -1;
    const int n = std::clamp(int(events_.size()), 0, std::max(count, 0));
    std::copy_n(events_.begin(), n, buffer);
    events_.erase(events_.begin(), events_.begin() + n);
    count = n;
    return 0;
}

void TDIMouse::ApplyMovement(int value, int& delta, int& position, int low, int high) const {
    delta = int(delta + value * velocity);
    position = Limit(int(position + Accelerate(value)), low, high);
}

int TDIMouse::Poll() {
    MouseEvent records[BUFFER_SIZE];
    int count = BUFFER_SIZE;
    if (const int result = ReadDevice(records, count); result != 0) return result;
    std::fill(std::begin(released), std::end(released), 0);
    std::fill(std::begin(pressed), std::end(pressed), 0);
    dx = dy = 0;
    for (int i = 0; i < count; ++i) {
        const MouseEvent& e = records[i];
        if (e.offset == MOUSE_X) {
            ApplyMovement(e.data, dx, x, minX, maxX);
        } else if (e.offset == MOUSE_Y) {
            ApplyMovement(e.data, dy, y, minY, maxY);
        } else if (e.offset >= MOUSE_BUTTON0 && e.offset < MOUSE_BUTTON0 + 3) {
            const int b = e.offset - MOUSE_BUTTON0;
            if (e.data & BUTTON_DOWN) {
                pressed[b] = !held[b];
                held[b] = 1;
            } else {
                released[b] = held[b];
                held[b] = 0;
            }
        }
    }
    return 0;
}
