// Frames: presenting, the front buffer, counters, redundant state, a lost
// window, and a screenshot of a small scene.
#include "gl_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "framework/engine_utils.h"
#include "platform/d3dx_shapes.h"
#include "platform/png_writer.h"
#include "platform/sdl_window.h"

namespace {

using GlFrameTest = GlDeviceTest;

TEST_F(GlFrameTest, TheFrontBufferIsTheLastPresentedFrameUntilTheNextOneBegins) {
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 255, 0, 0), 1.0f);
    ASSERT_EQ(device().Present(), D3D_OK);
    Image image;
    ASSERT_TRUE(device().ReadFrontBuffer(image));
    EXPECT_EQ(image.width, kSize);
    EXPECT_EQ(image.height, kSize);
    ExpectPixel(image, 0, 0, {255, 0, 0});
    EXPECT_EQ(image.rgba[3], 255);
    // Read twice, it is still the same frame.
    ASSERT_TRUE(device().ReadFrontBuffer(image));
    ExpectPixel(image, 0, 0, {255, 0, 0});

    // A half-made frame is never read as the one shown: a clear or a draw
    // after the present ends the reading until the next present.
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 255, 0), 1.0f);
    EXPECT_FALSE(device().ReadFrontBuffer(image));
    ExpectPixel(Frame(), 0, 0, {0, 255, 0});
    DrawScreenQuad(0, 0, 8, 8, D3DCOLOR_ARGB(255, 0, 0, 255));
    EXPECT_FALSE(device().ReadFrontBuffer(image));
    const Image drawn = Frame();
    ExpectPixel(drawn, 2, 2, {0, 0, 255});
    ExpectPixel(drawn, 20, 20, {0, 255, 0});
}

TEST_F(GlFrameTest, RowsComeBackTopToBottom) {
    DrawScreenQuad(0, 0, 64, 8, D3DCOLOR_ARGB(255, 255, 255, 0));
    const Image frame = Frame();
    ExpectPixel(frame, 32, 2, {255, 255, 0});
    ExpectPixel(frame, 32, 60, {0, 0, 0});
}

TEST_F(GlFrameTest, CountersFollowFramesDrawsAndPrimitives) {
    const DeviceStats before = device().Stats();
    DrawScreenQuad(0, 0, 8, 8, D3DCOLOR_ARGB(255, 1, 2, 3));
    DrawScreenQuad(8, 8, 16, 16, D3DCOLOR_ARGB(255, 1, 2, 3));
    ASSERT_EQ(device().Present(), D3D_OK);
    EXPECT_EQ(device().Stats().frames, before.frames + 1);
    EXPECT_EQ(device().Stats().drawCalls, before.drawCalls + 2);
    EXPECT_EQ(device().Stats().primitives, before.primitives + 4);
}

TEST_F(GlFrameTest, RepeatingADrawChangesNoState) {
    UseOrthoCamera();
    auto square = Square(0.5f);
    Texture texture(1, 1, 1, D3DFMT_A8R8G8B8);
    device().SetTexture(0, &texture);
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    const uint64_t afterFirst = glDevice().StateChanges();
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    EXPECT_EQ(glDevice().StateChanges(), afterFirst);
    // A different world matrix costs one uniform upload, nothing else.
    device().SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(0.1f, 0, 0));
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    EXPECT_EQ(glDevice().StateChanges(), afterFirst + 1);
}

// The draw statistics the frame benchmark reports: uniform uploads and
// texture binds only when something changed.
TEST_F(GlFrameTest, StatisticsCountUploadsAndBindsOnlyWhenTheyHappen) {
    UseOrthoCamera();
    auto square = Square(0.5f);
    Texture first(1, 1, 1, D3DFMT_A8R8G8B8), second(1, 1, 1, D3DFMT_A8R8G8B8);
    device().SetTexture(0, &first);
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    const DeviceStats start = device().Stats();
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    EXPECT_EQ(device().Stats().uniformUploads, start.uniformUploads);
    EXPECT_EQ(device().Stats().textureBinds, start.textureBinds);

    device().SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(0.1f, 0, 0));
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    EXPECT_EQ(device().Stats().uniformUploads, start.uniformUploads + 1);
    EXPECT_EQ(device().Stats().textureBinds, start.textureBinds);

    device().SetTexture(0, &second);
    ASSERT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    EXPECT_EQ(device().Stats().textureBinds, start.textureBinds + 1);
    EXPECT_EQ(device().Stats().drawCalls, start.drawCalls + 3);
    EXPECT_EQ(device().Stats().primitives, start.primitives + 6);
    EXPECT_EQ(device().Stats().programSwitches, start.programSwitches);  // one fixed-function program
}

TEST(GlDeviceLifetime, AClosedWindowLosesTheDevice) {
    SdlWindowOptions options;
    options.width = options.height = 32;
    options.hidden = true;
    GameWindow* window = CreateSdlWindow(nullptr, options);
    ASSERT_NE(window, nullptr);
    GlDeviceParams params;
    params.width = params.height = 32;
    params.depth24Stencil8 = false;
    std::string error;
    auto device = GlDevice::Create(window, params, error);
    ASSERT_NE(device, nullptr) << error;
    Image image;
    EXPECT_FALSE(device->ReadFrontBuffer(image));  // nothing presented yet
    EXPECT_EQ(device->Present(), D3D_OK);
    EXPECT_TRUE(device->ReadFrontBuffer(image));

    auto texture = std::make_shared<Texture>(1, 1, 1, D3DFMT_A8R8G8B8);
    device->SetTexture(0, texture.get());
    const ScreenVertex v[3] = {{0, 0, 0, 1, 0xFFFFFFFF, 0, 0}, {8, 0, 0, 1, 0xFFFFFFFF, 0, 0},
                               {8, 8, 0, 1, 0xFFFFFFFF, 0, 0}};
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ScreenVertex), FVF_SCREEN), D3D_OK);

    CloseNativeWindow(window);
    EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ScreenVertex), FVF_SCREEN),
              D3DERR_DEVICELOST);
    EXPECT_FALSE(device->ReadFrontBuffer(image));
    device.reset();
    texture.reset();  // its GL copy belonged to the deleted context
}

// A scene with lit spheres, a wire-frame sphere and a translucent textured
// screen quad; written as PNG for people to look at (into
// $ROCKPILE_SCREENSHOT_DIR when set).
TEST(GlScreenshot, ASceneIsWrittenAsPng) {
    SdlWindowOptions options;
    options.width = 320;
    options.height = 240;
    options.hidden = true;
    GameWindow* window = CreateSdlWindow(nullptr, options);
    ASSERT_NE(window, nullptr);
    GlDeviceParams params;
    params.width = 320;
    params.height = 240;
    std::string error;
    auto device = GlDevice::Create(window, params, error);
    ASSERT_NE(device, nullptr) << error;

    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 10, 10, 40), 1.0f);
    device->SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 0, -13}, {0, 0, 0}, {0, 1, 0}));
    device->SetTransform(D3DTS_PROJECTION, D3DXMatrixOrthoLH(40.0f * 4 / 3, 40, 1, 100));
    device->SetLight(0, MakeDirectionalLight({1, -1, 1}, colours::White));
    device->LightEnable(0, true);
    device->SetRenderState(D3DRS_SPECULARENABLE, 1);
    auto sphere = D3DXCreateSphere(device.get(), 5, 20, 20);
    const D3DCOLORVALUE tints[] = {colours::Red, colours::Green, colours::Blue, colours::Yellow};
    for (int i = 0; i < 4; ++i) {
        device->SetMaterial(MakeMaterial(tints[i]));
        device->SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(-18.0f + 12.0f * i, 6, 0));
        sphere->DrawSubset(*device, 0);
    }
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    device->SetMaterial(MakeMaterial(colours::Cyan));
    device->SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(-12, -10, 0));
    sphere->DrawSubset(*device, 0);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);

    Texture checker(8, 8, 1, D3DFMT_A8R8G8B8);
    D3DLOCKED_RECT locked;
    checker.LockRect(0, &locked);
    for (int i = 0; i < 64; ++i)
        static_cast<uint32_t*>(locked.pBits)[i] = ((i / 8 + i % 8) % 2) ? 0xFFFFFFFF : 0x00000000;
    checker.UnlockRect(0);
    device->SetTexture(0, &checker);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    const float x0 = 220, y0 = 140, x1 = 300, y1 = 220;
    const ScreenVertex v[6] = {
        {x0, y0, 0, 1, 0xC0FFFFFF, 0, 0}, {x1, y0, 0, 1, 0xC0FFFFFF, 1, 0}, {x1, y1, 0, 1, 0xC0FFFFFF, 1, 1},
        {x0, y0, 0, 1, 0xC0FFFFFF, 0, 0}, {x1, y1, 0, 1, 0xC0FFFFFF, 1, 1}, {x0, y1, 0, 1, 0xC0FFFFFF, 0, 1},
    };
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v, sizeof(ScreenVertex), FVF_SCREEN), D3D_OK);
    device->SetTexture(0, nullptr);
    ASSERT_EQ(device->Present(), D3D_OK);

    Image image;
    ASSERT_TRUE(device->ReadFrontBuffer(image));
    // The red sphere's centre is lit red; the corner keeps the clear colour.
    const uint8_t* centre = &image.rgba[(size_t(240 / 2 - 36) * 320 + 160 - 108) * 4];
    EXPECT_GT(centre[0], 100);
    EXPECT_LT(centre[1], 60);
    EXPECT_EQ(image.rgba[0], 10);
    EXPECT_EQ(image.rgba[2], 40);

    const char* dir = std::getenv("ROCKPILE_SCREENSHOT_DIR");
    const std::filesystem::path path =
        std::filesystem::path(dir ? dir : ::testing::TempDir()) / "gl_scene.png";
    ASSERT_TRUE(WritePng(image, path.string()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    EXPECT_FALSE(WritePng(Image{}, path.string()));
    device.reset();
    CloseNativeWindow(window);
}

}  // namespace
