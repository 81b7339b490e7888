#include "platform/messages.h"

#include <deque>
#include <memory>
#include <vector>

namespace {

std::deque<MSG> g_queue;
std::function<void()> g_pump;
std::function<void(HWND)> g_destroyHook;
// Handles live until the program ends: messages may still name them.
std::vector<std::unique_ptr<Window>> g_windows;

}  // namespace

HWND CreateHeadlessWindow(WNDPROC proc) {
    g_windows.push_back(std::make_unique<Window>());
    g_windows.back()->proc = proc;
    return g_windows.back().get();
}

bool DestroyWindow(HWND window) {
    if (!window || window->destroyed) return false;
    window->destroyed = true;
    if (window->proc) window->proc(window, WM_DESTROY, 0, 0);
    if (g_destroyHook) g_destroyHook(window);
    return true;
}

bool PostMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    g_queue.push_back(MSG{window, message, wParam, lParam});
    return true;
}

void PostQuitMessage(int exitCode) { PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

bool PeekMessage(MSG* msg, HWND filter, uint32_t minMessage, uint32_t maxMessage, uint32_t removeFlag) {
    if (g_pump) g_pump();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (filter && it->hwnd != filter) continue;
        if ((minMessage || maxMessage) && (it->message < minMessage || it->message > maxMessage)) continue;
        *msg = *it;
        if (removeFlag & PM_REMOVE) g_queue.erase(it);
        return true;
    }
    return false;
}

// Character messages are posted by the native layer from text input, so
// there is nothing to translate.
bool TranslateMessage(const MSG*) { return false; }

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg->hwnd || msg->hwnd->destroyed || !msg->hwnd->proc) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    MSG msg{window, message, wParam, lParam};
    return DispatchMessage(&msg);
}

LRESULT DefWindowProc(HWND window, uint32_t message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

void ClearMessageQueue() { g_queue.clear(); }

void SetEventPump(std::function<void()> pump) { g_pump = std::move(pump); }
void SetNativeDestroyHook(std::function<void(HWND)> hook) { g_destroyHook = std::move(hook); }
