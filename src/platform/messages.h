// Window handles, window messages and the message queue the game loop drains.
// A window may be backed by a native (SDL) window or be a plain handle with
// only a window procedure, which is how headless runs and tests work.
#pragma once

#include <cstdint>
#include <functional>

struct Window;
using HWND = Window*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WNDPROC = LRESULT (*)(HWND, uint32_t, WPARAM, LPARAM);

constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_USER = 0x0400;

constexpr uint32_t PM_NOREMOVE = 0;
constexpr uint32_t PM_REMOVE = 1;

struct MSG {
    HWND hwnd = nullptr;
    uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct Window {
    WNDPROC proc = nullptr;
    void* native = nullptr;  // the SDL_Window, when there is one
    bool destroyed = false;
};

// Creates a plain window handle that only dispatches to `proc`.
HWND CreateHeadlessWindow(WNDPROC proc);
// Sends WM_DESTROY to the window procedure, then releases the native window
// through the destroy hook. The handle itself stays valid (marked destroyed).
bool DestroyWindow(HWND window);

// Queue operations as the Windows ones: messages posted to a window or to the
// thread (window none), retrieved in order.
bool PostMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
bool PeekMessage(MSG* msg, HWND filter, uint32_t minMessage, uint32_t maxMessage, uint32_t removeFlag);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
// Default handling: WM_CLOSE destroys the window; everything else returns 0.
LRESULT DefWindowProc(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
// Drops every queued message (between games and in tests).
void ClearMessageQueue();

// The native layer installs these: the pump turns pending native events into
// posted messages before a peek; the destroy hook closes a native window.
void SetEventPump(std::function<void()> pump);
void SetNativeDestroyHook(std::function<void(HWND)> hook);
