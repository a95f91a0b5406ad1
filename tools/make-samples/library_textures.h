#pragma once

#include <QImage>

// Textures of the starter library's effects, drawn procedurally like those of the samples.
namespace samples {

QImage smokePuff(int size);                      // soft cloudy puff of overlapping blobs
QImage rainStreak(int size);                     // thin vertical streak, brightest at its lower end
QImage snowflake(int size);                      // six arms with side branches around a small glow
QImage healCross(int size);                      // rounded plus sign with a soft halo
QImage softRing(int size);                       // thin glowing ring, for splashes and shock waves
QImage boltAtlas(int cellWidth, int cellHeight, int cells); // one jagged lightning bolt per cell, side by side
QImage portalSwirl(int size);                    // spiral arms winding into a bright centre
QImage paperScrap(int size);                     // small paper rectangle with a lighter fold

} // namespace samples
