// The mask picture: where its rectangle lands on the target (with smoothing, odd sizes and clipping),
// the cases that draw nothing, and finding the picture through the material list.

#include "output/mask_image.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QRect>
#include <climits>
#include <gtest/gtest.h>

namespace vintrel::test {
namespace {

QImage opaquePicture(int width, int height, QRgb colour = qRgb(200, 30, 40)) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

MaskSettings maskAt(int x, int y, int w, int h) {
    MaskSettings mask;
    mask.x = x;
    mask.y = y;
    mask.w = w;
    mask.h = h;
    return mask;
}

// The bounding box of the pixels that are not transparent; checks that every pixel inside it is
// fully opaque.
QRect opaqueArea(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            EXPECT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
        }
    }
    return box;
}

TEST(MaskImage, RectangleScalesWithSmoothing) {
    const QImage picture = opaquePicture(8, 4);
    const MaskSettings mask = maskAt(10, -5, 40, 20);
    const QImage single = buildMaskImage(picture, 100, 80, mask, 1);
    const QImage doubled = buildMaskImage(picture, 200, 160, mask, 2);
    ASSERT_EQ(single.size(), QSize(100, 80));
    EXPECT_EQ(single.format(), QImage::Format_ARGB32);
    // left 10 + 50 - 20, top -5 + 40 - 10
    EXPECT_EQ(opaqueArea(single), QRect(40, 25, 40, 20));
    // left 20 + 100 - 40, top -10 + 80 - 20
    EXPECT_EQ(opaqueArea(doubled), QRect(80, 50, 80, 40));
    EXPECT_EQ(single.pixel(50, 30), qRgb(200, 30, 40));
}

TEST(MaskImage, OddSizesTruncate) {
    const QImage picture = opaquePicture(3, 3);
    // left 0 + 50 - 20 = 30, top 1 + 3 - 3 = 1 (7 div 2 = 3)
    EXPECT_EQ(opaqueArea(buildMaskImage(picture, 101, 7, maskAt(0, 1, 41, 7), 1)), QRect(30, 1, 41, 6));
    // smoothing 3: left -3 + 50 - 22 = 25 (45 div 2), top 0 + 3 - 4 = -1, clipped at 0
    EXPECT_EQ(opaqueArea(buildMaskImage(picture, 101, 7, maskAt(-1, 0, 15, 3), 3)), QRect(25, 0, 45, 7));
}

TEST(MaskImage, ClippedAtTheTargetEdges) {
    QImage picture(40, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 40; ++x) {
        picture.setPixel(x, 0, qRgb(x * 6, 255 - x * 6, x % 2 ? 255 : 0));
        picture.setPixel(x, 1, qRgb(x * 3, 0, 100));
    }
    // The rectangle spans x -60..19 (three quarters outside) and y 5..14.
    const QImage image = buildMaskImage(picture, 40, 20, maskAt(-40, 0, 80, 10), 1);
    EXPECT_EQ(opaqueArea(image), QRect(0, 5, 20, 10));
    // What shows is the picture as it appears on a target wide enough for all of it.
    const QImage whole = buildMaskImage(picture, 160, 20, maskAt(-40, 0, 80, 10), 1);
    ASSERT_EQ(opaqueArea(whole), QRect(0, 5, 80, 10));
    for (int y = 5; y < 15; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(image.pixel(x, y), whole.pixel(x + 60, y)) << x << "," << y;
        }
    }
    // A rectangle far larger than the target covers all of it.
    const QImage covered = buildMaskImage(opaquePicture(4, 4), 30, 20, maskAt(0, 0, INT_MAX, INT_MAX), 2);
    EXPECT_EQ(opaqueArea(covered), QRect(0, 0, 30, 20));
}

TEST(MaskImage, NothingDrawn) {
    const QImage picture = opaquePicture(4, 4);
    const MaskSettings unsetWidth = maskAt(0, 0, MaskSettings::kUnset, 10);
    const MaskSettings unsetHeight = maskAt(0, 0, 10, MaskSettings::kUnset);
    const MaskSettings zero = maskAt(0, 0, 0, 10);
    const MaskSettings farAway = maskAt(INT_MAX, INT_MIN, 10, 10);
    for (const MaskSettings& mask : {unsetWidth, unsetHeight, zero, farAway}) {
        EXPECT_TRUE(opaqueArea(buildMaskImage(picture, 30, 20, mask, 4)).isEmpty());
    }
    const QImage none = buildMaskImage(QImage(), 30, 20, maskAt(0, 0, 10, 10), 1);
    ASSERT_EQ(none.size(), QSize(30, 20));
    EXPECT_TRUE(opaqueArea(none).isEmpty());
    EXPECT_TRUE(opaqueArea(buildMaskImage(picture, 30, 20, maskAt(0, 0, 10, 10), 0)).isEmpty());
    EXPECT_TRUE(buildMaskImage(picture, 0, 20, maskAt(0, 0, 10, 10), 1).isNull());
    EXPECT_TRUE(buildMaskImage(picture, 30, -1, maskAt(0, 0, 10, 10), 1).isNull());
}

void writePng(const std::filesystem::path& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    writeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

TEST(MaskPicture, FoundThroughTheMaterialList) {
    TempDir dir;
    GlobalState g;
    g.workspace = dir.path();
    g.materials = {{"first", Material::Texture},
                   {"second", Material::Texture},
                   {"mesh", Material::Model},
                   {"../second", Material::Texture}};
    writePng(dir.path() / "second.png", opaquePicture(2, 3));
    writePng(dir.path() / "mesh.png", opaquePicture(5, 5));

    g.mask.texID = 2; // 1 + list position
    const QImage picture = loadMaskPicture(g);
    EXPECT_EQ(picture.size(), QSize(2, 3));
    EXPECT_EQ(picture.pixel(1, 2), qRgb(200, 30, 40));

    for (int texID : {0, 1, 3, 4, 5, -1, INT_MIN, INT_MAX}) { // none, file missing, a model, a path
        g.mask.texID = texID;
        EXPECT_TRUE(loadMaskPicture(g).isNull()) << texID;
    }
    writeFile(dir.path() / "first.png", "not a picture");
    g.mask.texID = 1;
    EXPECT_TRUE(loadMaskPicture(g).isNull());
}

} // namespace
} // namespace vintrel::test
