// Screen text: glyph quads built and handed to the device per string, on the
// null device (the CPU side of text drawing).
#include <benchmark/benchmark.h>

#include <string>

#include "gamelib/d3dfont.h"
#include "platform/device.h"

namespace {

void BM_RenderText(benchmark::State& state) {
    NullDevice device;
    CD3DFont font("Times New Roman", 16);
    font.logPixelsY = 96;
    if (FAILED(font.CreateAtlas(&device)) || FAILED(font.CreateDrawResources())) {
        state.SkipWithError("no font");
        return;
    }
    std::string text(static_cast<size_t>(state.range(0)), 'A');
    for (auto _ : state) font.RenderText(10, 10, 0xFFFFFFFF, text.c_str(), 0);
    state.SetItemsProcessed(state.iterations() * state.range(0));  // characters
}

void BM_CreateAtlas(benchmark::State& state) {
    NullDevice device;
    for (auto _ : state) {
        CD3DFont font("Courier New", 32);
        font.logPixelsY = 96;
        benchmark::DoNotOptimize(font.CreateAtlas(&device));
    }
}

}  // namespace

BENCHMARK(BM_RenderText)->Arg(20)->Arg(200);
BENCHMARK(BM_CreateAtlas)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
