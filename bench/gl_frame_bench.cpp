// Cost of a frame on the OpenGL device at 800 x 600: an empty frame (clear
// and present) next to one with 100 lit meshes, in the same run.
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1280x1024x24".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "framework/engine_utils.h"
#include "platform/d3dx_shapes.h"
#include "platform/gl/gl_device.h"
#include "platform/sdl_window.h"

namespace {

struct Rig {
    GameWindow* window = nullptr;
    std::unique_ptr<GlDevice> device;
    std::shared_ptr<D3DXMesh> mesh;
};

Rig& TheRig() {
    static Rig rig = [] {
        Rig r;
        SdlWindowOptions options;
        options.title = "frame benchmark";
        r.window = CreateSdlWindow(nullptr, options);
        if (!r.window) return r;
        GlDeviceParams params;
        params.swapInterval = 0;
        std::string error;
        r.device = GlDevice::Create(r.window, params, error);
        if (!r.device) {
            std::fprintf(stderr, "no GL device: %s\n", error.c_str());
            return r;
        }
        std::fprintf(stderr, "renderer: %s\n", r.device->Renderer().c_str());
        r.mesh = D3DXCreateSphere(r.device.get(), 1.5f, 20, 20);
        Device& d = *r.device;
        d.SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 0, -13}, {0, 0, 0}, {0, 1, 0}));
        d.SetLight(0, MakeDirectionalLight({1, -1, 1}, colours::White));
        d.LightEnable(0, true);
        d.SetRenderState(D3DRS_SPECULARENABLE, 1);
        return r;
    }();
    return rig;
}

void BM_EmptyFrame(benchmark::State& state) {
    Rig& rig = TheRig();
    if (!rig.device) return state.SkipWithError("no GL device");
    Device& d = *rig.device;
    for (auto _ : state) {
        d.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
        d.BeginScene();
        d.EndScene();
        d.Present();
    }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FrameOf100LitMeshes(benchmark::State& state) {
    Rig& rig = TheRig();
    if (!rig.device) return state.SkipWithError("no GL device");
    Device& d = *rig.device;
    // Argument 0: the game's square view stretched over the 4:3 frame;
    // 1: a view of the frame's own shape.
    const float width = state.range(0) ? 40.0f * 4 / 3 : 40.0f;
    d.SetTransform(D3DTS_PROJECTION, D3DXMatrixOrthoLH(width, 40, 1, 100));
    const D3DCOLORVALUE tints[] = {colours::Red, colours::Green, colours::Blue, colours::Yellow};
    for (auto _ : state) {
        d.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
        d.BeginScene();
        for (int i = 0; i < 100; ++i) {
            d.SetMaterial(MakeMaterial(tints[i % 4]));
            d.SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(-18.0f + 4.0f * (i % 10), -18.0f + 4.0f * (i / 10), 0));
            rig.mesh->DrawSubset(d, 0);
        }
        d.EndScene();
        d.Present();
    }
    state.counters["triangles"] = static_cast<double>(rig.mesh->GetNumFaces() * 100);
}
BENCHMARK(BM_FrameOf100LitMeshes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
