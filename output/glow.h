#pragma once

// The glow of exported frames: a soft halo in one colour behind everything drawn in the frame,
// spread from the frame's alpha channel over a disc of the chosen radius.

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace vintrel {

// The halo alpha of every pixel of an alpha plane (`width` * `height` values, row-major): the sum
// S of the alpha inside the disc of `radius` around the pixel (offsets i, j with i*i + j*j <=
// radius*radius, clipped to the image) is divided (integer quotient) by N = (2*radius + 1)^2, the
// whole square whatever lies outside the disc or the image; the halo is then
// truncate(float(2 * (S / N)) * (strength / 100.0f)), limited to 255.
// A size that does not match the plane, or a width or height below 1, gives an empty vector; a
// negative radius or strength gives a plane of zeros.
//
// This one visits every offset of the disc for every pixel (cost W*H*(2r+1)^2, with the disc
// clipped to the image); it is kept as the reference for glowHalo.
std::vector<std::uint8_t> glowHaloDirect(const std::vector<std::uint8_t>& alpha, int width, int height,
                                         int radius, int strength);

// The same values as glowHaloDirect, from running sums along each row of the disc: the cost is
// W*H*min(2r+1, H), and the memory one prefix sum per pixel.
std::vector<std::uint8_t> glowHalo(const std::vector<std::uint8_t>& alpha, int width, int height, int radius,
                                   int strength);

// The frame drawn (source-over) on a plane of its size that holds the glow colour with the halo
// alpha of the frame's alpha channel. The colour components are truncated to integers and limited
// to 0..255. Returned in QImage::Format_ARGB32. Without a glow (radius or strength 0 or negative)
// or for a null frame, the frame comes back as it is.
QImage applyGlow(const QImage& frame, float red, float green, float blue, int radius, int strength);

// applyGlow on a PNG file, in place. The file is replaced through a temporary file and a rename;
// when it cannot be read or decoded, or the result cannot be written, it stays as it was. Without
// a glow the file is not touched at all.
void applyGlowToFile(const std::filesystem::path& png, float red, float green, float blue, int radius,
                     int strength);

} // namespace vintrel
