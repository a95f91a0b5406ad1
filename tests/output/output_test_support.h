#pragma once

// Intermediate frames for the output tests, written where the export loop leaves them.

#include "output/image_outputs.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace vintrel::test {

// Writes rendered frames 0 .. count-1 for a w x h output, drawn at twice that size: the left
// half of frame k in `left(k)`, the right half in `right(k)`.
inline OutputFrames writeRenderedFrames(const std::filesystem::path& folder, int count, int w, int h,
                                        const std::function<QColor(int)>& left,
                                        const std::function<QColor(int)>& right) {
    OutputFrames frames{folder / "render", count - 1, w, h};
    std::filesystem::create_directories(frames.renderFolder);
    for (int k = 0; k < count; ++k) {
        QImage image(2 * w, 2 * h, QImage::Format_ARGB32);
        image.fill(right(k));
        for (int y = 0; y < 2 * h; ++y) {
            for (int x = 0; x < w; ++x) {
                image.setPixelColor(x, y, left(k));
            }
        }
        EXPECT_TRUE(image.save(QString::fromStdString(renderedFramePath(frames, k).string()), "PNG"));
    }
    return frames;
}

inline QColor transparentFrame(int) {
    return QColor(Qt::transparent);
}

} // namespace vintrel::test
