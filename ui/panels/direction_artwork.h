#pragma once

// The artwork of the move-direction dials, drawn in code: a dark disc with degree ticks, an
// overlay with the centre hub, and an arrow pointing straight up from the centre. All three are
// square images with transparency around the disc, drawn to stand on top of each other and to
// be scaled into a square of any size; the arrow is turned about the square's centre.

#include <QImage>

namespace vintrel {

inline constexpr int kDirectionArtworkSize = 256;

QImage makeDirectionDialImage(int size);
QImage makeDirectionOverlayImage(int size);
QImage makeDirectionArrowImage(int size);

struct DirectionArtwork {
    QImage dial;
    QImage overlay;
    QImage arrow;
};

// The three images at kDirectionArtworkSize, made on first use. GUI thread only.
const DirectionArtwork& directionArtwork();

} // namespace vintrel
