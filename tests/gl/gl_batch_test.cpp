// Batched drawing shows the picture of drawing one by one: lit, specular,
// turned and scaled meshes moved to world space on the CPU, nearest first.
#include <cstdlib>

#include "framework/engine_utils.h"
#include "gamelib/mesh.h"
#include "gamelib/mesh_batch.h"
#include "gl_fixture.h"
#include "platform/d3dx_shapes.h"

namespace {

class GlBatchTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        UseOrthoCamera();
        D3DLIGHT9 light = MakeDirectionalLight({1, -1, 1}, colours::White);
        light.Specular = {1, 1, 1, 1};
        light.Ambient = {0.2f, 0.2f, 0.2f, 1};
        device().SetLight(0, light);
        device().LightEnable(0, true);
        device().SetRenderState(D3DRS_SPECULARENABLE, 1);
        device().SetRenderState(D3DRS_NORMALIZENORMALS, 1);
        ball_.kind = MESH_KIND_MESH;
        ball_.mesh = D3DXCreateSphere(nullptr, 0.3f, 12, 12);
        ball_.numMaterials = 1;
        ball_.materials[0] = MakeMaterial(colours::Red);
        ball_.materials[0].Specular = {1, 1, 1, 1};
        ball_.materials[0].Power = 8;
    }

    // Overlapping balls, turned and scaled (one unevenly), at several depths.
    std::vector<Matrix4> Worlds() const {
        std::vector<Matrix4> worlds;
        for (int i = 0; i < 6; ++i) {
            const float s = 0.8f + 0.15f * i;
            worlds.push_back(D3DXMatrixRotationAxis({1, 2, 3}, 0.7f * i) *
                             D3DXMatrixScaling(s, i == 3 ? 0.6f * s : s, s) *
                             D3DXMatrixTranslation(-0.6f + 0.25f * i, 0.4f * ((i % 3) - 1), 5.0f - 0.1f * i));
        }
        return worlds;
    }

    TMesh ball_;
};

TEST_F(GlBatchTest, TheBatchShowsWhatDrawingOneByOneShows) {
    for (const Matrix4& world : Worlds()) {
        device().SetTransform(D3DTS_WORLD, world);
        RenderMesh(&device(), ball_);
    }
    const Image single = Frame();
    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f);
    MeshBatch batch;
    for (const Matrix4& world : Worlds()) batch.Add(ball_, world);
    batch.Draw(device());
    const Image batched = Frame();

    ASSERT_EQ(single.rgba.size(), batched.rgba.size());
    long sum = 0;
    int far = 0, lit = 0;
    for (size_t i = 0; i < single.rgba.size(); i += 4) {
        int largest = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(single.rgba[i + c] - batched.rgba[i + c]);
            sum += d;
            largest = std::max(largest, d);
        }
        far += largest > 8;  // an edge pixel may fall to the other side
        lit += single.rgba[i] > 0;
    }
    EXPECT_GT(lit, kSize * kSize / 4);  // the balls fill much of the frame
    EXPECT_LT(double(sum) / (3.0 * kSize * kSize), 1.0);
    EXPECT_LE(far, 3);
}

}  // namespace
