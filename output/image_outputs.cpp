#include "output/image_outputs.h"

#include "output/alpha_mode.h"
#include "output/area_scale.h"
#include "output/gif_output.h"
#include "output/png_encoder.h"
#include "persist/atomic_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <cstdint>
#include <cstdio>

namespace vintrel {
namespace {

const char* writerFormat(ImageFormat format) {
    switch (format) {
    case ImageFormat::Jpeg:
        return "jpeg";
    case ImageFormat::Bmp:
        return "bmp";
    case ImageFormat::Tiff:
        return "tiff";
    case ImageFormat::Png:
    case ImageFormat::Gif:
        break;
    }
    return "png";
}

Status saveImage(const QImage& image, const GlobalState& g, const std::filesystem::path& target) {
    return writeImageFile(image, formatForPath(target), startsTransparent(g, target), target);
}

Status drawFrameAt(QImage& canvas, const OutputFrames& frames, int k, QPoint at) {
    const Result<QImage> scaled = loadScaledFrame(frames, k);
    if (!scaled) {
        return scaled.error();
    }
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, *scaled);
    return {};
}

} // namespace

int colourComponent(float value) {
    if (!(value >= 0.0f)) { // also NaN
        return 0;
    }
    if (value >= 255.0f) {
        return 255;
    }
    return static_cast<int>(value);
}

ImageFormat formatForPath(const std::filesystem::path& output) {
    const std::string extension = output.extension().string();
    if (extension == ".bmp") {
        return ImageFormat::Bmp;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return ImageFormat::Jpeg;
    }
    if (extension == ".tif" || extension == ".tiff") {
        return ImageFormat::Tiff;
    }
    if (extension == ".gif") {
        return ImageFormat::Gif;
    }
    return ImageFormat::Png;
}

bool hasAlpha(ImageFormat format) {
    return format != ImageFormat::Bmp && format != ImageFormat::Jpeg;
}

std::filesystem::path renderedFramePath(const OutputFrames& frames, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.png", k);
    return frames.renderFolder / name;
}

Message notEnoughMemoryForFrame(const OutputFrames& frames) {
    return Message{"not enough memory for a frame of %1 x %2 pixels",
                   {std::to_string(frames.width), std::to_string(frames.height)}};
}

Status checkOutputFrames(const OutputFrames& frames) {
    if (frames.lastIndex < 0) {
        return Message{"there are no rendered frames to write"};
    }
    if (frames.lastIndex >= kMaxOutputFrames) {
        return Message{"too many frames to write: %1 is past the last index %2",
                       {std::to_string(frames.lastIndex), std::to_string(kMaxOutputFrames - 1)}};
    }
    if (frames.width < 1 || frames.height < 1 || frames.width > kMaxOutputSide ||
        frames.height > kMaxOutputSide) {
        return Message{
            "the output frame size %1 x %2 is not 1 .. %3 pixels a side",
            {std::to_string(frames.width), std::to_string(frames.height), std::to_string(kMaxOutputSide)}};
    }
    return {};
}

Result<QImage> loadScaledFrame(const OutputFrames& frames, int k) {
    const std::filesystem::path path = renderedFramePath(frames, k);
    QImage source;
    if (!source.load(QFile::decodeName(path.c_str())) || source.isNull()) {
        return Message{"cannot read the rendered frame %1", {path.string()}};
    }
    QImage scaled = scaleDownArea(source.convertToFormat(QImage::Format_ARGB32_Premultiplied), frames.width,
                                  frames.height);
    if (scaled.isNull()) {
        return Message{"cannot scale the rendered frame %1", {path.string()}};
    }
    frames.workDone(1);
    return scaled;
}

QColor opaqueBackground(const GlobalState& g) {
    const FloatXYZ& c = g.project.backColor;
    return QColor(colourComponent(c.x), colourComponent(c.y), colourComponent(c.z), 255);
}

bool startsTransparent(const GlobalState& g, const std::filesystem::path& output) {
    return g.write.isAlpha != 0 && hasAlpha(formatForPath(output));
}

QImage blankFrame(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull()) {
        image.fill(fill);
    }
    return image;
}

Result<QImage> frameOverFill(const OutputFrames& frames, int k, const QColor& fill) {
    QImage image = blankFrame(frames.width, frames.height, fill);
    if (image.isNull()) {
        return notEnoughMemoryForFrame(frames);
    }
    if (Status drawn = drawFrameAt(image, frames, k, QPoint(0, 0)); !drawn) {
        return drawn.error();
    }
    return image;
}

Result<std::string> encodeImage(const QImage& image, ImageFormat format, bool transparent,
                                const std::function<void(double)>& encoded) {
    if (format == ImageFormat::Gif) {
        GifEncoding how;
        how.width = image.width();
        how.height = image.height();
        how.frameCount = 1;
        how.transparent = transparent;
        return encodeGif(how, [&image](int) -> Result<QImage> { return image; });
    }
    const QImage stored =
        image.convertToFormat(hasAlpha(format) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (format == ImageFormat::Png) {
        // Large sheets are compressed on every core (a 3,584 x 4,608 sheet in a fraction of the
        // time one thread takes).
        return encodePng(stored, {}, encoded);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerFormat(format));
    if (!writer.write(stored)) {
        return systemReason(writer.errorString().toStdString());
    }
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

Status writeImageFile(const QImage& image, ImageFormat format, bool transparent,
                      const std::filesystem::path& target, const std::function<void(double)>& encoded) {
    const Result<std::string> bytes = encodeImage(image, format, transparent, encoded);
    if (!bytes) {
        return Message{kCannotEncode, {target.string(), untranslated(bytes.error())}};
    }
    if (Status written = writeFileAtomically(target, *bytes); !written) {
        return Message{kCannotWrite, {target.string(), untranslated(written.error())}};
    }
    return {};
}

std::filesystem::path numberedFilePath(const std::filesystem::path& output, int k) {
    char number[16];
    std::snprintf(number, sizeof number, "%05d", k);
    std::filesystem::path name = output.stem();
    name += number;
    name += output.extension();
    return output.parent_path() / name;
}

Status writeNumberedFiles(const OutputFrames& frames, const GlobalState& g,
                          const std::filesystem::path& output) {
    if (Status checked = checkOutputFrames(frames); !checked) {
        return checked;
    }
    const QColor fill = startsTransparent(g, output) ? QColor(0, 0, 0, 0) : opaqueBackground(g);
    frames.expectWork(frames.lastIndex + 1);
    for (int k = 0; k <= frames.lastIndex; ++k) {
        const Result<QImage> image = frameOverFill(frames, k, fill);
        if (!image) {
            return image.error();
        }
        if (Status saved = saveImage(withAlphaMode(*image, g.exportExtras.alpha), g, numberedFilePath(output, k));
            !saved) {
            return saved;
        }
    }
    return {};
}

} // namespace vintrel
