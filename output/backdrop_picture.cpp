#include "output/backdrop_picture.h"

#include "output/video_output.h"
#include "platform/number_format.h"

#include <QImageReader>
#include <chrono>

namespace vintrel {

namespace {

constexpr std::chrono::seconds kExtractionTimeout{60};

Result<QImage> readImage(const std::filesystem::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return Message{kBackdropImageUnreadable, {file.string()}};
    }
    return image;
}

Result<QImage> videoFrame(const ViewBackdrop& backdrop, const std::filesystem::path& scratchFolder) {
    const std::optional<std::filesystem::path> ffmpeg = findFfmpeg();
    if (!ffmpeg) {
        return Message{kBackdropNeedsFfmpeg};
    }
    const std::filesystem::path output = scratchFolder / "backdrop-frame.png";
    std::error_code ec;
    std::filesystem::remove(output, ec);
    const Status ran = runTool(*ffmpeg, frameExtractionArguments(backdrop.file, backdrop.frame, output),
                               scratchFolder, kExtractionTimeout);
    QImage image(QString::fromStdString(output.string()));
    std::filesystem::remove(output, ec);
    if (!ran) {
        return Message{kBackdropFrameUnreadable, {backdrop.file, formatInt(backdrop.frame), untranslated(ran.error())}};
    }
    if (image.isNull()) {
        return Message{kBackdropFrameMissing, {backdrop.file, formatInt(backdrop.frame)}};
    }
    return image;
}

} // namespace

std::vector<std::string> frameExtractionArguments(const std::filesystem::path& video, int frame,
                                                  const std::filesystem::path& output) {
    // select picks the frame by its number in decoding order; the backslash keeps the comma
    // inside the filter's expression.
    return {"-v", "error", "-nostdin", "-i", video.string(), "-vf", "select=eq(n\\," + formatInt(frame) + ")",
            "-frames:v", "1", "-y", output.string()};
}

Result<QImage> backdropPicture(const ViewBackdrop& backdrop, const std::filesystem::path& scratchFolder) {
    switch (backdrop.kind) {
    case ViewBackdrop::Kind::Image:
        return readImage(backdrop.file);
    case ViewBackdrop::Kind::VideoFrame:
        return videoFrame(backdrop, scratchFolder);
    case ViewBackdrop::Kind::Color:
    case ViewBackdrop::Kind::Checkerboard:
        break;
    }
    return Message{kBackdropImageUnreadable, {backdrop.file}};
}

} // namespace vintrel
