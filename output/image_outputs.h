#pragma once

#include "model/global_state.h"
#include "output/write_progress.h"
#include "platform/result.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <functional>
#include <string>

namespace vintrel {

// The file format of an export output, chosen by the extension of its path.
enum class ImageFormat { Png, Jpeg, Bmp, Tiff, Gif };

// ".bmp" -> Bmp, ".jpg"/".jpeg" -> Jpeg, ".tif"/".tiff" -> Tiff, ".gif" -> Gif, anything else
// -> Png. The extension is compared case-sensitively, so "OUT.JPG" is written as PNG data.
// A colour component of the settings (0..255 as a float) as the images store it: truncated,
// held to 0..255, NaN as 0.
int colourComponent(float value);

ImageFormat formatForPath(const std::filesystem::path& output);

// False for the formats that cannot store transparency (BMP, JPEG).
bool hasAlpha(ImageFormat format);

// The rendered frames of an export: "<renderFolder>/%05d.png" for k = 0 .. lastIndex, and the
// output frame size W x H they are scaled down to.
struct OutputFrames {
    std::filesystem::path renderFolder;
    int lastIndex = -1;
    int width = 0;
    int height = 0;
    // Hears every frame read (loadScaledFrame) and the writer's other work, when set.
    WriteProgress* progress = nullptr;

    void expectWork(double units) const {
        if (progress != nullptr) {
            progress->expect(units);
        }
    }
    void workDone(double units) const {
        if (progress != nullptr) {
            progress->add(units);
        }
    }
};

// Largest side of any image an output writes, and most frames an output takes.
constexpr int kMaxOutputSide = 32768;
constexpr int kMaxOutputFrames = 1000000;

// "<renderFolder>/%05d.png" of frame k.
std::filesystem::path renderedFramePath(const OutputFrames& frames, int k);

// Fails unless there are 1 .. kMaxOutputFrames frames and W x H is 1 .. kMaxOutputSide a side.
Status checkOutputFrames(const OutputFrames& frames);

// The messages that name an output file and the reason it cannot be made.
constexpr const char* kCannotEncode = "cannot encode %1: %2";
constexpr const char* kCannotWrite = "cannot write %1: %2";
// The message for a frame of W x H pixels that cannot be allocated.
Message notEnoughMemoryForFrame(const OutputFrames& frames);

// Loads frame k and scales it by area averaging to W x H (premultiplied ARGB); fails with a
// message naming the file when it cannot be read.
Result<QImage> loadScaledFrame(const OutputFrames& frames, int k);

// The project's background colour, opaque: each component truncated to an integer and held to
// 0 .. 255.
QColor opaqueBackground(const GlobalState& g);

// Whether a sheet or numbered file starts fully transparent instead of filled with the
// background: g.write.isAlpha is set and the output's format keeps alpha.
bool startsTransparent(const GlobalState& g, const std::filesystem::path& output);

// A W x H premultiplied image filled with the background (transparent or opaque).
QImage blankFrame(int width, int height, const QColor& fill);
// Frame k, scaled down, over a blank frame of `fill`; fails as loadScaledFrame does, or when the
// frame cannot be allocated.
Result<QImage> frameOverFill(const OutputFrames& frames, int k, const QColor& fill);

// Encodes `image` in `format` into `bytes`. `transparent` matters for GIF only: pixels with
// alpha below 128 become the transparent index, otherwise the image is taken as opaque.
// `encoded` hears the share of a PNG's compression done.
Result<std::string> encodeImage(const QImage& image, ImageFormat format, bool transparent,
                                const std::function<void(double)>& encoded = {});
// Encodes `image` in `format` and writes it to `target` through a temporary file, so a failure
// never leaves a half-written file.
Status writeImageFile(const QImage& image, ImageFormat format, bool transparent,
                      const std::filesystem::path& target, const std::function<void(double)>& encoded = {});

// "fire.png" -> "fire00000.png", "fire00001.png" ... beside it: the name's stem, "%05d" of k
// and its extension.
std::filesystem::path numberedFilePath(const std::filesystem::path& output, int k);

// Numbered files: one W x H image per frame, background then frame k, given the chosen alpha
// mode, each replaced atomically.
// Stops at the first frame that cannot be read or written, with a message.
Status writeNumberedFiles(const OutputFrames& frames, const GlobalState& g,
                          const std::filesystem::path& output);

} // namespace vintrel
