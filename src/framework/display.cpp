#include "framework/display.h"

#include <SDL.h>

#include <utility>

#include "framework/display_check.h"
#include "framework/display_modes.h"
#include "framework/display_report.h"
#include "platform/gl/gl_context.h"
#include "platform/gl/gl_device.h"
#include "platform/message_box.h"
#include "platform/sdl_window.h"

GameWindow* theGameWindow = nullptr;
Device* theDevice = nullptr;
PresentParams savedPresentParams;
OpenDisplay openDisplay;

namespace {

std::unique_ptr<Device> g_device;
DeviceCreator g_creator;
std::function<void(const std::string&)> g_reporter;

const char* FormatName(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8: return "A8R8G8B8";
        case D3DFMT_X8R8G8B8: return "X8R8G8B8";
        case D3DFMT_D24S8: return "D24S8";
        case D3DFMT_D16: return "D16";
        default: return "?";
    }
}

std::unique_ptr<Device> CreateDevice(D3DDEVTYPE type, GameWindow* window, const PresentParams& params,
                                     std::string& error) {
    if (g_creator) return g_creator(window, params, error);
    if (type == D3DDEVTYPE_NULLREF) return std::make_unique<NullDevice>(params.backBufferWidth, params.backBufferHeight);
    return GlDeviceCreator()(window, params, error);
}

GameWindow* CreateGameWindow(D3DDEVTYPE type, GameEventHandler handler, const std::string& title, int width,
                             int height, bool windowed, int adapter) {
    if (type == D3DDEVTYPE_NULLREF) return CreateHeadlessWindow(std::move(handler));
    SdlWindowOptions options;
    options.title = title;
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(adapter, &bounds) == 0) {
        options.x = bounds.x;
        options.y = bounds.y;
    }
    options.width = width;
    const int outer = GameWindowHeight(height, kFrameAndCaptionHeight, ScreenHeight(adapter));
    options.height = outer - kFrameAndCaptionHeight;
    options.fullscreen = !windowed;
    options.depthStencil = true;
    // Full screen is asked of the window manager; where none runs (kiosks,
    // cabinets), the window is made as large as the display itself.
    if (!windowed && bounds.w > 0 && bounds.h > 0) {
        options.width = bounds.w;
        options.height = bounds.h;
    }
    return CreateSdlWindow(std::move(handler), options);
}

// The facts for the failure report; the driver is asked through a context
// of any version on the game window.
DeviceFailureFacts CollectFailureFacts(D3DDEVTYPE type, GameWindow* window, int adapter, const PresentParams& params) {
    DeviceFailureFacts facts;
    if (type != D3DDEVTYPE_NULLREF) {
        facts.modes = DescribeModes(EnumModes(adapter));
        const GlDriverInfo info = QueryGlDriverInfo(NativeWindow(window));
        facts.driverQuery = info.obtained ? D3D_OK : E_FAIL;
        if (info.obtained) {
            facts.renderer = info.renderer;
            facts.vendor = info.vendor;
            facts.version = info.version;
        }
    }
    facts.requested = "OpenGL 3.3 core, back buffer " + std::string(FormatName(params.backBufferFormat)) + " " +
                      std::to_string(params.backBufferWidth) + "x" + std::to_string(params.backBufferHeight) +
                      (params.windowed ? " windowed" : " full screen") + ", depth-stencil D24S8 then D16, " +
                      "swap interval " +
                      (params.presentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? "0" : "1");
    return facts;
}

void ReportFailure(const std::string& text) {
    if (g_reporter)
        g_reporter(text);
    else
        MessageBox(text, "An error has occurred");
}

}  // namespace

bool InitD3D(GameEventHandler handler, const std::string& programName, const std::string& programVersion,
             const std::string& className, const std::string& windowTitle, int width, int height, bool windowed,
             uint32_t presentInterval, int /*multiSample*/, int adapter, D3DDEVTYPE deviceType, Device** outDevice) {
    // SDL has no window classes: what stands in for registering one is
    // having a window system at all.
    if (className.empty() || (deviceType != D3DDEVTYPE_NULLREF && !InitSdlVideo())) {
        MessageBox("RegisterClass() - FAILED", "");
        return false;
    }
    if (deviceType != D3DDEVTYPE_NULLREF && !DisplayReachable()) {
        MessageBox(NoDisplayMessage(), "Error");
        return false;
    }
    GameWindow* window =
        CreateGameWindow(deviceType, std::move(handler), windowTitle, width, height, windowed, adapter);
    if (!window) {
        MessageBox("CreateWindow() - FAILED", "");
        return false;
    }
    theGameWindow = window;
    openDisplay.windowed = windowed;
    openDisplay.headless = deviceType == D3DDEVTYPE_NULLREF;

    PresentParams params;
    params.backBufferWidth = width;
    params.backBufferHeight = height;
    params.windowed = windowed;
    params.presentationInterval =
        presentInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_ONE;

    std::string firstError, secondError;
    std::unique_ptr<Device> device = CreateDevice(deviceType, window, params, firstError);
    if (!device) {
        params.depthStencilFormat = D3DFMT_D16;
        device = CreateDevice(deviceType, window, params, secondError);
    }
    if (device) {
        savedPresentParams = params;
        g_device = std::move(device);
        theDevice = g_device.get();
        if (outDevice) *outDevice = theDevice;
        return true;
    }

    DeviceFailureFacts facts = CollectFailureFacts(deviceType, window, adapter, params);
    facts.programName = programName;
    facts.programVersion = programVersion;
    facts.firstCreation = E_FAIL;
    facts.secondCreation = E_FAIL;
    facts.firstError = firstError;
    facts.secondError = secondError;
    if (SDL_Window* native = NativeWindow(window)) SDL_HideWindow(native);
    ReportFailure(FormatDeviceFailureReport(facts));
    // The launcher does not shut down after a failed start: the window
    // goes here rather than staying hidden for good.
    CloseNativeWindow(window);
    theGameWindow = nullptr;
    return false;
}

void ResetToWindowed(Device* device) {
    if (device) device->ResetToWindowed(800, 600);
}

void ShutdownD3D(Device* device) {
    if (device && device == g_device.get()) {
        g_device.reset();
        theDevice = nullptr;
    }
    if (theGameWindow && !theGameWindow->destroyed) CloseNativeWindow(theGameWindow);
    theGameWindow = nullptr;
    openDisplay.headless = false;
}

void SetDeviceCreator(DeviceCreator creator) { g_creator = std::move(creator); }

DeviceCreator GlDeviceCreator(int glMajor, int glMinor) {
    return [glMajor, glMinor](GameWindow* window, const PresentParams& params,
                              std::string& error) -> std::unique_ptr<Device> {
        GlDeviceParams gl;
        gl.width = params.backBufferWidth;
        gl.height = params.backBufferHeight;
        gl.windowed = params.windowed;
        gl.depth24Stencil8 = params.depthStencilFormat == D3DFMT_D24S8;
        gl.swapInterval = params.presentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1;
        gl.glMajor = glMajor;
        gl.glMinor = glMinor;
        return GlDevice::Create(window, gl, error);
    };
}

void SetErrorReporter(std::function<void(const std::string&)> reporter) { g_reporter = std::move(reporter); }
