#pragma once

// An off-screen OpenGL context with the particle programs and a small target, for tests that
// draw and read pixels back.

#include "platform/egl_context.h"
#include "render/camera.h"
#include "render/gpu_states.h"
#include "render/primitive.h"
#include "render/render_target.h"
#include "render/shader_programs.h"
#include "render/texture.h"
#include "support/result_checks.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vintrel::test {

inline HeadlessGlContext* sharedGlContext() {
    static Result<std::unique_ptr<HeadlessGlContext>> context = HeadlessGlContext::create();
    if (!context) {
        ADD_FAILURE() << "no headless OpenGL context: " << untranslated(context.error());
        return nullptr;
    }
    return context->get();
}

// The camera at (0, 0, -2) looking at the origin along +z with y up, square aspect: the unit
// square at the origin then covers pixels 18..45 of a 64 x 64 target in both directions.
inline Camera frontCamera() {
    Camera camera;
    camera.eye = Vec3{0, 0, -2};
    camera.target = Vec3{0, 0, 0};
    camera.up = Vec3{0, 1, 0};
    camera.update(1.0f);
    return camera;
}

struct Rgba {
    int r, g, b, a;
};

inline Rgba pixel(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return Rgba{c.red(), c.green(), c.blue(), c.alpha()};
}

inline void expectNear(const Rgba& actual, const Rgba& expected, int tolerance, const char* what) {
    EXPECT_NEAR(actual.r, expected.r, tolerance) << what;
    EXPECT_NEAR(actual.g, expected.g, tolerance) << what;
    EXPECT_NEAR(actual.b, expected.b, tolerance) << what;
    EXPECT_NEAR(actual.a, expected.a, tolerance) << what;
}

class GlDrawingTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        ASSERT_NE(sharedGlContext(), nullptr);
        ASSERT_TRUE(sharedGlContext()->makeCurrent());
        GpuStates::prepareContext();
        ASSERT_TRUE(test::succeeded(programs.build()));
        ASSERT_TRUE(target.create(kSize, kSize));
        meshes = createFixedMeshes();
        white = solidTexture(255, 255, 255, 255);
        camera = frontCamera();
    }

    void clear(float r, float g, float b, float a) {
        target.bind();
        glClearColor(r, g, b, a);
        glClearDepth(1.0);
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // A view draw of `mesh` with a white texture unless told otherwise.
    PrimitiveDraw viewDraw(const Mat4& world, Vec4 color, bool alphaPass) {
        PrimitiveDraw draw;
        draw.camera = &camera;
        draw.world = world;
        draw.color = color;
        draw.texture = white.id();
        draw.alphaPass = alphaPass;
        draw.targetWidth = kSize;
        draw.targetHeight = kSize;
        return draw;
    }

    ShaderPrograms programs;
    RenderTarget target;
    std::array<std::unique_ptr<Primitive>, 5> meshes;
    gl::Texture white;
    Camera camera;
};

} // namespace vintrel::test
