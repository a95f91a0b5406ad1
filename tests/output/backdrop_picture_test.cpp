// The backdrop's picture: an image file as read, a video's frame taken out by ffmpeg (a clip
// made here: three red frames, then three blue ones), and the messages when either fails.
#include "output/backdrop_picture.h"
#include "output/video_output.h"
#include "support/test_files.h"

#include <QColor>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using Kind = ViewBackdrop::Kind;
using test::TempDir;

TEST(BackdropPicture, ImageFileAsReadAndAnUnreadableOneNamed) {
    TempDir dir;
    const std::string png = (dir.path() / "sky.png").string();
    QImage sky(8, 4, QImage::Format_RGB32);
    sky.fill(QColor(10, 20, 30));
    ASSERT_TRUE(sky.save(QString::fromStdString(png)));
    Result<QImage> read = backdropPicture({Kind::Image, png, 0}, dir.path());
    ASSERT_TRUE(static_cast<bool>(read));
    EXPECT_EQ(read->size(), QSize(8, 4));
    EXPECT_EQ(read->pixelColor(3, 3), QColor(10, 20, 30));

    const std::string text = (dir.path() / "notes.png").string();
    test::writeFile(text, "not a picture");
    for (const std::string& file : {text, (dir.path() / "missing.png").string()}) {
        Result<QImage> failed = backdropPicture({Kind::Image, file, 0}, dir.path());
        ASSERT_FALSE(static_cast<bool>(failed));
        EXPECT_EQ(failed.error(), (Message{kBackdropImageUnreadable, {file}}));
    }
}

TEST(BackdropPicture, VideoFrameByItsNumber) {
    const std::optional<std::filesystem::path> ffmpeg = findFfmpeg();
    if (!ffmpeg) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    TempDir dir;
    const std::string clip = (dir.path() / "clip.mkv").string();
    const std::string make = "'" + ffmpeg->string() +
                             "' -v error -nostdin -f lavfi -i 'color=c=red:s=32x16:r=10:d=0.3' -f lavfi -i "
                             "'color=c=blue:s=32x16:r=10:d=0.3' -filter_complex '[0][1]concat=n=2' -c:v ffv1 '" +
                             clip + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    struct Case {
        int frame;
        QColor expected;
    };
    for (const Case& c : {Case{0, Qt::red}, Case{2, Qt::red}, Case{3, Qt::blue}, Case{5, Qt::blue}}) {
        Result<QImage> picture = backdropPicture({Kind::VideoFrame, clip, c.frame}, dir.path());
        ASSERT_TRUE(static_cast<bool>(picture)) << c.frame;
        EXPECT_EQ(picture->size(), QSize(32, 16));
        const QColor got = picture->pixelColor(16, 8);
        EXPECT_NEAR(got.red(), c.expected.red(), 4) << c.frame;
        EXPECT_NEAR(got.blue(), c.expected.blue(), 4) << c.frame;
    }
    // Past the end there is no frame; the scratch file is not left behind.
    Result<QImage> past = backdropPicture({Kind::VideoFrame, clip, 6}, dir.path());
    ASSERT_FALSE(static_cast<bool>(past));
    EXPECT_EQ(past.error(), (Message{kBackdropFrameMissing, {clip, "6"}}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "backdrop-frame.png"));
    // A file that is no video: ffmpeg's own reason follows the message.
    Result<QImage> broken = backdropPicture({Kind::VideoFrame, (dir.path() / "none.mkv").string(), 0}, dir.path());
    ASSERT_FALSE(static_cast<bool>(broken));
    EXPECT_EQ(broken.error().text, kBackdropFrameUnreadable);
}

} // namespace
} // namespace vintrel
