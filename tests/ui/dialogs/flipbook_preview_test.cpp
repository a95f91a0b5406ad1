// The playback preview of an export: its frames read at the output size, its controls, and the
// picture between two frames as the chosen way of blending draws it.

#include "output/export_channels.h"
#include "output/flipbook_blend.h"
#include "support/test_files.h"
#include "ui/dialogs/flipbook_preview.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

constexpr int kSide = 16;

// Frame k: a white square 4 + 4k pixels from the left, drawn at twice the output size as an
// export's intermediate frames are.
QImage frame(int k) {
    QImage image(2 * kSide, 2 * kSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 8; y < 16; ++y) {
        for (int x = 8 + 8 * k; x < 16 + 8 * k; ++x) {
            image.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    }
    return image;
}

void save(const QImage& image, const fs::path& folder, int k) {
    fs::create_directories(folder);
    char name[16];
    std::snprintf(name, sizeof name, "%05d.png", k);
    ASSERT_TRUE(image.save(QString::fromStdString((folder / name).string())));
}

class FlipbookPreviewTest : public ::testing::Test {
protected:
    // Three frames of the moving square; with motion frames when `strength` is above 0.
    FlipbookSource writeFrames(float strength) {
        QImage motion(2 * kSide, 2 * kSide, QImage::Format_ARGB32);
        motion.fill(qRgba(192, 128, 0, 255)); // 4 output pixels right with strength 0.5, as the square moves
        for (int k = 0; k < 3; ++k) {
            save(frame(k), folder.path(), k);
            if (strength > 0) {
                save(motion, channelFolder(folder.path(), ExportChannel::Motion), k);
            }
        }
        return FlipbookSource{folder.path(), 2, QSize(kSide, kSide), 30, strength};
    }

    test::TempDir folder;
};

TEST_F(FlipbookPreviewTest, PlaysAtTheChosenRateBlendingAlongTheMotion) {
    FlipbookPreview preview(writeFrames(0.5f), Qt::black, nullptr);
    ASSERT_TRUE(preview.hasFrames());
    EXPECT_EQ(preview.rateBox()->value(), 30) << "the export's own rate first";
    EXPECT_EQ(preview.rateBox()->accessibleName(), QStringLiteral("再生レート"));
    EXPECT_EQ(preview.blendList()->accessibleName(), QStringLiteral("フレームの間"));
    EXPECT_EQ(preview.blendList()->currentIndex(), static_cast<int>(FlipbookBlend::Motion));
    EXPECT_EQ(preview.picture().size(), QSize(kSide, kSide));

    preview.rateBox()->setValue(10);
    preview.advance(0.15); // 1.5 frames at 10 a second
    EXPECT_DOUBLE_EQ(preview.position(), 1.5);
    preview.advance(0.2); // past the last frame: round again
    EXPECT_NEAR(preview.position(), 0.5, 1e-9);

    // Half way from frame 0 (square at 4..7) to frame 1 (at 8..11) the square stands at 6..9.
    QImage expectedMotion = preview.picture();
    preview.blendList()->setCurrentIndex(static_cast<int>(FlipbookBlend::Crossfade));
    const QImage crossfade = preview.picture();
    preview.blendList()->setCurrentIndex(static_cast<int>(FlipbookBlend::Hold));
    const QImage held = preview.picture();
    // The vectors are 4.02 pixels long (192 is the nearest level): a little spills over.
    EXPECT_NEAR(qAlpha(expectedMotion.pixel(9, 6)), 255, 2) << "the square moved 2 pixels on";
    EXPECT_NEAR(qAlpha(expectedMotion.pixel(5, 6)), 0, 2);
    EXPECT_EQ(qAlpha(crossfade.pixel(9, 6)), 128) << "two faint squares";
    EXPECT_EQ(qAlpha(held.pixel(7, 6)), 255);
    EXPECT_EQ(qAlpha(held.pixel(9, 6)), 0) << "frame 0 held";
}

TEST_F(FlipbookPreviewTest, WithoutMotionFramesTheVectorsCannotBeChosen) {
    FlipbookPreview preview(writeFrames(0), Qt::black, nullptr);
    ASSERT_TRUE(preview.hasFrames());
    const auto* model = qobject_cast<QStandardItemModel*>(preview.blendList()->model());
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(model->item(static_cast<int>(FlipbookBlend::Motion))->isEnabled());
    EXPECT_EQ(preview.blendList()->currentIndex(), static_cast<int>(FlipbookBlend::Hold));
}

TEST_F(FlipbookPreviewTest, MissingFramesAreReportedInTheWindow) {
    FlipbookSource source = writeFrames(0);
    source.lastIndex = 5; // frames 3 to 5 are gone
    FlipbookPreview preview(source, Qt::black, nullptr);
    EXPECT_FALSE(preview.hasFrames());
    const QList<QLabel*> labels = preview.findChildren<QLabel*>();
    const bool told = std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text().startsWith(QStringLiteral("書き出したフレームを読めません"));
    });
    EXPECT_TRUE(told);
    preview.advance(1.0); // nothing to play, and no harm
    EXPECT_TRUE(preview.picture().isNull());
}

} // namespace
} // namespace vintrel
