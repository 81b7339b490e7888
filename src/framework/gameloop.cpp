#include "framework/frame_source.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "platform/messages.h"

int TGame::Run() {
    MSG msg;
    ResetTimer();
    while (msg.message != WM_QUIT) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        } else {
            Display(NextFrameSeconds());
        }
    }
    return static_cast<int>(msg.wParam);
}
