// The glow: halo values of the direct formula at radius 1, the running-sum version against the
// direct one, guards on odd input, the composite, and the in-place file operation.

#include "output/glow.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QByteArray>
#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace vintrel::test {
namespace {

using Plane = std::vector<std::uint8_t>;

std::uint8_t at(const Plane& plane, int width, int x, int y) {
    return plane[static_cast<std::size_t>(y * width + x)];
}

// A plane of zeros with single opaque pixels.
Plane planeWithDots(int width, int height, std::initializer_list<std::pair<int, int>> dots) {
    Plane plane(static_cast<std::size_t>(width * height), 0);
    for (auto [x, y] : dots) {
        plane[static_cast<std::size_t>(y * width + x)] = 255;
    }
    return plane;
}

TEST(GlowHalo, FullDiscAtRadiusOne) {
    const Plane opaque(9, 255); // 3 x 3
    for (auto* halo : {&glowHalo, &glowHaloDirect}) {
        // The centre sees its whole disc (5 of the 9 window positions): 1275 div 9 = 141.
        EXPECT_EQ(at(halo(opaque, 3, 3, 1, 50), 3, 1, 1), 141);
        EXPECT_EQ(at(halo(opaque, 3, 3, 1, 100), 3, 1, 1), 255); // 282, limited
        // A corner sees 3 disc positions inside the image, still divided by 9: 765 div 9 = 85.
        EXPECT_EQ(at(halo(opaque, 3, 3, 1, 100), 3, 0, 0), 170);
        EXPECT_EQ(at(halo(opaque, 3, 3, 1, 50), 3, 2, 2), 85);
    }
}

TEST(GlowHalo, LonePixelAtRadiusOne) {
    const Plane dot = planeWithDots(5, 5, {{2, 2}});
    for (auto* halo : {&glowHalo, &glowHaloDirect}) {
        for (auto [strength, expected] : {std::pair{50, 28}, std::pair{100, 56}}) {
            const Plane h = halo(dot, 5, 5, 1, strength);
            EXPECT_EQ(at(h, 5, 2, 2), expected);
            EXPECT_EQ(at(h, 5, 1, 2), expected);
            EXPECT_EQ(at(h, 5, 3, 2), expected);
            EXPECT_EQ(at(h, 5, 2, 1), expected);
            EXPECT_EQ(at(h, 5, 2, 3), expected);
            EXPECT_EQ(at(h, 5, 1, 1), 0); // diagonal: outside the disc
            EXPECT_EQ(at(h, 5, 0, 2), 0);
        }
    }
}

TEST(GlowHalo, RadiusZeroScalesTheAlpha) {
    const Plane plane{0, 10, 99, 200, 255};
    EXPECT_EQ(glowHalo(plane, 5, 1, 0, 50), plane);
    EXPECT_EQ(glowHalo(plane, 5, 1, 0, 100), (Plane{0, 20, 198, 255, 255}));
    EXPECT_EQ(glowHaloDirect(plane, 5, 1, 0, 100), (Plane{0, 20, 198, 255, 255}));
}

TEST(GlowHalo, RunningSumsMatchTheDirectFormula) {
    std::mt19937 random(7);
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 23}, {23, 1}, {13, 9}, {32, 20}};
    for (auto [width, height] : sizes) {
        Plane plane(static_cast<std::size_t>(width * height));
        for (auto& a : plane) {
            // Mostly empty with some opaque and some partial pixels, as in a rendered frame.
            const unsigned roll = random() % 4;
            a = roll == 0 ? 255 : roll == 1 ? static_cast<std::uint8_t>(random() % 256) : 0;
        }
        for (int radius = 0; radius <= 20; ++radius) {
            for (int strength : {1, 50, 100, 300}) {
                ASSERT_EQ(glowHalo(plane, width, height, radius, strength),
                          glowHaloDirect(plane, width, height, radius, strength))
                    << width << "x" << height << " r" << radius << " p" << strength;
            }
        }
    }
}

TEST(GlowHalo, OddInput) {
    const Plane opaque(12, 255); // 4 x 3
    for (auto* halo : {&glowHalo, &glowHaloDirect}) {
        EXPECT_EQ(halo(opaque, 4, 3, -1, 100), Plane(12, 0));
        EXPECT_EQ(halo(opaque, 4, 3, 2, -5), Plane(12, 0));
        EXPECT_TRUE(halo(opaque, 5, 3, 1, 100).empty()); // size does not match
        EXPECT_TRUE(halo(opaque, 0, 3, 1, 100).empty());
        EXPECT_TRUE(halo(opaque, -4, -3, 1, 100).empty());
        // Huge radii: the window (2r+1)^2 dwarfs every sum, nothing overflows or hangs.
        EXPECT_EQ(halo(opaque, 4, 3, 1000000, 100), Plane(12, 0));
        EXPECT_EQ(halo(opaque, 4, 3, INT_MAX, INT_MAX), Plane(12, 0));
    }
    // A large strength lifts a small quotient to the limit.
    const Plane faint(9 * 9, 9); // every pixel 9: S div N = 9 * 81 div 361 = 2 at the centre, r = 9
    EXPECT_EQ(at(glowHalo(faint, 9, 9, 9, 100000), 9, 4, 4), 255);
    EXPECT_EQ(at(glowHalo(faint, 9, 9, 9, 100), 9, 4, 4), 4);
}

QImage transparentFrame(int width, int height) {
    QImage frame(width, height, QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    return frame;
}

TEST(GlowComposite, HaloBehindTheFrame) {
    QImage frame = transparentFrame(5, 5);
    const QRgb drawn = qRgba(10, 220, 30, 255);
    frame.setPixel(2, 2, drawn);
    const QImage out = applyGlow(frame, 255.9f, 0.5f, 255.0f, 1, 100);
    ASSERT_EQ(out.size(), frame.size());
    EXPECT_EQ(out.format(), QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(2, 2), drawn); // opaque frame pixel covers the halo
    for (auto [x, y] : {std::pair{1, 2}, std::pair{3, 2}, std::pair{2, 1}, std::pair{2, 3}}) {
        EXPECT_EQ(out.pixel(x, y), qRgba(255, 0, 255, 56)) << x << "," << y;
    }
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
}

TEST(GlowComposite, ColourKeptThroughPremultiplication) {
    QImage frame = transparentFrame(7, 7);
    frame.setPixel(3, 3, qRgba(0, 0, 0, 255));
    const QImage out = applyGlow(frame, 200.7f, 100.2f, 37.0f, 2, 300);
    // Radius 2: 13 disc positions, window 25; next to the dot 255 div 25 = 10 -> 20 * 3 = 60.
    const QRgb p = out.pixel(2, 3);
    EXPECT_EQ(qAlpha(p), 60);
    // The painting happens premultiplied, so the colour comes back as premultiplication rounds it.
    EXPECT_EQ(p, qUnpremultiply(qPremultiply(qRgba(200, 100, 37, 60))));
    EXPECT_NEAR(qGreen(p), 100, 2);
}

TEST(GlowComposite, NoGlowGivesTheFrame) {
    QImage frame = transparentFrame(4, 4);
    frame.setPixel(1, 1, qRgba(1, 2, 3, 255));
    for (auto [radius, strength] :
         {std::pair{0, 100}, std::pair{4, 0}, std::pair{-3, 100}, std::pair{3, -1}}) {
        EXPECT_EQ(applyGlow(frame, 255, 255, 255, radius, strength), frame);
    }
    EXPECT_TRUE(applyGlow(QImage(), 255, 255, 255, 2, 100).isNull());
}

std::string pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QImage decode(const std::string& bytes) {
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return image;
}

TEST(GlowFile, RewritesThePng) {
    TempDir dir;
    const auto path = dir.path() / "frame0001.png";
    QImage frame = transparentFrame(16, 12);
    frame.setPixel(5, 6, qRgba(250, 240, 230, 255));
    frame.setPixel(6, 6, qRgba(250, 240, 230, 128));
    writeFile(path, pngBytes(frame));
    applyGlowToFile(path, 30, 60, 90, 3, 150);
    const QImage saved = decode(readFile(path));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_ARGB32), applyGlow(frame, 30, 60, 90, 3, 150));
    // Nothing but the frame is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(GlowFile, UntouchedWithoutGlowOrOnBadInput) {
    TempDir dir;
    const auto path = dir.path() / "frame.png";
    QImage frame = transparentFrame(8, 8);
    frame.setPixel(3, 3, qRgba(255, 255, 255, 255));
    const std::string original = pngBytes(frame);
    writeFile(path, original);
    applyGlowToFile(path, 255, 0, 0, 0, 100);
    applyGlowToFile(path, 255, 0, 0, 5, 0);
    applyGlowToFile(path, 255, 0, 0, -5, -100);
    EXPECT_EQ(readFile(path), original);

    const auto garbage = dir.path() / "broken.png";
    writeFile(garbage, "\x89PNG not really");
    applyGlowToFile(garbage, 255, 0, 0, 3, 100);
    EXPECT_EQ(readFile(garbage), "\x89PNG not really");

    const auto missing = dir.path() / "missing.png";
    applyGlowToFile(missing, 255, 0, 0, 3, 100);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace vintrel::test
