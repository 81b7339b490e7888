// Mesh loading: .x text to an optimised CPU mesh, reported per 1,000 triangles.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "gamelib/mesh.h"

namespace {

// A grid of `side` x `side` quads (2 triangles each) with normals and texture coordinates.
std::string GridX(int side) {
    int n = side + 1;
    std::string x = "xof 0303txt 0032\nMesh {\n" + std::to_string(n * n) + ";\n";
    char line[96];
    for (int i = 0; i < n * n; ++i) {
        std::snprintf(line, sizeof line, "%d.0;%d.0;0.0;%s\n", i % n, i / n, i + 1 < n * n ? "," : ";");
        x += line;
    }
    int faces = side * side * 2;
    x += std::to_string(faces) + ";\n";
    for (int q = 0; q < side * side; ++q) {
        int a = (q / side) * n + q % side, b = a + 1, c = a + n, d = c + 1;
        std::snprintf(line, sizeof line, "3;%d,%d,%d;,\n3;%d,%d,%d;%s\n", a, c, b, b, c, d,
                      q + 1 < side * side ? "," : ";");
        x += line;
    }
    x += "MeshMaterialList { 1; 1; 0;; Material { 0.8;0.8;0.8;1.0;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; } }\n";
    x += "MeshTextureCoords {\n" + std::to_string(n * n) + ";\n";
    for (int i = 0; i < n * n; ++i) {
        std::snprintf(line, sizeof line, "%f;%f;%s\n", (i % n) / double(side), (i / n) / double(side),
                      i + 1 < n * n ? "," : ";");
        x += line;
    }
    return x + "}\n}\n";
}

void BM_LoadMesh(benchmark::State& state) {
    int side = static_cast<int>(state.range(0));
    std::string text = GridX(side);
    int64_t triangles = int64_t(side) * side * 2;
    for (auto _ : state) {
        auto mesh = LoadMeshFromMemory(nullptr, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                       MESH_COMPUTE_NORMALS, 0, 1.0, "grid.x");
        benchmark::DoNotOptimize(mesh);
    }
    // Seconds per 1,000 triangles.
    state.counters["per_1000_triangles"] = benchmark::Counter(
        double(state.iterations()) * triangles / 1000.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["triangles"] = double(triangles);
}

}  // namespace

BENCHMARK(BM_LoadMesh)->Arg(8)->Arg(23)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
