#include "gl_canvas.h"

#include <SDL_error.h>

#include "platform/sdl_window.h"

std::unique_ptr<GlCanvas> GlCanvas::Open(int width, int height, std::string& error) {
    std::string reason;
    if (!InitSdlVideo(&reason)) {
        error = "no display for the OpenGL device: " + reason;
        return nullptr;
    }
    SdlWindowOptions options;
    options.title = "rockpile-inspect";
    options.width = 64;
    options.height = 64;
    options.hidden = true;
    GameWindow* window = CreateSdlWindow(nullptr, options);
    if (!window) {
        error = std::string("no window for the OpenGL device: ") + SDL_GetError();
        return nullptr;
    }
    GlDeviceParams params;
    params.width = width;
    params.height = height;
    params.swapInterval = 0;
    std::unique_ptr<GlDevice> device = GlDevice::Create(window, params, error);
    if (!device) {
        CloseNativeWindow(window);
        return nullptr;
    }
    return std::unique_ptr<GlCanvas>(new GlCanvas(window, std::move(device)));
}

GlCanvas::~GlCanvas() {
    device_.reset();
    CloseNativeWindow(window_);
}

bool GlCanvas::Capture(Image& out) { return device_->Present() == D3D_OK && device_->ReadFrontBuffer(out); }
