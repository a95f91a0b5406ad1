#include "output/image_outputs.h"

#include "output/area_scale.h"
#include "output/gif_output.h"
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

bool saveImage(const QImage& image, const GlobalState& g, const std::filesystem::path& target,
               std::string& error) {
    return writeImageFile(image, formatForPath(target), startsTransparent(g, target), target, error);
}

// Columns and rows of the sheet after the defaults for values <= 0.
struct SheetGrid {
    std::int64_t columns = 1;
    std::int64_t rows = 1;
};

SheetGrid sheetGrid(const OutputFrames& frames, const GlobalState& g) {
    SheetGrid grid;
    grid.columns = g.write.width > 0 ? g.write.width : 1;
    const std::int64_t count = static_cast<std::int64_t>(frames.lastIndex) + 1;
    const std::int64_t needed = (count + grid.columns - 1) / grid.columns;
    grid.rows = g.write.height > 0 ? g.write.height : needed;
    return grid;
}

bool drawFrameAt(QImage& canvas, const OutputFrames& frames, int k, QPoint at, std::string& error) {
    QImage scaled;
    if (!loadScaledFrame(frames, k, scaled, error)) {
        return false;
    }
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, scaled);
    return true;
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

bool checkOutputFrames(const OutputFrames& frames, std::string& error) {
    if (frames.lastIndex < 0) {
        error = "there are no rendered frames to write";
        return false;
    }
    if (frames.lastIndex >= kMaxOutputFrames) {
        error = "too many frames to write: " + std::to_string(frames.lastIndex) + " is past the last index " +
                std::to_string(kMaxOutputFrames - 1);
        return false;
    }
    if (frames.width < 1 || frames.height < 1 || frames.width > kMaxOutputSide ||
        frames.height > kMaxOutputSide) {
        error = "the output frame size " + std::to_string(frames.width) + " x " +
                std::to_string(frames.height) + " is not 1 .. " + std::to_string(kMaxOutputSide) +
                " pixels a side";
        return false;
    }
    return true;
}

bool loadScaledFrame(const OutputFrames& frames, int k, QImage& scaled, std::string& error) {
    const std::filesystem::path path = renderedFramePath(frames, k);
    QImage source;
    if (!source.load(QFile::decodeName(path.c_str())) || source.isNull()) {
        error = "cannot read the rendered frame " + path.string();
        return false;
    }
    scaled = scaleDownArea(source.convertToFormat(QImage::Format_ARGB32_Premultiplied), frames.width,
                           frames.height);
    if (scaled.isNull()) {
        error = "cannot scale the rendered frame " + path.string();
        return false;
    }
    return true;
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

bool encodeImage(const QImage& image, ImageFormat format, bool transparent, std::string& bytes,
                 std::string& error) {
    if (format == ImageFormat::Gif) {
        GifEncoding how;
        how.width = image.width();
        how.height = image.height();
        how.frameCount = 1;
        how.transparent = transparent;
        return encodeGif(
            how,
            [&image](int, QImage& frame, std::string&) {
                frame = image;
                return true;
            },
            bytes, error);
    }
    const QImage stored =
        image.convertToFormat(hasAlpha(format) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerFormat(format));
    if (!writer.write(stored)) {
        error = writer.errorString().toStdString();
        return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

bool writeImageFile(const QImage& image, ImageFormat format, bool transparent,
                    const std::filesystem::path& target, std::string& error) {
    std::string bytes;
    if (!encodeImage(image, format, transparent, bytes, error)) {
        error = "cannot encode " + target.string() + ": " + error;
        return false;
    }
    std::string reason;
    if (!writeFileAtomically(target, bytes, reason)) {
        error = "cannot write " + target.string() + ": " + reason;
        return false;
    }
    return true;
}

bool writeSheet(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                std::string& error) {
    if (!checkOutputFrames(frames, error)) {
        return false;
    }
    const SheetGrid grid = sheetGrid(frames, g);
    const std::int64_t sheetWidth = static_cast<std::int64_t>(grid.columns) * frames.width;
    const std::int64_t sheetHeight = static_cast<std::int64_t>(grid.rows) * frames.height;
    if (sheetWidth > kMaxOutputSide || sheetHeight > kMaxOutputSide) {
        error = "the sheet would be " + std::to_string(sheetWidth) + " x " + std::to_string(sheetHeight) +
                " pixels; at most " + std::to_string(kMaxOutputSide) + " a side can be written";
        return false;
    }
    const QColor fill = startsTransparent(g, output) ? QColor(0, 0, 0, 0) : opaqueBackground(g);
    QImage sheet = blankFrame(static_cast<int>(sheetWidth), static_cast<int>(sheetHeight), fill);
    if (sheet.isNull()) {
        error = "not enough memory for a sheet of " + std::to_string(sheetWidth) + " x " +
                std::to_string(sheetHeight) + " pixels";
        return false;
    }
    for (int k = 0; k <= frames.lastIndex; ++k) {
        const std::int64_t row = k / grid.columns;
        if (row >= grid.rows) {
            break; // every later frame is below the sheet as well
        }
        const QPoint at(static_cast<int>((k % grid.columns) * frames.width),
                        static_cast<int>(row * frames.height));
        if (!drawFrameAt(sheet, frames, k, at, error)) {
            return false;
        }
    }
    return saveImage(sheet, g, output, error);
}

std::filesystem::path numberedFilePath(const std::filesystem::path& output, int k) {
    char number[16];
    std::snprintf(number, sizeof number, "%05d", k);
    std::filesystem::path name = output.stem();
    name += number;
    name += output.extension();
    return output.parent_path() / name;
}

bool writeNumberedFiles(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                        std::string& error) {
    if (!checkOutputFrames(frames, error)) {
        return false;
    }
    const QColor fill = startsTransparent(g, output) ? QColor(0, 0, 0, 0) : opaqueBackground(g);
    for (int k = 0; k <= frames.lastIndex; ++k) {
        QImage image = blankFrame(frames.width, frames.height, fill);
        if (image.isNull()) {
            error = "not enough memory for a frame of " + std::to_string(frames.width) + " x " +
                    std::to_string(frames.height) + " pixels";
            return false;
        }
        if (!drawFrameAt(image, frames, k, QPoint(0, 0), error) ||
            !saveImage(image, g, numberedFilePath(output, k), error)) {
            return false;
        }
    }
    return true;
}

} // namespace vintrel
