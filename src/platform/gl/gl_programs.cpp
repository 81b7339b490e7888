#include "platform/gl/gl_programs.h"

namespace {

constexpr const char* kBlock = R"(
layout(std140) uniform FixedFunction {
    mat4 worldViewProj;
    mat4 worldView;
    mat4 normalMatrix;
    vec4 lightDir;
    vec4 lightDiffuse;
    vec4 lightAmbient;
    vec4 lightSpecular;
    vec4 matDiffuse;
    vec4 matAmbient;
    vec4 matSpecular;
    vec4 matEmissive;
    vec4 globalAmbient;
    vec4 viewport;
    ivec4 flags;  // lighting, specular, normalize, pretransformed
    float matPower;
    float alphaRef;
    int alphaFunc;
    int textured;
} ff;
)";

constexpr const char* kFixedVertex = R"(
layout(location = 0) in vec4 inPosition;
layout(location = 1) in vec3 inNormal;
layout(location = 2) in vec4 inColor;
layout(location = 3) in vec2 inTexCoord;
out vec4 vColor;
out vec3 vSpecular;
out vec2 vTexCoord;

void main() {
    vTexCoord = inTexCoord;
    vSpecular = vec3(0.0);
#if SCREEN
    // Screen pixels: Direct3D pixel centres on integers, y down, z 0..1.
    float w = inPosition.w != 0.0 ? 1.0 / inPosition.w : 1.0;
    vec2 ndc = vec2((inPosition.x + 0.5) / ff.viewport.x * 2.0 - 1.0,
                    1.0 - (inPosition.y + 0.5) / ff.viewport.y * 2.0);
    gl_Position = vec4(ndc, inPosition.z * 2.0 - 1.0, 1.0) * w;
    vColor = VERTEX_COLOR(inColor);
#else
    vec4 clip = ff.worldViewProj * vec4(inPosition.xyz, 1.0);
    gl_Position = vec4(clip.xy + ff.viewport.zw * clip.w, clip.z * 2.0 - clip.w, clip.w);
#if !LIT
    vColor = VERTEX_COLOR(inColor);
#else
    vec3 n = mat3(ff.normalMatrix) * inNormal;
    if (ff.flags.z != 0 && dot(n, n) > 0.0) n = normalize(n);
    vec3 rgb = ff.matEmissive.rgb + ff.globalAmbient.rgb * ff.matAmbient.rgb;
    if (ff.lightDir.w != 0.0) {
        vec3 toLight = ff.lightDir.xyz;
        float nDotL = dot(n, toLight);
        rgb += ff.lightAmbient.rgb * ff.matAmbient.rgb;
        if (nDotL > 0.0) {
            rgb += nDotL * ff.lightDiffuse.rgb * ff.matDiffuse.rgb;
#if SPECULAR
            vec3 position = (ff.worldView * vec4(inPosition.xyz, 1.0)).xyz;
            vec3 toEye = dot(position, position) > 0.0 ? -normalize(position) : vec3(0.0, 0.0, -1.0);
            float nDotH = max(dot(n, normalize(toLight + toEye)), 0.0);
            float s = ff.matPower > 0.0 ? pow(nDotH, ff.matPower) : 1.0;
            vSpecular = clamp(s * ff.lightSpecular.rgb * ff.matSpecular.rgb, 0.0, 1.0);
#endif
        }
    }
    vColor = vec4(clamp(rgb, 0.0, 1.0), ff.matDiffuse.a);
#endif
#endif
}
)";

constexpr const char* kFixedFragment = R"(
in vec4 vColor;
in vec3 vSpecular;
in vec2 vTexCoord;
uniform sampler2D stage0;
out vec4 fragColor;

bool AlphaPasses(float alpha) {
    float a = floor(alpha * 255.0 + 0.5);
    float ref = ff.alphaRef;
    switch (ff.alphaFunc) {
        case 1: return false;
        case 2: return a < ref;
        case 3: return a == ref;
        case 4: return a <= ref;
        case 5: return a > ref;
        case 6: return a != ref;
        case 7: return a >= ref;
        default: return true;
    }
}

void main() {
    vec4 c = vColor;
#if TEXTURED
    // Texture stage 0 as the engine sets it: colour = texture x diffuse;
    // alpha = texture alpha for lit geometry, texture x diffuse alpha for
    // screen vertices (text) and unlit geometry.
    vec4 t = texture(stage0, vTexCoord);
    c = vec4(c.rgb * t.rgb, LIT != 0 ? t.a : c.a * t.a);
#endif
#if ALPHA_TEST
    // A shader that may discard loses early depth rejection: only the
    // variants with the alpha test on have it.
    if (!AlphaPasses(c.a)) discard;
#endif
#if SPECULAR
    fragColor = vec4(min(c.rgb + vSpecular, vec3(1.0)), c.a);
#else
    fragColor = c;
#endif
}
)";

constexpr const char* kColorFragment = R"(
in vec4 vColor;
out vec4 fragColor;
void main() { fragColor = vColor; }
)";

GLuint Compile(GLenum stage, const std::string& source, std::string& log) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length > 1) {
        std::string messages(static_cast<size_t>(length), '\0');
        glGetShaderInfoLog(shader, length, nullptr, messages.data());
        log += messages.c_str();
    }
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Drops a leading "#version" line: the dialect's header takes its place.
// The rest starts on line `restLine`.
std::string WithoutVersion(const std::string& source, int& restLine) {
    const size_t start = source.find_first_not_of(" \t\r\n");
    restLine = 1;
    if (start == std::string::npos || source.compare(start, 8, "#version") != 0) return source;
    size_t end = source.find('\n', start);
    end = end == std::string::npos ? source.size() : end + 1;
    for (size_t i = 0; i < end; ++i)
        if (source[i] == '\n') ++restLine;
    return source.substr(end);
}

}  // namespace

GLuint LinkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                   const std::vector<std::pair<GLuint, const char*>>& attributes, std::string& log) {
    GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource, log);
    GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, fragmentSource, log) : 0;
    if (!fs) {
        if (vs) glDeleteShader(vs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    for (const auto& [location, name] : attributes) glBindAttribLocation(program, location, name);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length > 1) {
        std::string messages(static_cast<size_t>(length), '\0');
        glGetProgramInfoLog(program, length, nullptr, messages.data());
        log += messages.c_str();
    }
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

uint32_t FixedVariantOf(bool lit, bool specular, bool textured, bool alphaTest, bool screen) {
    // Screen vertices are never lit; without lighting there is no specular.
    lit = lit && !screen;
    specular = specular && lit;
    return (lit ? kFixedLit : 0) | (specular ? kFixedSpecular : 0) | (textured ? kFixedTextured : 0) |
           (alphaTest ? kFixedAlphaTest : 0) | (screen ? kFixedScreen : 0);
}

GLuint CreateFixedFunctionProgram(uint32_t variant, std::string& log, GlslDialect dialect) {
    auto define = [variant](const char* name, uint32_t bit) {
        return std::string("#define ") + name + ((variant & bit) ? " 1\n" : " 0\n");
    };
    const std::string head = std::string(ShaderHeader(dialect)) + define("LIT", kFixedLit) + define("SPECULAR", kFixedSpecular) +
                             define("TEXTURED", kFixedTextured) + define("ALPHA_TEST", kFixedAlphaTest) +
                             define("SCREEN", kFixedScreen) + kBlock;
    GLuint program = LinkProgram(head + kFixedVertex, head + kFixedFragment, {}, log);
    if (!program) return 0;
    glUniformBlockBinding(program, glGetUniformBlockIndex(program, "FixedFunction"), kFixedFunctionBinding);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "stage0"), 0);
    glUseProgram(0);
    return program;
}

GLuint CreateVertexShaderProgram(const std::string& source, std::string& log, GlslDialect dialect) {
    int restLine = 1;
    const std::string rest = WithoutVersion(source, restLine);
    // The shader's own main is renamed and called from one that converts
    // Direct3D clip space (z 0..w, pixel centres on integers) to GL's.
    const std::string wrapped = std::string(ShaderHeader(dialect)) + "#define main rpShaderMain\n#line " + std::to_string(restLine) + "\n" +
                                rest +
                                "\n#undef main\n"
                                "uniform vec2 rpPixelOffset;\n"
                                "void main() {\n"
                                "    rpShaderMain();\n"
                                "    gl_Position = vec4(gl_Position.xy + rpPixelOffset * gl_Position.w,\n"
                                "                       2.0 * gl_Position.z - gl_Position.w, gl_Position.w);\n"
                                "}\n";
    return LinkProgram(wrapped, std::string(ShaderHeader(dialect)) + kColorFragment,
                       {{0, "position"}, {kAttrShaderNormal0, "normal0"}, {kAttrShaderNormal0 + 1, "normal1"},
                        {kAttrShaderNormal0 + 2, "normal2"}},
                       log);
}
