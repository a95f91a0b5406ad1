// The glow of a 512 x 512 exported frame at radius 16: the running-sum halo against the direct
// formula, and the whole in-place file operation (decode, halo, composite, encode, atomic write).

#include "output/glow.h"
#include "persist/atomic_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSize = 512;
constexpr int kRadius = 16;
constexpr int kStrength = 50;

// A transparent frame with a few opaque and half-transparent blobs, like particles drawn on it.
QImage blobFrame() {
    QImage frame(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const struct {
        int x, y, r;
        QColor colour;
    } blobs[] = {{120, 140, 40, QColor(255, 200, 60)},
                 {300, 260, 70, QColor(80, 160, 255, 160)},
                 {420, 90, 25, QColor(255, 255, 255)},
                 {200, 420, 55, QColor(255, 90, 30, 200)},
                 {460, 440, 18, QColor(120, 255, 120)}};
    for (const auto& b : blobs) {
        painter.setBrush(b.colour);
        painter.drawEllipse(QPoint(b.x, b.y), b.r, b.r);
    }
    painter.end();
    return frame.convertToFormat(QImage::Format_ARGB32);
}

std::vector<std::uint8_t> alphaOf(const QImage& frame) {
    std::vector<std::uint8_t> alpha;
    alpha.reserve(static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height()));
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            alpha.push_back(static_cast<std::uint8_t>(qAlpha(frame.pixel(x, y))));
        }
    }
    return alpha;
}

void BM_GlowHaloFast(benchmark::State& state) {
    const std::vector<std::uint8_t> alpha = alphaOf(blobFrame());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vintrel::glowHalo(alpha, kSize, kSize, kRadius, kStrength));
    }
}
BENCHMARK(BM_GlowHaloFast)->Unit(benchmark::kMillisecond);

void BM_GlowHaloDirect(benchmark::State& state) {
    const std::vector<std::uint8_t> alpha = alphaOf(blobFrame());
    if (vintrel::glowHalo(alpha, kSize, kSize, kRadius, kStrength) !=
        vintrel::glowHaloDirect(alpha, kSize, kSize, kRadius, kStrength)) {
        state.SkipWithError("the two halos differ");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(vintrel::glowHaloDirect(alpha, kSize, kSize, kRadius, kStrength));
    }
}
BENCHMARK(BM_GlowHaloDirect)->Unit(benchmark::kMillisecond);

void BM_GlowFile(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vintrel-glow-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path folder = pattern;
    const std::filesystem::path png = folder / "frame.png";
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    blobFrame().save(&buffer, "PNG");
    const std::string original(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    for (auto _ : state) {
        state.PauseTiming();
        (void)vintrel::writeFileAtomically(png, original);
        state.ResumeTiming();
        vintrel::applyGlowToFile(png, 255, 180, 60, kRadius, kStrength);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_GlowFile)->Unit(benchmark::kMillisecond);

} // namespace
