// Pixels drawn by the particle program: coverage, blending, the opaque-only pass, under-cut,
// atlas cells, cylinder scaling, trails, filtering and the export composition with the mask.

#include "gl_test_support.h"
#include "render/atlas.h"
#include "render/export_targets.h"
#include "render/obj_mesh.h"
#include "support/test_notifiers.h"

#include <cmath>

namespace vintrel::test {
namespace {

using ParticleShader = GlDrawingTest;

int countDrawn(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).alpha() != 0 ? 1 : 0;
        }
    }
    return count;
}

QImage quadrantTexture() {
    QImage image(2, 2, QImage::Format_RGBA8888);
    image.setPixelColor(0, 0, QColor(255, 0, 0));     // top left: red
    image.setPixelColor(1, 0, QColor(0, 255, 0));     // top right: green
    image.setPixelColor(0, 1, QColor(0, 0, 255));     // bottom left: blue
    image.setPixelColor(1, 1, QColor(255, 255, 255)); // bottom right: white
    return image;
}

TEST_F(ParticleShader, OpaqueBillboardCoversTheProjectedSquareExactly) {
    clear(0, 0, 0, 0);
    GpuStates::setDepth(GpuStates::Depth::TestAndWrite);
    meshes[0]->draw(programs, viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, false));
    const QImage image = target.read();
    // The CPU's projection of the corner (0.5, 0.5, 0) lands where the GPU stops drawing.
    const Vec3 corner = transformCoord(Vec3{0.5f, 0.5f, 0}, camera.view * camera.projection);
    const float rightEdge = (corner.x + 1.0f) / 2.0f * kSize;
    EXPECT_NEAR(rightEdge, 45.86f, 0.01f);
    EXPECT_EQ(countDrawn(image), 28 * 28);
    for (int i : {18, 45}) {
        EXPECT_EQ(pixel(image, i, 32).r, 255) << "column " << i;
        EXPECT_EQ(pixel(image, 32, i).r, 255) << "row " << i;
    }
    for (int i : {17, 46}) {
        EXPECT_EQ(pixel(image, i, 32).a, 0) << "column " << i;
        EXPECT_EQ(pixel(image, 32, i).a, 0) << "row " << i;
    }
}

TEST_F(ParticleShader, NormalAndAdditiveBlendingDiffer) {
    for (const auto& [mode, expected] : {std::pair{BlendMode::Alpha, Rgba{128, 0, 128, 191}},
                                         std::pair{BlendMode::Additive, Rgba{128, 0, 255, 191}}}) {
        clear(0, 0, 1, 1);
        GpuStates::setDepth(GpuStates::Depth::Test);
        GpuStates::setBlend(mode);
        meshes[1]->draw(programs, viewDraw(Mat4::identity(), Vec4{1, 0, 0, 0.5f}, true));
        // Colour: red x 0.5 plus blue x 0.5 (normal) or x 1 (additive); alpha 0.5 + 1 x 0.5.
        expectNear(pixel(target.read(), 32, 32), expected, 1,
                   mode == BlendMode::Alpha ? "normal" : "additive");
    }
    GpuStates::setBlend(BlendMode::Alpha);
}

TEST_F(ParticleShader, OpaquePassDropsATexelOfAlpha254) {
    QImage almostOpaque(1, 1, QImage::Format_RGBA8888);
    almostOpaque.setPixelColor(0, 0, QColor(255, 255, 255, 254));
    const gl::Texture texture = uploadTexture(almostOpaque);
    for (bool alphaPass : {false, true}) {
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::depthForPass(!alphaPass));
        PrimitiveDraw draw = viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, alphaPass);
        draw.texture = texture.id();
        meshes[1]->draw(programs, draw);
        EXPECT_EQ(countDrawn(target.read()) > 0, alphaPass) << (alphaPass ? "alpha pass" : "opaque pass");
    }
}

TEST_F(ParticleShader, UnderCutHidesWhatLiesBelowTheFloorInTheView) {
    for (int underCut : {0, 1}) {
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::Depth::Test);
        PrimitiveDraw draw = viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, true);
        draw.underCut = underCut;
        meshes[1]->draw(programs, draw);
        const QImage image = target.read();
        EXPECT_EQ(pixel(image, 32, 25).a, 255) << "above the floor, under-cut " << underCut;
        EXPECT_EQ(pixel(image, 32, 40).a, underCut != 0 ? 0 : 255)
            << "below the floor, under-cut " << underCut;
    }
}

TEST_F(ParticleShader, TextureIsUprightAndAtlasCellsCountLeftToRightThenDown) {
    const gl::Texture texture = uploadTexture(quadrantTexture());
    struct Case {
        float animPosition;
        bool atlas;
        Rgba topLeft, bottomRight;
    };
    const Case cases[] = {{0, false, {255, 0, 0, 255}, {255, 255, 255, 255}},
                          {1, true, {0, 255, 0, 255}, {0, 255, 0, 255}},
                          {2, true, {0, 0, 255, 255}, {0, 0, 255, 255}},
                          {3, true, {255, 255, 255, 255}, {255, 255, 255, 255}}};
    for (const Case& c : cases) {
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::Depth::TestAndWrite);
        PrimitiveDraw draw = viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, false);
        draw.texture = texture.id();
        draw.nonLinear = true;
        if (c.atlas) {
            draw.textureMatrix = atlasTextureMatrix(2, 2, c.animPosition);
        }
        meshes[0]->draw(programs, draw);
        const QImage image = target.read();
        expectNear(pixel(image, 20, 20), c.topLeft, 0, "top left");
        expectNear(pixel(image, 43, 43), c.bottomRight, 0, "bottom right");
    }
}

TEST_F(ParticleShader, FilteringFollowsTheProjectSettingFromTheNextDraw) {
    QImage blackWhite(2, 1, QImage::Format_RGBA8888);
    blackWhite.setPixelColor(0, 0, QColor(0, 0, 0));
    blackWhite.setPixelColor(1, 0, QColor(255, 255, 255));
    const gl::Texture texture = uploadTexture(blackWhite);
    auto middleRed = [&](bool nonLinear) {
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::Depth::TestAndWrite);
        PrimitiveDraw draw = viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, false);
        draw.texture = texture.id();
        draw.nonLinear = nonLinear;
        meshes[1]->draw(programs, draw);
        return pixel(target.read(), 31, 32).r;
    };
    const int linear = middleRed(false);
    EXPECT_GT(linear, 20);
    EXPECT_LT(linear, 235);
    const int point = middleRed(true);
    EXPECT_TRUE(point == 0 || point == 255) << point;
    EXPECT_EQ(middleRed(false), linear);
}

// Width in pixels of the drawn run on one row.
int rowWidth(const QImage& image, int y) {
    int width = 0;
    for (int x = 0; x < image.width(); ++x) {
        width += image.pixelColor(x, y).alpha() != 0 ? 1 : 0;
    }
    return width;
}

TEST_F(ParticleShader, CylinderTakesTheBaseScaleAtZeroAndTheTipScaleElsewhere) {
    // Looking down on the tube from above: its base (z = 0) towards the top of the image, its
    // tip (z = -1) towards the bottom.
    camera.eye = Vec3{0, 3, -0.5f};
    camera.target = Vec3{0, 0, -0.5f};
    camera.up = Vec3{0, 0, 1};
    camera.update(1.0f);
    // Seen from 3 units, a diameter of 2 spans about 37 pixels.
    const double wide = 2.0 / (2 * 3 * std::tan(kPi / 6)) * kSize;
    for (bool wideBase : {true, false}) {
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::Depth::Off);
        PrimitiveDraw draw = viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, true);
        draw.baseScale = wideBase ? matrixScaling(2, 2, 1) : matrixScaling(0.5f, 0.5f, 1);
        draw.tipScale = wideBase ? matrixScaling(0.5f, 0.5f, 1) : matrixScaling(2, 2, 1);
        meshes[3]->draw(programs, draw);
        const QImage image = target.read();
        int widestRow = 0;
        for (int y = 1; y < kSize; ++y) {
            widestRow = rowWidth(image, y) > rowWidth(image, widestRow) ? y : widestRow;
        }
        EXPECT_NEAR(rowWidth(image, widestRow), wide, 3) << (wideBase ? "wide base" : "wide tip");
        EXPECT_EQ(widestRow < kSize / 2, wideBase) << "widest row " << widestRow;
    }
}

TEST_F(ParticleShader, TrailNeedsFourHistoryPointsForItsFirstQuad) {
    auto& trail = static_cast<TrailPrimitive&>(*meshes[4]);
    std::deque<Vec4> history;
    for (int points = 1; points <= 4; ++points) {
        history.push_back(Vec4{-0.6f + 0.4f * static_cast<float>(points - 1), 0, 0, 0.5f});
        trail.rebuild(history, camera.eye, false);
        clear(0, 0, 0, 0);
        GpuStates::setDepth(GpuStates::Depth::Off);
        trail.draw(programs, viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, true));
        const int drawn = countDrawn(target.read());
        if (points < 4) {
            EXPECT_EQ(drawn, 0) << points << " points";
        } else {
            // The ribbon runs from the oldest point to the third-newest: x -0.6 .. -0.2.
            EXPECT_GT(drawn, 0) << points << " points";
            EXPECT_EQ(pixel(target.read(), 40, 32).a, 0);
        }
    }
}

TEST_F(ParticleShader, ModelDrawLeavesDepthTestOnWithWritesOff) {
    ObjMesh mesh;
    mesh.upload(parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    clear(0, 0, 0, 0);
    GpuStates::setDepth(GpuStates::Depth::Off);
    mesh.draw(programs, viewDraw(Mat4::identity(), Vec4{1, 1, 1, 1}, true));
    GLboolean writes = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(writes, GL_FALSE);
    // Mirrored in x: the file's triangle lies at x <= 0, left of the centre seen from -z.
    const QImage image = target.read();
    EXPECT_EQ(pixel(image, 28, 30).a, 255);
    EXPECT_EQ(pixel(image, 36, 30).a, 0);
}

class ExportComposition : public GlDrawingTest {
protected:
    void SetUp() override {
        GlDrawingTest::SetUp();
        QImage mask(kSize, kSize, QImage::Format_ARGB32);
        mask.fill(QColor(0, 0, 0, 255));
        ASSERT_TRUE(targets.create(kSize, kSize, mask, notifier));
        noMask = solidTexture(0, 0, 0, 0);
    }

    // Fills the export target (and its copy) with `d`, then draws a square with colour `c`.
    Rgba compose(Vec4 d, Vec4 c, bool alphaPass, bool additive, float z = 0, int underCut = 0) {
        targets.main().bind();
        glClearColor(d.x, d.y, d.z, d.w);
        glClear(GL_COLOR_BUFFER_BIT);
        targets.syncCopy();
        targets.main().bind();
        glActiveTexture(GL_TEXTURE0 + kUnitTarget);
        glBindTexture(GL_TEXTURE_2D, targets.copy().colorTexture());
        glActiveTexture(GL_TEXTURE0 + kUnitMask);
        glBindTexture(GL_TEXTURE_2D, maskOn ? targets.maskTexture() : noMask.id());
        GpuStates::setBlend(BlendMode::Opaque);
        GpuStates::setDepth(GpuStates::Depth::Off);
        PrimitiveDraw draw = viewDraw(matrixTranslation(0, 0, z), c, alphaPass);
        draw.exporting = true;
        draw.additive = additive;
        draw.underCut = underCut;
        draw.afterStrip = [this](const PixelRect&) { targets.syncCopy(); };
        meshes[1]->draw(programs, draw);
        GpuStates::setBlend(BlendMode::Alpha);
        return pixel(targets.main().read(), 32, 28);
    }

    RecordingNotifier notifier;
    ExportTargets targets;
    gl::Texture noMask;
    bool maskOn = false;
};

TEST_F(ExportComposition, FragmentOverATransparentTargetIsWrittenUnchanged) {
    expectNear(compose({0, 0, 0, 0}, {1, 0, 0, 0.5f}, true, false), {255, 0, 0, 128}, 1, "alpha");
    expectNear(compose({0, 0, 0, 0}, {1, 0, 0, 0.5f}, true, true), {255, 0, 0, 128}, 1, "additive");
}

TEST_F(ExportComposition, AlphaOverAlphaUsesStraightAlpha) {
    // Ar = 0.5 + 0.5 x 0.5 = 0.75; red = 0.5 / 0.75, blue = 0.25 / 0.75.
    expectNear(compose({0, 0, 1, 0.5f}, {1, 0, 0, 0.5f}, true, false), {170, 0, 85, 191}, 1, "over");
}

TEST_F(ExportComposition, AdditiveSumsWeightedColoursAndAlphas) {
    expectNear(compose({0, 0, 1, 0.5f}, {1, 0, 0, 0.5f}, true, true), {128, 0, 128, 255}, 1, "alpha add");
    expectNear(compose({0, 0, 1, 0.5f}, {1, 0, 0, 1}, false, true), {255, 0, 128, 255}, 1, "opaque add");
}

TEST_F(ExportComposition, OpaqueEntriesDropTranslucentFragments) {
    expectNear(compose({0, 0, 1, 1}, {1, 0, 0, 254.0f / 255.0f}, false, false), {0, 0, 255, 255}, 0,
               "non-alpha");
    expectNear(compose({0, 0, 1, 1}, {1, 0, 0, 254.0f / 255.0f}, false, true), {0, 0, 255, 255}, 0,
               "non-alpha add");
}

TEST_F(ExportComposition, UnderCutDiscardsBelowTheFloor) {
    targets.main().bind();
    const Rgba above = compose({0, 0, 1, 1}, {1, 0, 0, 1}, true, false, 0, 1);
    expectNear(above, {255, 0, 0, 255}, 0, "above the floor");
    compose({0, 0, 1, 1}, {1, 0, 0, 1}, true, false, 0, 1);
    expectNear(pixel(targets.main().read(), 32, 40), {0, 0, 255, 255}, 0, "below the floor keeps the target");
}

TEST_F(ExportComposition, MaskHidesOnlyWhatLiesBehindTheZeroPlane) {
    maskOn = true;
    EXPECT_EQ(compose({0, 0, 0, 0}, {1, 0, 0, 1}, true, false, -0.5f).a, 255);
    EXPECT_EQ(compose({0, 0, 0, 0}, {1, 0, 0, 1}, true, false, 0.5f).a, 0);
}

TEST_F(ExportComposition, TargetsThatCannotBeMadeAreReportedAndNothingStays) {
    ExportTargets huge;
    EXPECT_FALSE(huge.create(1 << 20, 16, QImage(), notifier));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "書き出し用レンダーターゲット作成失敗");
    EXPECT_FALSE(huge.ready());
}

} // namespace
} // namespace vintrel::test
