#include "output/sheet_output.h"

#include "output/alpha_mode.h"
#include "output/atlas_data.h"
#include "output/export_channels.h"
#include "persist/atomic_file.h"

#include <QPainter>
#include <cstdio>

namespace vintrel {

namespace {

void replaceAll(std::string& text, const std::string& key, const std::string& value) {
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
        text.replace(at, key.size(), value);
    }
}

std::string frameName(const std::string& stem, int k) {
    char number[16];
    std::snprintf(number, sizeof number, "_%05d", k);
    return stem + number;
}

// Every visible rectangle, when the options trim: a pass over the frames before the layout.
Result<std::vector<QRect>> visibleRects(const OutputFrames& frames, const ExportExtras& extras) {
    std::vector<QRect> visible;
    if (extras.trim == SheetTrim::None) {
        return visible;
    }
    for (int k = 0; k <= frames.lastIndex; ++k) {
        const Result<QImage> scaled = loadScaledFrame(frames, k);
        if (!scaled) {
            return scaled.error();
        }
        visible.push_back(visibleRect(*scaled));
    }
    return visible;
}

Status checkPageSizes(const SheetLayout& layout) {
    for (const SheetPage& page : layout.pages) {
        if (page.size.width() > kMaxOutputSide || page.size.height() > kMaxOutputSide) {
            return Message{"the sheet would be %1 x %2 pixels; at most %3 a side can be written",
                           {std::to_string(page.size.width()), std::to_string(page.size.height()),
                            std::to_string(kMaxOutputSide)}};
        }
    }
    return {};
}

Result<QImage> drawPage(const OutputFrames& frames, const SheetLayout& layout, int pageIndex, const QColor& fill,
                        int extrude) {
    const SheetPage& page = layout.pages[static_cast<std::size_t>(pageIndex)];
    QImage sheet = blankFrame(page.size.width(), page.size.height(), fill);
    if (sheet.isNull()) {
        return Message{"not enough memory for a sheet of %1 x %2 pixels",
                       {std::to_string(page.size.width()), std::to_string(page.size.height())}};
    }
    for (int k = page.firstFrame; k < page.firstFrame + page.frameCount; ++k) {
        const SheetCell& cell = layout.cells[static_cast<std::size_t>(k)];
        const Result<QImage> scaled = loadScaledFrame(frames, k);
        if (!scaled) {
            return scaled.error();
        }
        {
            QPainter painter(&sheet);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.drawImage(cell.onPage, *scaled, cell.fromFrame);
        }
        extrudeEdges(sheet, QRect(cell.onPage, cell.fromFrame.size()), extrude);
    }
    return sheet;
}

// The files of one page of every channel, the colour's first.
struct PageFiles {
    std::filesystem::path color;
    std::vector<std::pair<ExportChannel, std::filesystem::path>> extra;
};

AtlasPage atlasPage(const GlobalState& g, const SheetLayout& layout, int pageIndex, const PageFiles& files,
                    const SheetChannels& channels, const std::string& animation) {
    const std::filesystem::path& pagePath = files.color;
    const SheetPage& sheetPage = layout.pages[static_cast<std::size_t>(pageIndex)];
    AtlasPage page;
    page.imagePath = pagePath.filename().string();
    page.imageSize = sheetPage.size;
    page.animation = animation;
    const int step = std::max(1, g.write.step);
    page.framesPerSecond = static_cast<double>(g.project.fps) / step;
    page.alpha = g.exportExtras.alpha;
    page.loops = g.exportExtras.loop;
    const int duration = frameDurationMs(g.project.fps, step);
    for (int k = sheetPage.firstFrame; k < sheetPage.firstFrame + sheetPage.frameCount; ++k) {
        const SheetCell& cell = layout.cells[static_cast<std::size_t>(k)];
        page.frames.push_back({frameName(animation, k), QRect(cell.onPage, cell.fromFrame.size()),
                               cell.fromFrame.topLeft(), layout.frameSize, duration});
    }
    if (!files.extra.empty()) {
        page.channelImages.emplace_back("color", page.imagePath);
        for (const auto& [channel, path] : files.extra) {
            page.channelImages.emplace_back(std::string(channelName(channel)), path.filename().string());
        }
        page.motionStrength = channels.motionStrength;
        page.depthFar = channels.depthFar;
    }
    return page;
}

Status writeAtlasData(const GlobalState& g, const SheetLayout& layout, int pageIndex, const PageFiles& files,
                      const SheetChannels& channels, const std::string& animation) {
    const AtlasFormat format = g.exportExtras.atlas;
    std::filesystem::path dataPath = files.color;
    dataPath.replace_extension(std::string(atlasExtension(format)));
    const std::string text = atlasData(format, atlasPage(g, layout, pageIndex, files, channels, animation));
    if (Status written = writeFileAtomically(dataPath, text); !written) {
        return Message{kCannotWrite, {dataPath.string(), untranslated(written.error())}};
    }
    return {};
}

// Writes a page's image, reporting the share of its compression done as work on its frames.
Status writePage(const QImage& sheet, const std::filesystem::path& path, bool transparent, double pageWork,
                 const OutputFrames& frames) {
    double reported = 0;
    const auto encoded = [&](double share) {
        frames.workDone(share * pageWork - reported);
        reported = share * pageWork;
    };
    return writeImageFile(sheet, formatForPath(path), transparent, path, encoded);
}

// An extra channel's page: its frames in the colour page's cells, over the channel's own fill;
// the emissive layer takes the colour's alpha mode, the motion and depth hold values and stay
// straight.
Status writeChannelPage(const SheetChannel& channel, const SheetLayout& layout, int pageIndex, const QColor& fill,
                        const GlobalState& g, const std::filesystem::path& path) {
    const QColor channelBackground = channelFill(channel.channel, fill);
    const Result<QImage> sheet = drawPage(channel.frames, layout, pageIndex, channelBackground, g.exportExtras.extrude);
    if (!sheet) {
        return sheet.error();
    }
    const bool emissive = channel.channel == ExportChannel::Emissive;
    const double pageWork = layout.pages[static_cast<std::size_t>(pageIndex)].frameCount;
    return writePage(emissive ? withAlphaMode(*sheet, g.exportExtras.alpha) : *sheet, path,
                     channelBackground.alpha() < 255, pageWork, channel.frames);
}

} // namespace

Result<std::filesystem::path> sheetPagePath(const std::filesystem::path& output, const std::string& pattern,
                                            const SheetPage& page, int pageNumber, int pageCount) {
    if (pattern.find_first_of("/\\") != std::string::npos) {
        return Message{"the file-name pattern %1 must not name a folder", {pattern}};
    }
    const std::string name = output.stem().string();
    std::string stem = pattern.empty() ? name : pattern;
    if (!pattern.empty()) {
        replaceAll(stem, "{name}", name);
        replaceAll(stem, "{columns}", std::to_string(page.columns));
        replaceAll(stem, "{rows}", std::to_string(page.rows));
        replaceAll(stem, "{frames}", std::to_string(page.frameCount));
    }
    if (pageCount > 1 && pattern.find("{page}") == std::string::npos) {
        stem += "-{page}";
    }
    replaceAll(stem, "{page}", std::to_string(pageNumber));
    if (stem.empty() || stem == "." || stem == "..") {
        return Message{"the file-name pattern %1 gives no file name", {pattern}};
    }
    return output.parent_path() / (stem + output.extension().string());
}

void extrudeEdges(QImage& image, const QRect& rect, int pixels) {
    const QRect inside = rect & image.rect();
    if (pixels <= 0 || inside.isEmpty() || image.depth() != 32) {
        return;
    }
    // Left and right first, then the rows above and below across the widened span, which
    // fills the corners with the corner pixels.
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int i = 1; i <= pixels; ++i) {
            if (inside.left() - i >= 0) {
                line[inside.left() - i] = line[inside.left()];
            }
            if (inside.right() + i < image.width()) {
                line[inside.right() + i] = line[inside.right()];
            }
        }
    }
    const int left = std::max(0, inside.left() - pixels);
    const int right = std::min(image.width() - 1, inside.right() + pixels);
    const auto copyRow = [&](int from, int to) {
        if (to < 0 || to >= image.height()) {
            return;
        }
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(from));
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(to));
        std::copy(source + left, source + right + 1, target + left);
    };
    for (int i = 1; i <= pixels; ++i) {
        copyRow(inside.top(), inside.top() - i);
        copyRow(inside.bottom(), inside.bottom() + i);
    }
}

Status writeSheet(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output) {
    return writeSheetWithChannels(frames, g, output, {});
}

Status writeSheetWithChannels(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                              const SheetChannels& channels) {
    if (Status checked = checkOutputFrames(frames); !checked) {
        return checked;
    }
    const ExportExtras& extras = g.exportExtras;
    const Result<std::vector<QRect>> visible = visibleRects(frames, extras);
    if (!visible) {
        return visible.error();
    }
    const Result<SheetLayout> layout =
        layoutSheet(frames.lastIndex + 1, QSize(frames.width, frames.height), g.write.width,
                    std::max(0, g.write.height), extras, *visible);
    if (!layout) {
        return layout.error();
    }
    if (Status sizes = checkPageSizes(*layout); !sizes) {
        return sizes;
    }
    const int pageCount = static_cast<int>(layout->pages.size());
    std::vector<PageFiles> paths;
    for (int p = 0; p < pageCount; ++p) {
        const SheetPage& page = layout->pages[static_cast<std::size_t>(p)];
        const Result<std::filesystem::path> path = sheetPagePath(output, extras.namePattern, page, p + 1, pageCount);
        if (!path) {
            return path.error();
        }
        PageFiles files{*path, {}};
        for (const SheetChannel& channel : channels.extra) {
            const Result<std::filesystem::path> extra = sheetPagePath(
                channelOutputPath(output, channel.channel), extras.namePattern, page, p + 1, pageCount);
            if (!extra) {
                return extra.error();
            }
            files.extra.emplace_back(channel.channel, *extra);
        }
        paths.push_back(std::move(files));
    }
    const bool transparent = startsTransparent(g, output);
    const QColor fill = transparent ? QColor(0, 0, 0, 0) : opaqueBackground(g);
    // The frames read (twice when trimmed) and the compression of each page, as long as its frames take.
    const int frameCount = frames.lastIndex + 1;
    frames.expectWork(frameCount * (extras.trim == SheetTrim::None ? 2.0 : 3.0) +
                      frameCount * 2.0 * static_cast<double>(channels.extra.size()));
    for (int p = 0; p < pageCount; ++p) {
        const Result<QImage> sheet = drawPage(frames, *layout, p, fill, extras.extrude);
        if (!sheet) {
            return sheet.error();
        }
        const PageFiles& files = paths[static_cast<std::size_t>(p)];
        const double pageWork = layout->pages[static_cast<std::size_t>(p)].frameCount;
        if (Status saved = writePage(withAlphaMode(*sheet, extras.alpha), files.color, transparent, pageWork, frames);
            !saved) {
            return saved;
        }
        for (std::size_t c = 0; c < channels.extra.size(); ++c) {
            if (Status saved = writeChannelPage(channels.extra[c], *layout, p, fill, g, files.extra[c].second);
                !saved) {
                return saved;
            }
        }
        if (extras.atlas != AtlasFormat::None) {
            if (Status data = writeAtlasData(g, *layout, p, files, channels, output.stem().string()); !data) {
                return data;
            }
        }
    }
    return {};
}

} // namespace vintrel
