#include "output/export_channels.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vintrel {

namespace {

// How far outside the frame a particle's centre still counts for the strength, in frame sizes:
// the motion of what is out of sight, or passes by the eye, says nothing of the sheet's range.
constexpr float kOffFrameMargin = 0.25f;

// The frame coordinates (-0.5..0.5, y down) of a placement's origin, when it lies before the
// eye and on the frame or near it.
std::optional<Vec2> centreOnFrame(const Mat4& placement) {
    // Row vectors: the origin (0, 0, 0, 1) times the matrix is its last row.
    const float w = placement.m[3][3];
    if (!(w > 0)) {
        return std::nullopt;
    }
    const Vec2 centre{0.5f * placement.m[3][0] / w, -0.5f * placement.m[3][1] / w};
    const float reach = 0.5f + kOffFrameMargin;
    if (!(std::fabs(centre.x) <= reach && std::fabs(centre.y) <= reach)) {
        return std::nullopt;
    }
    return centre;
}

} // namespace

ExportChannels drawnChannels(const GlobalState& g) {
    const bool sheet = g.write.kind() == OutputKind::Sheet && g.exportExtras.animation == AnimatedFormat::None;
    return sheet ? g.exportExtras.channels : kColorOnly;
}

Status checkChannelsFitOutput(const GlobalState& g) {
    if (g.exportExtras.hasExtraChannels() && drawnChannels(g) == kColorOnly) {
        return Message{"the extra channels (%1) are written as sheets beside the colour sheet; choose the sheet output",
                       {channelList(g.exportExtras.channels & ~kColorOnly)}};
    }
    return {};
}

std::vector<ExportChannel> extraChannels(ExportChannels channels) {
    std::vector<ExportChannel> extra;
    for (int c = 1; c < kExportChannelCount; ++c) {
        if ((channels & channelBit(static_cast<ExportChannel>(c))) != 0) {
            extra.push_back(static_cast<ExportChannel>(c));
        }
    }
    return extra;
}

std::string_view channelName(ExportChannel channel) {
    return nameOfChoice(exportChannelNames(), static_cast<int>(channel));
}

std::filesystem::path channelFolder(const std::filesystem::path& renderFolder, ExportChannel channel) {
    return renderFolder / std::string(channelName(channel));
}

std::filesystem::path channelOutputPath(const std::filesystem::path& output, ExportChannel channel) {
    std::filesystem::path path = output;
    path.replace_filename(output.stem().string() + "_" + std::string(channelName(channel)) +
                          output.extension().string());
    return path;
}

float motionStrength(const std::vector<ParticlePlacements>& frames) {
    float largest = 0;
    for (std::size_t k = 0; k + 1 < frames.size(); ++k) {
        for (const auto& [serial, placement] : frames[k]) {
            const auto next = frames[k + 1].find(serial);
            if (next == frames[k + 1].end()) {
                continue;
            }
            const std::optional<Vec2> from = centreOnFrame(placement);
            const std::optional<Vec2> to = centreOnFrame(next->second);
            if (from && to) {
                const float moved = std::max(std::fabs(to->x - from->x), std::fabs(to->y - from->y));
                largest = std::isfinite(moved) ? std::max(largest, moved) : largest;
            }
        }
    }
    return std::max(1.25f * largest, 1.0f / 256.0f);
}

QImage flattenMotionFrame(const QImage& straight) {
    QImage flat = straight.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < flat.height(); ++y) {
        uchar* pixel = flat.scanLine(y);
        for (int x = 0; x < flat.width(); ++x, pixel += 4) {
            if (pixel[3] == 0) {
                pixel[0] = 128;
                pixel[1] = 128;
            }
            pixel[2] = 0;
            pixel[3] = 255;
        }
    }
    return flat;
}

QColor channelFill(ExportChannel channel, const QColor& colorFill) {
    switch (channel) {
    case ExportChannel::Motion:
        return QColor(128, 128, 0, 255);
    case ExportChannel::Depth:
        return QColor(0, 0, 0, 0);
    case ExportChannel::Color:
    case ExportChannel::Emissive:
        break;
    }
    return colorFill;
}

} // namespace vintrel
