#include "ui/dialogs/export_rules.h"

#include "output/export_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vintrel {

namespace {

constexpr int kSketchInset = 8;
constexpr int kMaxSketchCells = 4096; // a sketch of more cells shows nothing more

int frameCount(int start, int end, int step) {
    const long long frames = static_cast<long long>(end) - start + 1;
    return frames <= 0 ? 0 : static_cast<int>(std::min<long long>(frames / std::max(step, 1), 1 << 30));
}

} // namespace

int proposedColumns(int start, int end, int step) {
    const int frames = frameCount(start, end, step);
    return frames <= 0 ? 0 : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(frames))));
}

std::string exportSummary(const WriteSettings& write, int fps) {
    const double frames =
        (static_cast<double>(write.end) - write.start + 1) / static_cast<double>(std::max(write.step, 1));
    char text[64];
    if (write.kind() == OutputKind::Video) {
        const double seconds = frames / static_cast<double>(std::max(fps, 1));
        const long long tenths = static_cast<long long>(seconds * 10.0);
        std::snprintf(text, sizeof text, "約%lld.%lld秒", tenths / 10, std::llabs(tenths % 10));
    } else {
        std::snprintf(text, sizeof text, "%lld枚", static_cast<long long>(frames + 0.9999));
    }
    return text;
}

std::vector<SketchCell> sheetSketch(const WriteSettings& write, int frameWidth, int frameHeight, int pictureWidth,
                                    int pictureHeight) {
    const int columns = std::max(write.width, 1);
    const int rows = sheetRowCount(write);
    if (rows <= 0 || frameWidth <= 0 || frameHeight <= 0 ||
        static_cast<long long>(columns) * rows > kMaxSketchCells) {
        return {};
    }
    const double sheetW = static_cast<double>(columns) * frameWidth;
    const double sheetH = static_cast<double>(rows) * frameHeight;
    const double areaW = pictureWidth - 2.0 * kSketchInset;
    const double areaH = pictureHeight - 2.0 * kSketchInset;
    if (areaW <= 0 || areaH <= 0) {
        return {};
    }
    const double scale = std::min(areaW / sheetW, areaH / sheetH);
    const double left = kSketchInset + (areaW - sheetW * scale) / 2.0;
    const double top = kSketchInset + (areaH - sheetH * scale) / 2.0;
    std::vector<SketchCell> cells;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            cells.push_back({left + column * frameWidth * scale, top + row * frameHeight * scale,
                             frameWidth * scale, frameHeight * scale});
        }
    }
    return cells;
}

} // namespace vintrel
