// Vertex shaders created from source, drawn with a vertex declaration.
#include "gl_fixture.h"

#include <cstring>

namespace {

// The interface of the outline shader: two matrices, a colour, four inputs.
// This one places each vertex at position + normal0 and colours it with
// Color * normal2.
constexpr const char* kShader = R"(#version 330 core
uniform mat4 WorldViewMatrix;
uniform mat4 ProjMatrix;
uniform vec4 Color;
in vec3 position;
in vec3 normal0;
in vec3 normal1;
in vec3 normal2;
out vec4 vColor;
void main() {
    gl_Position = ProjMatrix * (WorldViewMatrix * vec4(position + normal0, 1.0));
    vColor = Color * vec4(normal2 + normal1, 1.0);
}
)";

struct EdgeVertex {
    Vector3 position, normal0, normal1, normal2;
};
static_assert(sizeof(EdgeVertex) == 48);

class GlShaderTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        UseOrthoCamera();
        std::string messages;
        shader_ = device().CreateVertexShader(kShader, messages);
        ASSERT_NE(shader_, nullptr) << messages;
        declaration_ = std::make_unique<VertexDeclaration>(std::vector<VertexElement>{
            {0, DeclType::Float3, DeclUsage::Position, 0},
            {12, DeclType::Float3, DeclUsage::Normal, 0},
            {24, DeclType::Float3, DeclUsage::Normal, 1},
            {36, DeclType::Float3, DeclUsage::Normal, 2},
        });
    }

    // A square of half-size h at depth z split between position and
    // normal0, coloured through normal2.
    void DrawShaderSquare(float h, float z, Vector3 colour, const float (&tint)[4]) {
        const Vector3 corners[4] = {{-h, h, z}, {h, h, z}, {h, -h, z}, {-h, -h, z}};
        auto vertices = std::make_unique<VertexBuffer>(4 * sizeof(EdgeVertex), 0, sizeof(EdgeVertex));
        auto* v = reinterpret_cast<EdgeVertex*>(vertices->MutableData());
        for (int i = 0; i < 4; ++i) v[i] = {corners[i] * 0.5f, corners[i] * 0.5f, {0, 0, 0}, colour};
        vertices->Unlock();
        IndexBuffer indices({0, 1, 2, 0, 2, 3});

        device().SetVertexShader(shader_.get());
        device().SetVertexDeclaration(declaration_.get());
        device().SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        const Matrix4 worldView = device().GetTransform(D3DTS_WORLD) * device().GetTransform(D3DTS_VIEW);
        EXPECT_EQ(device().SetVertexShaderConstantF("Color", tint, 1), D3D_OK);
        EXPECT_EQ(device().SetVertexShaderConstantF("WorldViewMatrix", &worldView.m[0][0], 4), D3D_OK);
        EXPECT_EQ(device().SetVertexShaderConstantF("ProjMatrix", &device().GetTransform(D3DTS_PROJECTION).m[0][0],
                                                    4),
                  D3D_OK);
        EXPECT_EQ(device().DrawIndexedPrimitive(D3DPT_TRIANGLELIST, *vertices, indices, 0, 2), D3D_OK);
        device().SetVertexShader(nullptr);
        device().SetVertexDeclaration(nullptr);
        device().SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    }

    void DrawFixedSquare(float h, float z, D3DCOLORVALUE colour) {
        D3DMATERIAL9 m;
        m.Emissive = colour;
        m.Diffuse = {0, 0, 0, 1};
        device().SetMaterial(m);
        auto square = Square(h, z);
        EXPECT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square, 0, 2), D3D_OK);
    }

    std::shared_ptr<VertexShader> shader_;
    std::unique_ptr<VertexDeclaration> declaration_;
};

TEST_F(GlShaderTest, AllFourInputsAndTheConstantsReachTheShader) {
    const float white[4] = {1, 1, 1, 1};
    DrawShaderSquare(0.5f, 0.0f, {1, 0.5f, 0}, white);
    Image frame = Frame();
    ExpectPixel(frame, 32, 32, {255, 128, 0});
    ExpectPixel(frame, 20, 20, {255, 128, 0});
    ExpectPixel(frame, 10, 10, {0, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    const float outline[4] = {0.0f, 0.9f, 0.95f, 1.0f};
    DrawShaderSquare(0.5f, 0.0f, {1, 1, 1}, outline);
    ExpectPixel(Frame(), 32, 32, {0, 230, 242});
}

TEST_F(GlShaderTest, ShaderAndFixedFunctionShareOneDepthRange) {
    const float white[4] = {1, 1, 1, 1};
    DrawFixedSquare(0.5f, 5.0f, {0, 1, 0, 1});
    DrawShaderSquare(0.5f, 0.0f, {1, 0, 0}, white);
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    DrawFixedSquare(0.5f, 0.0f, {0, 1, 0, 1});
    DrawShaderSquare(0.5f, 5.0f, {1, 0, 0}, white);
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});
}

TEST_F(GlShaderTest, BadSourceAndUnknownConstantsAreRefused) {
    std::string messages;
    EXPECT_EQ(device().CreateVertexShader("#version 330 core\nvoid main() { undefined_thing(); }\n", messages),
              nullptr);
    EXPECT_FALSE(messages.empty());

    device().SetVertexShader(shader_.get());
    const float value[4] = {1, 1, 1, 1};
    EXPECT_EQ(device().SetVertexShaderConstantF("NoSuchConstant", value, 1), D3DERR_INVALIDCALL);
    device().SetVertexShader(nullptr);
    EXPECT_EQ(device().SetVertexShaderConstantF("Color", value, 1), D3DERR_INVALIDCALL);
}

TEST_F(GlShaderTest, ShadersWithoutAVersionLineCompile) {
    std::string source = kShader;
    source.erase(0, source.find('\n') + 1);
    std::string messages;
    EXPECT_NE(device().CreateVertexShader(source, messages), nullptr) << messages;
}

}  // namespace
