// The display setup on a real window: devices, full screen, the failure
// report with the driver's names, and events through the SDL pump.
#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/display.h"
#include "platform/native_events.h"
#include "platform/process_memory.h"
#include "platform/sdl_window.h"

#if defined(__SANITIZE_ADDRESS__)
#define ROCKPILE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ROCKPILE_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

class GlDisplayTest : public ::testing::Test {
protected:
    void TearDown() override {
        ShutdownD3D(theDevice);
        SetDeviceCreator(nullptr);
        ClearEventQueue();
    }
    bool Init(bool windowed, int width = 320, int height = 240) {
        Device* device = nullptr;
        return InitD3D(nullptr, "Driftrock Retro", "1.2", "DriftrockWnd", "Driftrock", width, height, windowed,
                       D3DPRESENT_INTERVAL_IMMEDIATE, -1, 0, D3DDEVTYPE_HAL, &device);
    }
};

// A game ends the way the sessions end it: its window goes first, then the
// device. The device must let go of its context while the window exists;
// otherwise the driver keeps every game's buffers (tens of MB a game).
TEST_F(GlDisplayTest, GamesOneAfterAnotherGiveTheirMemoryBack) {
#ifdef ROCKPILE_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer holds freed memory back in its quarantine";
#endif
    constexpr int kGames = 6, kWarmUp = 2;
    int64_t settledKb = 0;
    for (int game = 0; game < kGames; ++game) {
        ASSERT_TRUE(Init(true, 1280, 720));
        theDevice->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 0, 0, 200), 1.0f);
        ASSERT_EQ(theDevice->Present(), D3D_OK);
        ResetToWindowed(theDevice);
        DestroyGameWindow(theGameWindow);
        EXPECT_EQ(theDevice->Present(), D3DERR_DEVICELOST);
        ShutdownD3D(theDevice);
        if (game == kWarmUp - 1) settledKb = ResidentKb();
    }
    const int64_t grownKb = ResidentKb() - settledKb;
    EXPECT_LT(grownKb, 16 * 1024) << "resident memory grew " << grownKb / 1024 << " MB over "
                                  << kGames - kWarmUp << " games";
}

TEST_F(GlDisplayTest, AWindowedDeviceDrawsAndGoesBackTo800x600) {
    ASSERT_TRUE(Init(true));
    ASSERT_NE(NativeWindow(theGameWindow), nullptr);
    EXPECT_EQ(SDL_GetWindowTitle(NativeWindow(theGameWindow)), std::string("Driftrock"));
    int w = 0, h = 0;
    SDL_GetWindowSize(NativeWindow(theGameWindow), &w, &h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(savedPresentParams.depthStencilFormat, D3DFMT_D24S8);
    theDevice->Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 0, 200), 1.0f);
    EXPECT_EQ(theDevice->Present(), D3D_OK);
    Image image;
    ASSERT_TRUE(theDevice->ReadFrontBuffer(image));
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.rgba[2], 200);

    ResetToWindowed(theDevice);
    EXPECT_EQ(theDevice->BackBufferWidth(), 800);
    EXPECT_EQ(theDevice->BackBufferHeight(), 600);
    EXPECT_EQ(theDevice->Present(), D3D_OK);
    ASSERT_TRUE(theDevice->ReadFrontBuffer(image));
    EXPECT_EQ(image.width, 800);
}

TEST_F(GlDisplayTest, FullScreenKeepsTheRequestedBackBuffer) {
    ASSERT_TRUE(Init(false));
    EXPECT_NE(SDL_GetWindowFlags(NativeWindow(theGameWindow)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    EXPECT_EQ(theDevice->BackBufferWidth(), 320);
    theDevice->Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 90, 0), 1.0f);
    EXPECT_EQ(theDevice->Present(), D3D_OK);
    Image image;
    ASSERT_TRUE(theDevice->ReadFrontBuffer(image));
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.rgba[1], 90);
    ResetToWindowed(theDevice);
    EXPECT_EQ(SDL_GetWindowFlags(NativeWindow(theGameWindow)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
}

TEST_F(GlDisplayTest, AnImpossibleGlVersionReportsTheDriverOnStandardError) {
    SetDeviceCreator(GlDeviceCreator(9, 9));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(true));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(theDevice, nullptr);
    EXPECT_NE(err.find("Failed to create an OpenGL device."), std::string::npos) << err;
    EXPECT_NE(err.find("Error codes = 80004005, 80004005, 0 "), std::string::npos) << err;
    EXPECT_EQ(err.find("Device = ?"), std::string::npos) << "the renderer is named";
    EXPECT_NE(err.find("Modes = 1: "), std::string::npos) << err;
    EXPECT_EQ(theGameWindow, nullptr) << "no window is left behind";
}

TEST_F(GlDisplayTest, ThePumpTurnsSdlEventsIntoGameEventsAfterTheListeners) {
    ASSERT_TRUE(Init(true));
    int heard = 0;
    const int id = AddNativeEventListener([&](const SDL_Event& e) {
        if (e.type == SDL_KEYDOWN) ++heard;
    });
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = SDL_GetWindowID(NativeWindow(theGameWindow));
    key.key.keysym.scancode = SDL_SCANCODE_F5;
    SDL_PushEvent(&key);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = key.key.windowID;
    SDL_PushEvent(&close);

    bool sawKey = false, sawClose = false;
    QueuedEvent queued;
    while (PollEvent(&queued)) {
        if (queued.window != theGameWindow) continue;
        sawKey |= queued.event == KeyDownEvent(0x74);
        sawClose |= queued.event.type == GameEventType::CloseRequested;
        DispatchEvent(queued);
    }
    RemoveNativeEventListener(id);
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(sawKey);
    EXPECT_TRUE(sawClose);
    // The close request destroyed the window after its handler.
    EXPECT_TRUE(theGameWindow->destroyed);
    EXPECT_EQ(NativeWindow(theGameWindow), nullptr);
    EXPECT_EQ(theDevice->Present(), D3DERR_DEVICELOST);
}

}  // namespace
