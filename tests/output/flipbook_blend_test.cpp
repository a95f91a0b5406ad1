// A flipbook's in-between pictures: a square that moves 8 pixels to the right from frame A to
// frame B, with both frames' motion saying so.

#include "output/flipbook_blend.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kSide = 32;
constexpr double kStrength = 0.5;

QImage squareAt(int left) {
    QImage frame(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    for (int y = 12; y < 20; ++y) {
        for (int x = left; x < left + 8; ++x) {
            frame.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    }
    return frame;
}

// 8 pixels right, a quarter of the frame: 128 + 0.25 / (2 * 0.5) * 255, rounded.
QImage motionRight() {
    QImage motion(kSide, kSide, QImage::Format_ARGB32);
    motion.fill(qRgba(192, 128, 0, 255));
    return motion;
}

struct Seen {
    double centreX = 0; // opacity-weighted
    int mostOpaque = 0;
};

Seen look(const QImage& image) {
    Seen seen;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            seen.centreX += alpha * (x + 0.5);
            weight += alpha;
            seen.mostOpaque = std::max(seen.mostOpaque, alpha);
        }
    }
    seen.centreX /= weight;
    return seen;
}

TEST(FlipbookBlend, EachWayShowsTheTimeBetweenTwoFrames) {
    const QImage a = squareAt(4);
    const QImage b = squareAt(12);
    const QImage motion = motionRight();
    const struct {
        FlipbookBlend blend;
        double t;
        double centreX;
        int mostOpaque;
    } cases[] = {
        {FlipbookBlend::Hold, 0.5, 8.0, 255},       // still frame A
        {FlipbookBlend::Crossfade, 0.0, 8.0, 255},  // A
        {FlipbookBlend::Crossfade, 1.0, 16.0, 255}, // B
        {FlipbookBlend::Crossfade, 0.5, 12.0, 128}, // two faint squares
        {FlipbookBlend::Motion, 0.5, 12.0, 255},    // one square half way
        {FlipbookBlend::Motion, 0.25, 10.0, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "blend " << static_cast<int>(c.blend) << " at " << c.t);
        const Seen seen = look(flipbookFrame(a, b, motion, motion, c.t, kStrength, c.blend));
        EXPECT_NEAR(seen.centreX, c.centreX, 0.1);
        EXPECT_NEAR(seen.mostOpaque, c.mostOpaque, 1);
    }
}

TEST(FlipbookBlend, MotionWithoutVectorsFadesAndHoldKeepsTheFrame) {
    const QImage a = squareAt(4);
    const QImage b = squareAt(12);
    EXPECT_EQ(flipbookFrame(a, b, QImage(), QImage(), 0.5, kStrength, FlipbookBlend::Motion),
              flipbookFrame(a, b, QImage(), QImage(), 0.5, kStrength, FlipbookBlend::Crossfade));
    EXPECT_EQ(flipbookFrame(a, b, QImage(), QImage(), 0.9, kStrength, FlipbookBlend::Hold), a);
}

} // namespace
} // namespace vintrel
