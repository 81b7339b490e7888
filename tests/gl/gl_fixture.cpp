#include "gl_fixture.h"

#include <cstdlib>
#include <cstring>

#include "platform/sdl_window.h"

std::unique_ptr<GlDevice> GlDeviceTest::device_;
GameWindow* GlDeviceTest::window_ = nullptr;

void GlDeviceTest::SetUpTestSuite() {
    SdlWindowOptions options;
    options.title = "gl test";
    options.width = kSize;
    options.height = kSize;
    options.hidden = true;
    window_ = CreateSdlWindow(nullptr, options);
    ASSERT_NE(window_, nullptr) << "no SDL window (run under xvfb-run)";
    GlDeviceParams params;
    params.width = params.height = kSize;
    params.swapInterval = 0;
    std::string error;
    device_ = GlDevice::Create(window_, params, error);
    ASSERT_NE(device_, nullptr) << error;
}

void GlDeviceTest::TearDownTestSuite() {
    device_.reset();
    CloseNativeWindow(window_);
    window_ = nullptr;
}

void GlDeviceTest::SetUp() {
    ASSERT_NE(device_, nullptr);
    const NullDevice defaults;
    device_->ApplyState(defaults.CaptureState());
    device_->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 0, 0, 0), 1.0f);
}

Image GlDeviceTest::Frame() {
    EXPECT_EQ(device_->Present(), D3D_OK);
    Image image;
    EXPECT_TRUE(device_->ReadFrontBuffer(image));
    return image;
}

Rgb PixelAt(const Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return {p[0], p[1], p[2]};
}

void ExpectPixel(const Image& image, int x, int y, Rgb expected, int tolerance) {
    const Rgb got = PixelAt(image, x, y);
    EXPECT_TRUE(std::abs(got.r - expected.r) <= tolerance && std::abs(got.g - expected.g) <= tolerance &&
                std::abs(got.b - expected.b) <= tolerance)
        << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b << "), expected ("
        << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

void GlDeviceTest::DrawScreenQuad(float x0, float y0, float x1, float y1, D3DCOLOR colour, float z) {
    const ScreenVertex v[6] = {
        {x0, y0, z, 1, colour, 0, 0}, {x1, y0, z, 1, colour, 1, 0}, {x1, y1, z, 1, colour, 1, 1},
        {x0, y0, z, 1, colour, 0, 0}, {x1, y1, z, 1, colour, 1, 1}, {x0, y1, z, 1, colour, 0, 1},
    };
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v, sizeof(ScreenVertex), FVF_SCREEN), D3D_OK);
}

void GlDeviceTest::UseOrthoCamera() {
    device_->SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    device_->SetTransform(D3DTS_PROJECTION, D3DXMatrixOrthoLH(2, 2, 1, 100));
}

std::unique_ptr<VertexBuffer> GlDeviceTest::Square(float h, float z, bool clockwise) {
    const MeshVertex tl{-h, h, z, 0, 0, -1, 0, 0}, tr{h, h, z, 0, 0, -1, 1, 0}, br{h, -h, z, 0, 0, -1, 1, 1},
        bl{-h, -h, z, 0, 0, -1, 0, 1};
    std::vector<MeshVertex> v = clockwise ? std::vector<MeshVertex>{tl, tr, br, tl, br, bl}
                                          : std::vector<MeshVertex>{tl, br, tr, tl, bl, br};
    auto buffer = std::make_unique<VertexBuffer>(static_cast<uint32_t>(v.size() * sizeof(MeshVertex)), FVF_MESH);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data), D3D_OK);
    std::memcpy(data, v.data(), v.size() * sizeof(MeshVertex));
    buffer->Unlock();
    return buffer;
}
