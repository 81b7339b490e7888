// Every program the device builds also compiles as GLSL ES 3.00, the
// browser build's dialect, where this driver accepts that dialect.
#include "gl_fixture.h"

#include <fstream>
#include <sstream>

#include "platform/gl/gl_programs.h"

namespace {

class GlDialectTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        GLuint probe = glCreateShader(GL_VERTEX_SHADER);
        const char* text = "#version 300 es\nvoid main() { gl_Position = vec4(0.0); }\n";
        glShaderSource(probe, 1, &text, nullptr);
        glCompileShader(probe);
        GLint ok = GL_FALSE;
        glGetShaderiv(probe, GL_COMPILE_STATUS, &ok);
        glDeleteShader(probe);
        if (!ok) GTEST_SKIP() << "this driver compiles no GLSL ES 3.00";
    }
};

TEST_F(GlDialectTest, EveryFixedFunctionVariantCompilesInBothDialects) {
    for (GlslDialect dialect : {GlslDialect::Desktop330, GlslDialect::Es300})
        for (uint32_t variant = 0; variant < kFixedVariantCount; ++variant) {
            std::string log;
            GLuint program = CreateFixedFunctionProgram(variant, log, dialect);
            EXPECT_NE(program, 0u) << "variant " << variant << " in dialect " << int(dialect) << ":\n" << log;
            glDeleteProgram(program);
        }
}

TEST_F(GlDialectTest, TheOutlineShaderCompilesInBothDialects) {
    std::ifstream file(ROCKPILE_OUTLINE_SHADER);
    ASSERT_TRUE(file) << ROCKPILE_OUTLINE_SHADER;
    std::stringstream source;
    source << file.rdbuf();
    for (GlslDialect dialect : {GlslDialect::Desktop330, GlslDialect::Es300}) {
        std::string log;
        GLuint program = CreateVertexShaderProgram(source.str(), log, dialect);
        EXPECT_NE(program, 0u) << "dialect " << int(dialect) << ":\n" << log;
        glDeleteProgram(program);
    }
}

}  // namespace
