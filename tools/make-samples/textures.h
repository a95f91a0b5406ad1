#pragma once

#include <QImage>

// Textures of the sample effects, drawn procedurally.
namespace samples {

QImage transparentImage(int w, int h);             // the canvas every texture is drawn on

QImage softGlow(int size);                         // round white glow, bright core, soft edge
QImage flame(int size);                            // tear-shaped flame tongue
QImage spark(int size);                            // small star with four rays
QImage magicCircle(int size);                      // rings, a hexagram and rune ticks
QImage runeAtlas(int cell, int columns, int rows); // one glyph per cell, for atlas animation

} // namespace samples
