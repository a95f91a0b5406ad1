// The extra channels of an export, read back as a game would: the motion sheet warps a frame
// into the next, a still particle writes exactly no motion, the emissive layer and the rest
// recompose the colour, the depth orders particles by distance, and the data file names them.

#include "engine/simulation.h"
#include "output/export_channels.h"
#include "output/export_loop.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "persist/project_file.h"
#include "render/gl_test_support.h"
#include "render/renderer.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

class QuietProgress final : public ExportProgress {
public:
    void begin(int) override {}
    void step() override {}
    bool cancelRequested() override { return false; }
};

// Premultiplied RGBA of a straight pixel, 0..255 each.
std::array<double, 4> premultiplied(QRgb pixel) {
    const double a = qAlpha(pixel) / 255.0;
    return {qRed(pixel) * a, qGreen(pixel) * a, qBlue(pixel) * a, static_cast<double>(qAlpha(pixel))};
}

// Mean absolute difference of two frames, premultiplied, over every pixel and channel.
double meanAbsoluteError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const auto p = premultiplied(a.pixel(x, y));
            const auto q = premultiplied(b.pixel(x, y));
            for (int c = 0; c < 4; ++c) {
                sum += std::fabs(p[c] - q[c]);
            }
        }
    }
    return sum / (4.0 * a.width() * a.height());
}

// Frame `image` at (x, y) in pixels, bilinear between the pixel centres, premultiplied; outside
// the frame transparent.
std::array<double, 4> sampleBilinear(const QImage& image, double x, double y) {
    std::array<double, 4> sum{};
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const double weight = (dx == 0 ? 1 - (x - x0) : x - x0) * (dy == 0 ? 1 - (y - y0) : y - y0);
            if (weight > 0 && image.rect().contains(x0 + dx, y0 + dy)) {
                const auto p = premultiplied(image.pixel(x0 + dx, y0 + dy));
                for (int c = 0; c < 4; ++c) {
                    sum[c] += weight * p[c];
                }
            }
        }
    }
    return sum;
}

// The reference warp, as a flipbook shader moves frame k on towards frame k + 1: each pixel
// takes frame k from where its vector says the content came from.
QImage warpByMotion(const QImage& frame, const QImage& motion, double strength) {
    QImage estimate(frame.size(), QImage::Format_ARGB32_Premultiplied);
    const auto decode = [strength](int value) { return (value - 128) / 255.0 * 2.0 * strength; };
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb vector = motion.pixel(x, y);
            const auto p = sampleBilinear(frame, x - decode(qRed(vector)) * frame.width(),
                                          y - decode(qGreen(vector)) * frame.height());
            estimate.setPixel(x, y, qRgba(static_cast<int>(std::lround(p[0])), static_cast<int>(std::lround(p[1])),
                                          static_cast<int>(std::lround(p[2])), static_cast<int>(std::lround(p[3]))));
        }
    }
    return estimate.convertToFormat(QImage::Format_ARGB32);
}

QImage load(const fs::path& file) {
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
}

class ChannelExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test::sharedGlContext(), nullptr);
        ASSERT_TRUE(test::sharedGlContext()->makeCurrent());
        workspace = folder.path() / "work";
        test::startProject(g, workspace);
    }

    void loadSample(const char* name) {
        const BuiltInProjectDefaults defaults;
        ASSERT_TRUE(loadProject(g, fs::path(VINTREL_SOURCE_DIR) / "samples" / name, defaults, notifier));
    }

    // The new project's node, as one particle born at frame 1 that lives past the export.
    EffectNode& oneParticle() {
        EffectNode& n = *g.rootNode->m_children.front();
        n.m_timing = TimingParams{};
        n.m_timing.start = 1;
        n.m_timing.end = 1;
        n.m_timing.num = 1;
        n.m_emitter.size = FloatXYZ{0, 0, 0};
        n.m_kill.span = 200;
        n.m_move.speed = 0;
        return n;
    }

    // A second node under the root with the settings of `like`.
    EffectNode& sibling(const EffectNode& like) {
        EffectNode& n = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
        n.m_emitter = like.m_emitter;
        n.m_timing = like.m_timing;
        n.m_kill = like.m_kill;
        n.m_move = like.m_move;
        n.m_shape = like.m_shape;
        n.m_texture = like.m_texture;
        n.m_scale = like.m_scale;
        return n;
    }

    // Exports `count` frames from `start` at `width` x 3/4 of it, supersampled `smoothing` times
    // (the intermediate frames keep the supersampled size).
    ExportRun exportFrames(ExportChannels channels, int start, int count, int width = 64, int smoothing = 1) {
        g.project.width = width;
        g.project.height = width * 3 / 4;
        g.write.type = 0;
        g.write.smooth = smoothing;
        g.write.start = start;
        g.write.end = start + count - 1;
        g.write.step = 1;
        g.exportExtras.channels = channels;
        simulation = std::make_unique<Simulation>(g);
        renderer = Renderer::create(g, *simulation, g.viewCamera).value_or(nullptr);
        EXPECT_NE(renderer, nullptr);
        if (renderer == nullptr) {
            return {};
        }
        beginExportSize(g);
        QuietProgress progress;
        const ExportRun run = renderExportFrames(g, *simulation, *renderer, progress, notifier);
        EXPECT_EQ(run.outcome, ExportRun::Outcome::Completed);
        return run;
    }

    QImage colorFrame(int k) const { return load(intermediateFrame(g, k)); }
    QImage channelFrame(ExportChannel channel, int k) const {
        char name[16];
        std::snprintf(name, sizeof name, "%05d.png", k);
        return load(channelFolder(renderFolder(g), channel) / name);
    }

    // The warp's error and frame k's own error against frame k + 1, summed over the export.
    std::pair<double, double> warpErrors(const ExportRun& run) const {
        double warped = 0;
        double unwarped = 0;
        for (int k = 0; k < run.lastIndex; ++k) {
            const QImage next = colorFrame(k + 1);
            warped += meanAbsoluteError(
                warpByMotion(colorFrame(k), channelFrame(ExportChannel::Motion, k), run.motionStrength), next);
            unwarped += meanAbsoluteError(colorFrame(k), next);
        }
        return {warped, unwarped};
    }

    test::TempDir folder;
    fs::path workspace;
    GlobalState g;
    test::RecordingNotifier notifier;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

constexpr ExportChannels kColorAndMotion = kColorOnly | channelBit(ExportChannel::Motion);

TEST_F(ChannelExport, MotionWarpsEachSampleCloserToItsNextFrame) {
    // Every frame of each sample at 256 x 192. The warp comes 40.2 % (fire), 58.8 % (sparks) and
    // 45.4 % (magic circle) closer; what is left is what no vector moves: births, colours fading
    // over a life, and fire's many overlapping additive particles, each with its own motion.
    const struct {
        const char* sample;
        double closer; // at least this share of frame k's own error is gone
    } cases[] = {{"fire.stn", 0.40}, {"sparks.stn", 0.40}, {"magic_circle.stn", 0.40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        loadSample(c.sample);
        const ExportRun run = exportFrames(kColorAndMotion, 1, g.project.frame, 128, 2);
        ASSERT_EQ(run.lastIndex, g.project.frame - 1);
        const auto [warped, unwarped] = warpErrors(run);
        EXPECT_GT(unwarped, 0);
        EXPECT_LE(warped, (1 - c.closer) * unwarped) << "warped " << warped << ", frame k alone " << unwarped;
    }
}

TEST_F(ChannelExport, FastParticleMovesByItsVectorAndAStillOneWritesNoMotion) {
    EffectNode& n = oneParticle();
    n.m_move.isOneWay = 1;
    n.m_move.dirX = 90;
    n.m_move.dirY = 90;
    n.m_move.speed = 60;
    n.m_scale.max = 10;
    const ExportRun fast = exportFrames(kColorAndMotion, 2, 6, 128);
    ASSERT_EQ(fast.lastIndex, 5);
    const auto [warped, unwarped] = warpErrors(fast);
    EXPECT_GT(unwarped, 0);
    EXPECT_LE(warped, 0.6 * unwarped) << "warped " << warped << ", frame k alone " << unwarped;

    n.m_move.speed = 0;
    const ExportRun still = exportFrames(kColorAndMotion, 2, 3);
    ASSERT_EQ(still.lastIndex, 2);
    for (int k = 0; k <= still.lastIndex; ++k) {
        const QImage color = colorFrame(k);
        const QImage motion = channelFrame(ExportChannel::Motion, k);
        int covered = 0;
        for (int y = 0; y < motion.height(); ++y) {
            for (int x = 0; x < motion.width(); ++x) {
                covered += qAlpha(color.pixel(x, y)) > 0 ? 1 : 0;
                ASSERT_EQ(motion.pixel(x, y), qRgba(128, 128, 0, 255)) << x << ", " << y << " of frame " << k;
            }
        }
        EXPECT_GT(covered, 0);
    }
}

TEST_F(ChannelExport, EmissiveLayerAndTheRestRecomposeTheColour) {
    // An alpha-blended particle behind an additive one that overlaps it: drawn back to front,
    // the additive light lands on top, where the layers add up.
    EffectNode& back = oneParticle();
    back.m_scale.max = 40;
    back.m_emitter.pos = FloatXYZ{-1, 0, 3};
    EffectNode& front = sibling(back);
    front.m_texture.isAdd = 1;
    front.m_emitter.pos = FloatXYZ{1, 0, -3};
    const ExportRun layered = exportFrames(kColorOnly | channelBit(ExportChannel::Emissive), 5, 1);
    const QImage color = colorFrame(0);
    const QImage emissive = channelFrame(ExportChannel::Emissive, 0);
    front.m_isDraw = 0;
    exportFrames(kColorOnly, 5, 1);
    const QImage rest = colorFrame(0);
    ASSERT_EQ(layered.lastIndex, 0);
    double worst = 0;
    int lit = 0;
    for (int y = 0; y < color.height(); ++y) {
        for (int x = 0; x < color.width(); ++x) {
            const auto c = premultiplied(color.pixel(x, y));
            const auto e = premultiplied(emissive.pixel(x, y));
            const auto r = premultiplied(rest.pixel(x, y));
            lit += qAlpha(emissive.pixel(x, y)) > 0 && qAlpha(rest.pixel(x, y)) > 0 ? 1 : 0;
            for (int ch = 0; ch < 4; ++ch) {
                worst = std::max(worst, std::fabs(std::min(255.0, e[ch] + r[ch]) - c[ch]));
            }
        }
    }
    EXPECT_GT(lit, 0) << "the layers overlap";
    EXPECT_LE(worst, 1.0);
}

TEST_F(ChannelExport, DepthOrdersTwoParticlesByTheirDistance) {
    EffectNode& nearer = oneParticle();
    nearer.m_scale.max = 6;
    nearer.m_emitter.pos = FloatXYZ{-2, 0, -5};
    EffectNode& farther = sibling(nearer);
    farther.m_emitter.pos = FloatXYZ{2, 0, 5};
    const ExportRun run = exportFrames(kColorOnly | channelBit(ExportChannel::Depth), 5, 1);
    ASSERT_EQ(run.lastIndex, 0);
    ASSERT_GT(run.depthFar, 0);
    const QImage depth = channelFrame(ExportChannel::Depth, 0);
    // The nearest and farthest opaque depth in each half of the frame.
    int leftDepth = 256;
    int rightDepth = 256;
    for (int y = 0; y < depth.height(); ++y) {
        for (int x = 0; x < depth.width(); ++x) {
            const QRgb pixel = depth.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                (x < depth.width() / 2 ? leftDepth : rightDepth) =
                    std::min(x < depth.width() / 2 ? leftDepth : rightDepth, qRed(pixel));
            }
        }
    }
    ASSERT_LT(leftDepth, 256);
    ASSERT_LT(rightDepth, 256);
    EXPECT_LT(leftDepth + 4, rightDepth);
}

TEST_F(ChannelExport, SheetDataNamesEveryChannelsSheetOfTheSameLayout) {
    loadSample("sparks.stn");
    g.exportExtras.atlas = AtlasFormat::TexturePackerHash;
    g.write.width = 4;
    const ExportChannels all = kColorOnly | channelBit(ExportChannel::Motion) | channelBit(ExportChannel::Emissive) |
                               channelBit(ExportChannel::Depth);
    const ExportRun run = exportFrames(all, 20, 8);
    g.write.height = sheetRowCount(g.write);
    const fs::path output = folder.path() / "sparks.png";
    ASSERT_TRUE(writeExportOutput(g, run, output, {}));
    QFile data(QString::fromStdString((folder.path() / "sparks.json").string()));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QJsonObject meta = QJsonDocument::fromJson(data.readAll()).object()["meta"].toObject();
    const QJsonObject channels = meta["channels"].toObject();
    EXPECT_EQ(channels["color"].toString(), "sparks.png");
    EXPECT_EQ(meta["motionStrength"].toDouble(), static_cast<double>(run.motionStrength));
    EXPECT_EQ(meta["depthRange"].toObject()["far"].toDouble(), static_cast<double>(run.depthFar));
    const QSize sheetSize = load(output).size();
    for (const char* channel : {"motion", "emissive", "depth"}) {
        const QString file = channels[channel].toString();
        EXPECT_EQ(file, QString("sparks_%1.png").arg(channel));
        EXPECT_EQ(load(folder.path() / file.toStdString()).size(), sheetSize) << channel;
    }
}

TEST_F(ChannelExport, ExtraChannelsLeaveTheColourFramesAsTheyWere) {
    // The magic circle sorts by distance and animates an atlas: both move on at every draw.
    loadSample("magic_circle.stn");
    exportFrames(kColorOnly, 20, 6);
    std::vector<QImage> alone;
    for (int k = 0; k < 6; ++k) {
        alone.push_back(colorFrame(k));
    }
    exportFrames(kColorOnly | channelBit(ExportChannel::Motion) | channelBit(ExportChannel::Emissive) |
                     channelBit(ExportChannel::Depth),
                 20, 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(colorFrame(k), alone[static_cast<std::size_t>(k)]) << "frame " << k;
    }
}

TEST(MotionFrame, VectorsReachOutAroundWhatWasDrawnAndNoFurther) {
    QImage drawn(9, 1, QImage::Format_RGBA8888);
    drawn.fill(Qt::transparent);
    drawn.setPixelColor(4, 0, QColor(200, 90, 77, 10)); // faint, but drawn: its vector stands
    const QImage flat = flattenMotionFrame(drawn, 2);
    const int expectedRed[9] = {128, 128, 200, 200, 200, 200, 200, 128, 128};
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(flat.pixel(x, 0), qRgba(expectedRed[x], expectedRed[x] == 128 ? 128 : 90, 0, 255)) << x;
    }
    // As far as the largest motion goes, within 1 .. 8 pixels.
    EXPECT_EQ(motionReach(0.02f, QSize(256, 192)), 6);
    EXPECT_EQ(motionReach(0.5f, QSize(256, 192)), kMostMotionReach);
    EXPECT_EQ(motionReach(1.0f / 256, QSize(64, 48)), 1);
}

TEST_F(ChannelExport, OutputsOtherThanTheSheetRefuseTheExtraChannels) {
    g.exportExtras.channels = kColorAndMotion;
    g.write.type = static_cast<int>(OutputKind::AnimatedGif);
    EXPECT_FALSE(checkChannelsFitOutput(g));
    EXPECT_EQ(drawnChannels(g), kColorOnly);
    g.write.type = static_cast<int>(OutputKind::Sheet);
    EXPECT_TRUE(checkChannelsFitOutput(g));
    EXPECT_EQ(drawnChannels(g), kColorAndMotion);
}

} // namespace
} // namespace vintrel
