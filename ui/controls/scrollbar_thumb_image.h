#pragma once

// The artwork of the scrollbar thumb, drawn in code: two columns of 14 pixels, the normal look at
// x 0 and the hot look at x 14, each a rounded bar whose top cap, body and bottom cap the
// scrollbar cuts out and stretches to the thumb's length.

#include <QImage>
#include <QRect>

namespace vintrel {

enum class ThumbLook { Normal, Hot };

struct ThumbImageLayout {
    static constexpr int kColumnWidth = 14;
    static constexpr int kHeight = 13;
    static constexpr int kCapLength = 4;
    static constexpr int kTopCapY = 0;
    static constexpr int kBodyY = 4;
    static constexpr int kBottomCapY = 9;
};

// The thumb image of a vertical bar (28 × 13 pixels, transparent around the thumb).
QImage makeScrollbarThumbImage();

// The source rectangles of the three parts of one look in that image.
QRect thumbTopCapSource(ThumbLook look);
QRect thumbBodySource(ThumbLook look);
QRect thumbBottomCapSource(ThumbLook look);

} // namespace vintrel
