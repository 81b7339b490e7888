// Frames drawn straight into the window when nobody reads them back: the
// window shows the same pixels as a frame drawn in the device's own buffer,
// and a frame asked for is readable again.
#include "gl_fixture.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

#include "framework/engine_utils.h"
#include "platform/d3dx_shapes.h"
#include "platform/sdl_window.h"

namespace {

constexpr int kWidth = 96, kHeight = 64;

class GlDirectTest : public ::testing::Test {
protected:
    void Open(bool depthStencil) {
        SdlWindowOptions options;
        options.title = "gl direct test";
        options.width = kWidth;
        options.height = kHeight;
        options.depthStencil = depthStencil;
        window_ = CreateSdlWindow(nullptr, options);
        ASSERT_NE(window_, nullptr) << "no SDL window (run under xvfb-run)";
        GlDeviceParams params;
        params.width = kWidth;
        params.height = kHeight;
        params.swapInterval = 0;
        std::string error;
        device_ = GlDevice::Create(window_, params, error);
        ASSERT_NE(device_, nullptr) << error;
        sphere_ = D3DXCreateSphere(device_.get(), 1, 16, 16);
        const std::vector<ScreenVertex> quad = Quad(30, 5, 90, 50, D3DCOLOR_ARGB(255, 0, 90, 200));
        backdrop_ = std::make_unique<VertexBuffer>(uint32_t(quad.size() * sizeof(ScreenVertex)), FVF_SCREEN);
        void* data = nullptr;
        ASSERT_EQ(backdrop_->Lock(0, 0, &data), D3D_OK);
        std::memcpy(data, quad.data(), quad.size() * sizeof(ScreenVertex));
        backdrop_->Unlock();
    }
    void Close() {
        backdrop_.reset();
        sphere_.reset();
        device_.reset();
        if (window_) CloseNativeWindow(window_);
        window_ = nullptr;
    }
    void TearDown() override { Close(); }

    // Optionally a backdrop (a quad that neither tests nor writes depth,
    // first after the clear), then two lit spheres cutting through each
    // other (depth decides where they meet) under a translucent screen
    // quad; presented.
    void DrawScene(bool backdrop = false) {
        Device& d = *device_;
        d.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 20, 30, 60), 1.0f);
        if (backdrop) {
            d.SetRenderState(D3DRS_ZENABLE, 0);
            d.SetRenderState(D3DRS_ZWRITEENABLE, 0);
            EXPECT_EQ(d.DrawPrimitive(D3DPT_TRIANGLELIST, *backdrop_, 0, 2), D3D_OK);
            d.SetRenderState(D3DRS_ZENABLE, 1);
            d.SetRenderState(D3DRS_ZWRITEENABLE, 1);
        }
        d.SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0}));
        d.SetTransform(D3DTS_PROJECTION, D3DXMatrixPerspectiveFovLH(0.8f, float(kWidth) / kHeight, 1, 20));
        d.SetLight(0, MakeDirectionalLight({1, -1, 1}, colours::White));
        d.LightEnable(0, true);
        d.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
        const D3DCOLORVALUE tints[] = {colours::Red, colours::Green};
        for (int i = 0; i < 2; ++i) {
            d.SetMaterial(MakeMaterial(tints[i]));
            d.SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(-0.5f + i, 0, i * 0.5f));
            sphere_->DrawSubset(d, 0);
        }
        d.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        d.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        d.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        DrawQuad(10, 40, 60, 60, D3DCOLOR_ARGB(128, 255, 255, 0));
        d.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
        ASSERT_EQ(d.Present(), D3D_OK);
    }
    static std::vector<ScreenVertex> Quad(float x0, float y0, float x1, float y1, D3DCOLOR c) {
        return {{x0, y0, 0, 1, c, 0, 0}, {x1, y0, 0, 1, c, 1, 0}, {x1, y1, 0, 1, c, 1, 1},
                {x0, y0, 0, 1, c, 0, 0}, {x1, y1, 0, 1, c, 1, 1}, {x0, y1, 0, 1, c, 0, 1}};
    }
    void DrawQuad(float x0, float y0, float x1, float y1, D3DCOLOR c) {
        const std::vector<ScreenVertex> v = Quad(x0, y0, x1, y1, c);
        ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v.data(), sizeof(ScreenVertex), FVF_SCREEN), D3D_OK);
    }

    // A plain frame between two scenes, copied to the window: a window
    // still showing it shows no scene.
    void ShowOtherFrame() {
        device_->KeepNextShownFrame();
        device_->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 200, 0, 0), 1.0f);
        ASSERT_EQ(device_->Present(), D3D_OK);
    }

    // What the window shows, as the X server has it: RGBA rows top to
    // bottom.
    Image WindowPixels() {
        Image image;
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        EXPECT_TRUE(SDL_GetWindowWMInfo(NativeWindow(window_), &info) && info.subsystem == SDL_SYSWM_X11);
        XImage* shown = XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
        if (!shown) {
            ADD_FAILURE() << "the X server gave no picture of the window";
            return image;
        }
        image.width = kWidth;
        image.height = kHeight;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const unsigned long p = XGetPixel(shown, x, y);
                image.rgba.insert(image.rgba.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 255});
            }
        XDestroyImage(shown);
        return image;
    }

    template <typename Predicate>
    static int Count(const Image& image, Predicate wanted) {
        int n = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) n += wanted(PixelAt(image, x, y));
        return n;
    }

    // Pixels whose colour differs (alpha aside).
    static int Differing(const Image& a, const Image& b) {
        int n = 0;
        for (size_t i = 0; i < a.rgba.size(); i += 4)
            n += std::memcmp(&a.rgba[i], &b.rgba[i], 3) != 0;
        return n;
    }

    Image Kept() {
        Image image;
        EXPECT_TRUE(device_->ReadFrontBuffer(image));
        return image;
    }

    GameWindow* window_ = nullptr;
    std::unique_ptr<GlDevice> device_;
    std::shared_ptr<D3DXMesh> sphere_;
    std::unique_ptr<VertexBuffer> backdrop_;
};

TEST_F(GlDirectTest, AFrameDrawnIntoTheWindowShowsWhatTheBufferWouldHaveShown) {
    Open(true);
    DrawScene();
    const Image buffered = Kept();
    ASSERT_EQ(Differing(buffered, WindowPixels()), 0) << "the copied frame is on the window";
    // The scene has the clear colour, both spheres and the blend.
    ExpectPixel(buffered, 0, 0, {20, 30, 60});
    EXPECT_GT(Count(buffered, [](Rgb p) { return p.r > 100 && p.g < 60; }), 50) << "the red sphere";
    EXPECT_GT(Count(buffered, [](Rgb p) { return p.g > 100 && p.r < 60; }), 50) << "the green sphere";
    ExpectPixel(buffered, 12, 58, {137, 142, 30});

    device_->KeepShownFrames(false);
    ShowOtherFrame();
    DrawScene();
    Image image;
    EXPECT_FALSE(device_->ReadFrontBuffer(image)) << "nobody asked to read this frame";
    EXPECT_EQ(Differing(buffered, WindowPixels()), 0);
}

TEST_F(GlDirectTest, TheFrameAskedForIsReadableAndTheOneAfterIsNot) {
    Open(true);
    DrawScene();
    const Image buffered = Kept();
    device_->KeepShownFrames(false);
    device_->KeepNextShownFrame();
    DrawScene();
    EXPECT_EQ(Differing(buffered, Kept()), 0);
    ShowOtherFrame();
    DrawScene();
    Image image;
    EXPECT_FALSE(device_->ReadFrontBuffer(image));
    EXPECT_EQ(Differing(buffered, WindowPixels()), 0);
}

TEST_F(GlDirectTest, AKeptBackdropIsCopiedIntoTheWindow) {
    Open(true);
    DrawScene(true);
    const Image buffered = Kept();
    device_->KeepShownFrames(false);
    DrawScene(true);
    DrawScene(true);  // the second frame starting alike keeps its backdrop
    const uint64_t copies = device_->Stats().backdropsCopied;
    ShowOtherFrame();
    DrawScene(true);
    EXPECT_EQ(device_->Stats().backdropsCopied, copies + 1);
    EXPECT_EQ(Differing(buffered, WindowPixels()), 0);
}

TEST_F(GlDirectTest, AWindowOfAnotherSizeOrWithoutDepthGetsTheBufferedFrame) {
    Open(false);
    device_->KeepShownFrames(false);
    DrawScene();
    Image image;
    EXPECT_TRUE(device_->ReadFrontBuffer(image)) << "a window without depth cannot take the frame";
    Close();

    Open(true);
    device_->KeepShownFrames(false);
    SDL_SetWindowSize(NativeWindow(window_), kWidth * 2, kHeight);
    SDL_PumpEvents();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(NativeWindow(window_), &width, &height);
    ASSERT_EQ(width, kWidth * 2) << "the window kept its size";
    DrawScene();
    EXPECT_TRUE(device_->ReadFrontBuffer(image)) << "the frame is scaled into a window of another size";
}

}  // namespace
