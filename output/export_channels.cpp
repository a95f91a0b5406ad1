#include "output/export_channels.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

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

QImage flattenMotionFrame(const QImage& straight, int reach) {
    QImage flat = straight.convertToFormat(QImage::Format_RGBA8888);
    const int w = flat.width();
    const int h = flat.height();
    // Which pixels hold a vector (1): the drawn ones, then each ring of the reach; 2 marks the
    // ring being filled, whose vectors come from the pixels held before it.
    std::vector<std::uint8_t> held(static_cast<std::size_t>(w) * h);
    const auto at = [w](int x, int y) { return static_cast<std::size_t>(y) * w + x; };
    for (int y = 0; y < h; ++y) {
        const uchar* pixel = flat.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            held[at(x, y)] = pixel[4 * x + 3] != 0 ? 1 : 0;
        }
    }
    constexpr std::pair<int, int> kSides[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const auto inside = [w, h](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h; };
    // The held pixels next to one that is not: where the first ring starts.
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool border = std::any_of(std::begin(kSides), std::end(kSides), [&](const auto& side) {
                return inside(x + side.first, y + side.second) && held[at(x + side.first, y + side.second)] == 0;
            });
            if (held[at(x, y)] == 1 && border) {
                edge.emplace_back(x, y);
            }
        }
    }
    // Around what was drawn the nearest vectors reach out one ring at a time, so that a
    // flipbook shader sampling back along them finds the content moving in.
    for (int ring = 0; ring < reach && !edge.empty(); ++ring) {
        std::vector<std::pair<int, int>> next;
        for (const auto& [x, y] : edge) {
            for (const auto& [dx, dy] : kSides) {
                if (inside(x + dx, y + dy) && held[at(x + dx, y + dy)] == 0) {
                    held[at(x + dx, y + dy)] = 2;
                    next.emplace_back(x + dx, y + dy);
                }
            }
        }
        for (const auto& [x, y] : next) {
            int sum[2] = {0, 0};
            int count = 0;
            for (const auto& [dx, dy] : kSides) {
                if (inside(x + dx, y + dy) && held[at(x + dx, y + dy)] == 1) {
                    const uchar* n = flat.constScanLine(y + dy) + 4 * (x + dx);
                    sum[0] += n[0];
                    sum[1] += n[1];
                    ++count;
                }
            }
            uchar* out = flat.scanLine(y) + 4 * x;
            out[0] = static_cast<uchar>((sum[0] + count / 2) / count);
            out[1] = static_cast<uchar>((sum[1] + count / 2) / count);
        }
        for (const auto& [x, y] : next) {
            held[at(x, y)] = 1;
        }
        edge = std::move(next);
    }
    for (int y = 0; y < h; ++y) {
        uchar* pixel = flat.scanLine(y);
        for (int x = 0; x < w; ++x, pixel += 4) {
            if (held[at(x, y)] == 0) {
                pixel[0] = 128;
                pixel[1] = 128;
            }
            pixel[2] = 0;
            pixel[3] = 255;
        }
    }
    return flat;
}

int motionReach(float strength, QSize size) {
    const double pixels = std::ceil(static_cast<double>(strength) * std::max(size.width(), size.height()));
    return static_cast<int>(std::clamp(std::isfinite(pixels) ? pixels : 1.0, 1.0, double{kMostMotionReach}));
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
