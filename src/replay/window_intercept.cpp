#include "replay/window_intercept.h"

#include "platform/keyboard.h"

namespace {

WNDPROC g_game = nullptr;
MessageFilter g_filter;

LRESULT InterceptingProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (g_filter && !g_filter(message, wParam, lParam)) return 0;
    return g_game ? g_game(hwnd, message, wParam, lParam) : DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

WNDPROC InterceptWindowProc(WNDPROC game, MessageFilter filter) {
    g_game = game;
    g_filter = std::move(filter);
    return InterceptingProc;
}

void EndWindowInterception() { g_filter = nullptr; }

bool IsPlayMessage(uint32_t message, WPARAM wParam) {
    switch (message) {
        case WM_KEYDOWN: return wParam != VK_F12;
        case WM_CHAR:
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return true;
        default: return false;
    }
}
