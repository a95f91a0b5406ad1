#include "output/export_settings.h"

#include <algorithm>
#include <cmath>

namespace vintrel {

Status checkExportRange(const WriteSettings& write, int projectFrames) {
    if (write.end < write.start) {
        return Message{"開始フレームが終了フレームより大きくなっています"};
    }
    if (write.start == 0) {
        return Message{"開始フレームが正しくありません"};
    }
    if (write.end > projectFrames || write.end == 0) {
        return Message{"終了フレームが正しくありません"};
    }
    // Beyond the checks above: a start below 1 or a step below 1 cannot be exported either.
    if (write.start < 0) {
        return Message{"開始フレームが正しくありません"};
    }
    if (write.step < 1) {
        return Message{"ステップが正しくありません"};
    }
    return {};
}

Status checkExportSize(const GlobalState& g) {
    const long long factor = std::max(1, g.write.smooth);
    const long long width = static_cast<long long>(g.project.width) * factor;
    const long long height = static_cast<long long>(g.project.height) * factor;
    if (g.project.width < 1 || g.project.height < 1 || width > kMaxExportSide || height > kMaxExportSide) {
        return Message{"書き出しサイズが正しくありません"};
    }
    return {};
}

int sheetRowCount(const WriteSettings& write) {
    if (write.end < write.start) {
        return 0;
    }
    const double frames = (static_cast<double>(write.end) - write.start + 1) / std::max(1, write.step);
    const double rows = std::floor(frames / std::max(1, write.width) + 0.9999);
    return static_cast<int>(std::clamp(rows, 1.0, 1.0e6));
}

int supersampling(const WriteSettings& write) {
    return std::max(1, write.smooth);
}

void beginExportSize(GlobalState& g) {
    const long long frames =
        (static_cast<long long>(g.write.end) - g.write.start + 1) / std::max(1, g.write.step);
    g.write.width = static_cast<int>(std::min<long long>(g.write.width, frames));
    g.project.width *= supersampling(g.write);
    g.project.height *= supersampling(g.write);
}

void endExportSize(GlobalState& g) {
    g.project.width /= supersampling(g.write);
    g.project.height /= supersampling(g.write);
}

} // namespace vintrel
