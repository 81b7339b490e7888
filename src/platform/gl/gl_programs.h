// The device's shader programs: the fixed-function emulation and the
// wrapping of vertex shaders created from source.
#pragma once

#include "platform/gl/gl_target.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Attribute locations shared by every program.
enum GlAttribute : GLuint { kAttrPosition = 0, kAttrNormal = 1, kAttrColor = 2, kAttrTexCoord = 3 };
// Vertex shaders of declarations: position at 0, normal k at 1 + k.
constexpr GLuint kAttrShaderNormal0 = 1;

// The fixed-function state of one draw, as the std140 uniform block
// "FixedFunction" lays it out. Matrices are D3DX row-vector matrices stored
// as they are: GLSL reads them transposed, so `M * v` is the row product.
struct FixedFunctionBlock {
    float worldViewProj[16];
    float worldView[16];
    float normalMatrix[16];
    float lightDir[4];  // towards the light in view space; w 1 when a light shines
    float lightDiffuse[4], lightAmbient[4], lightSpecular[4];
    float matDiffuse[4], matAmbient[4], matSpecular[4], matEmissive[4];
    float globalAmbient[4];
    float viewport[4];  // back buffer size in pixels; half-pixel offset in clip units
    int32_t lighting, specular, normalize, pretransformed;
    float matPower;
    float alphaRef;     // 0..255
    int32_t alphaFunc;  // D3DCMPFUNC; 0 without alpha test
    int32_t textured;
};
static_assert(sizeof(FixedFunctionBlock) == 384);
constexpr GLuint kFixedFunctionBinding = 0;

// Compiles and links; 0 on failure. `log` receives the compiler's and
// linker's messages (warnings too).
GLuint LinkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                   const std::vector<std::pair<GLuint, const char*>>& attributes, std::string& log);

// The fixed-function emulation is compiled for each combination of the
// states that change its code, so that a draw runs only what it uses.
constexpr uint32_t kFixedLit = 1, kFixedSpecular = 2, kFixedTextured = 4, kFixedAlphaTest = 8,
                   kFixedScreen = 16;  // pretransformed screen vertices
constexpr uint32_t kFixedVariantCount = 32;
// The variant of a draw's states, with bits that change nothing cleared.
uint32_t FixedVariantOf(bool lit, bool specular, bool textured, bool alphaTest, bool screen);
// Programs are compiled in the target's own dialect; tests also compile the
// other one where the driver accepts it.
GLuint CreateFixedFunctionProgram(uint32_t variant, std::string& log, GlslDialect dialect = kNativeDialect);

// A vertex shader from source, paired with a fragment shader that outputs
// the interpolated `vColor`. The shader writes gl_Position in Direct3D clip
// space; the device converts it to GL's. Its inputs "position", "normal0",
// "normal1", "normal2" are bound to the declaration's locations.
// A "#version" line of the source gives way to the dialect's header.
GLuint CreateVertexShaderProgram(const std::string& source, std::string& log,
                                 GlslDialect dialect = kNativeDialect);
// Uniform of the wrapped vertex shaders: the half-pixel offset in clip units.
constexpr const char* kPixelOffsetUniform = "rpPixelOffset";
