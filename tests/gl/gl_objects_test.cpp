// The names of a context's objects: all deleted when the device lets go of
// the context, each only once.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gl/gl_context.h"
#include "platform/gl/gl_objects.h"
#include "platform/gl/gl_state.h"
#include "platform/sdl_window.h"

namespace {

class GlObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = OpenNativeWindow("gl objects", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << "no SDL window (run under xvfb-run)";
        std::string error;
        context_ = CreateGlContext(window_, 3, 3, error);
        ASSERT_NE(context_, nullptr) << error;
        token_ = std::make_shared<GlContextToken>(context_);
    }
    void TearDown() override {
        token_.reset();
        if (context_) {
            SDL_GL_MakeCurrent(window_, nullptr);
            ReleaseGlContext(context_);
        }
        if (window_) ReleaseNativeWindow(window_);
    }

    static std::unique_ptr<Texture> SmallTexture() { return std::make_unique<Texture>(2, 2, 1, D3DFMT_A8R8G8B8); }
    GLuint Upload(const Texture& texture) { return SyncTexture(texture, token_, state_); }

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    GlContextRef token_;
    GlState state_;
};

TEST_F(GlObjectsTest, LettingGoDeletesEveryNameTheResourcesStillHold) {
    auto texture = SmallTexture();
    VertexBuffer vertices(64, D3DFVF_XYZ);
    IndexBuffer indices({0, 1, 2});
    const GLuint t = Upload(*texture);
    const GLuint v = SyncVertexBuffer(vertices, token_, state_);
    const GLuint i = SyncIndexBuffer(indices, token_, state_);
    ASSERT_TRUE(glIsTexture(t));
    ASSERT_TRUE(glIsBuffer(v));
    ASSERT_TRUE(glIsBuffer(i));

    token_->DeleteObjects();
    EXPECT_FALSE(glIsTexture(t));
    EXPECT_FALSE(glIsBuffer(v));
    EXPECT_FALSE(glIsBuffer(i));
}

TEST_F(GlObjectsTest, AResourceFreedFirstDeletesOnlyItsOwnName) {
    auto first = SmallTexture(), second = SmallTexture();
    const GLuint a = Upload(*first), b = Upload(*second);
    first.reset();
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_TRUE(glIsTexture(b));

    token_->DeleteObjects();
    EXPECT_FALSE(glIsTexture(b));
}

// Its object no longer holds the deleted name: it neither draws with it nor
// deletes it again.
TEST_F(GlObjectsTest, AResourceIsUploadedAgainAfterItsNamesWereDeleted) {
    auto texture = SmallTexture();
    const GLuint old = Upload(*texture);
    token_->DeleteObjects();
    const GLuint again = Upload(*texture);
    EXPECT_NE(again, old);
    EXPECT_TRUE(glIsTexture(again));
}

}  // namespace
