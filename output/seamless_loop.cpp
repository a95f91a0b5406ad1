#include "output/seamless_loop.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace vintrel {

namespace {

Result<QImage> loadPremultiplied(const OutputFrames& frames, int k) {
    const std::filesystem::path path = renderedFramePath(frames, k);
    QImage image;
    if (!image.load(QFile::decodeName(path.c_str())) || image.isNull()) {
        return Message{"cannot read the rendered frame %1", {path.string()}};
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

int loopFadeFrames(int frameCount, int asked) {
    if (frameCount < 3) {
        return 0;
    }
    const int wanted = asked > 0 ? asked : std::max(1, frameCount / 4);
    return std::clamp(wanted, 1, (frameCount - 1) / 2);
}

QImage crossFade(const QImage& tail, const QImage& head, double t) {
    QImage a = tail.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = head.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (a.size() != b.size()) {
        return a;
    }
    const int weight = static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * 256.0));
    for (int y = 0; y < a.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(a.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const auto mixed = [&](int from, int to) { return (from * (256 - weight) + to * weight + 128) >> 8; };
            out[x] = qRgba(mixed(qRed(out[x]), qRed(in[x])), mixed(qGreen(out[x]), qGreen(in[x])),
                           mixed(qBlue(out[x]), qBlue(in[x])), mixed(qAlpha(out[x]), qAlpha(in[x])));
        }
    }
    return a;
}

Result<OutputFrames> makeSeamlessLoop(const OutputFrames& frames, int fade) {
    const int n = frames.lastIndex + 1;
    if (fade <= 0 || fade >= n) {
        return frames;
    }
    OutputFrames loop = frames;
    loop.renderFolder = frames.renderFolder / "loop";
    loop.lastIndex = n - fade - 1;
    std::error_code ec;
    std::filesystem::remove_all(loop.renderFolder, ec);
    std::filesystem::create_directories(loop.renderFolder, ec);
    if (ec) {
        return Message{"cannot make the folder %1: %2", {loop.renderFolder.string(), ec.message()}};
    }
    for (int j = 0; j <= loop.lastIndex; ++j) {
        const std::filesystem::path target = renderedFramePath(loop, j);
        if (j >= fade) {
            std::filesystem::copy_file(renderedFramePath(frames, j), target,
                                       std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) {
                return Message{kCannotWrite, {target.string(), ec.message()}};
            }
            continue;
        }
        const Result<QImage> tail = loadPremultiplied(frames, n - fade + j);
        const Result<QImage> head = loadPremultiplied(frames, j);
        if (!tail || !head) {
            return !tail ? tail.error() : head.error();
        }
        const QImage mixed = crossFade(*tail, *head, static_cast<double>(j) / fade);
        if (Status written = writeImageFile(mixed, ImageFormat::Png, true, target); !written) {
            return written.error();
        }
    }
    return loop;
}

} // namespace vintrel
