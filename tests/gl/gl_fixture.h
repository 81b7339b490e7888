// A hidden SDL window with a small OpenGL device, shared by the tests of a
// suite; each test starts from the device's default state on a black frame.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gl/gl_device.h"
#include "platform/game_window.h"

struct Rgb {
    int r, g, b;
};

class GlDeviceTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    Device& device() { return *device_; }
    GlDevice& glDevice() { return *device_; }
    // Presents the frame and reads it back.
    Image Frame();

    // A screen-space quad covering [x0, x1) x [y0, y1) in Direct3D pixel
    // coordinates, clockwise on screen.
    void DrawScreenQuad(float x0, float y0, float x1, float y1, D3DCOLOR colour, float z = 0.5f);
    // Camera looking along +z at a 2 x 2 world window; the 64-pixel frame
    // shows x and y from -1 to 1.
    void UseOrthoCamera();
    // A world square of half-size `h` at depth z facing the camera, wound
    // clockwise as seen; its texture coordinates span 0..1.
    std::unique_ptr<VertexBuffer> Square(float h, float z = 0.0f, bool clockwise = true);

    static std::unique_ptr<GlDevice> device_;
    static GameWindow* window_;
};

// The colour of one pixel.
Rgb PixelAt(const Image& image, int x, int y);
// Expects a pixel within `tolerance` of the colour on every channel.
void ExpectPixel(const Image& image, int x, int y, Rgb expected, int tolerance = 2);
