// Input test fixture: SDL's dummy video driver, the two devices created, and
// synthetic native events handed over as the event pump would.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/gameglobals.h"
#include "input/joystick.h"
#include "platform/native_events.h"

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = settings;
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_EQ(CreateInputDevices(), 0);
    }
    void TearDown() override {
        DestroyInputDevices();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        settings = saved_;
    }
    // Hands every pending SDL event to the native listeners.
    static void Pump() {
        SDL_Event e;
        while (SDL_PollEvent(&e)) DispatchNativeEvent(e);
    }

    TSettings saved_;
};
