#include "ui/dialogs/export_types.h"

#include <algorithm>
#include <array>

namespace vintrel {

namespace {

constexpr int kClassicVideo = 2;
constexpr int kClassicGif = 3;

constexpr std::array kTypes{
    ExportType{"並べて保存", 0, AnimatedFormat::None, "PNG(*.png)", "png"},
    ExportType{"複数ファイル", 1, AnimatedFormat::None, "PNG(*.png)", "png"},
    ExportType{"動画(.avi)", kClassicVideo, AnimatedFormat::None, "AVI(*.avi)", "avi"},
    ExportType{"アニメーションGIF", kClassicGif, AnimatedFormat::None, "GIF(*.gif)", "gif"},
    ExportType{"アニメーションPNG", kClassicGif, AnimatedFormat::Apng, "APNG(*.png *.apng)", "png"},
    ExportType{"アニメーションWebP", kClassicGif, AnimatedFormat::WebP, "WebP(*.webp)", "webp"},
    ExportType{"WebM動画(透明)", kClassicVideo, AnimatedFormat::WebM, "WebM(*.webm)", "webm"},
    ExportType{"ProRes 4444(.mov)", kClassicVideo, AnimatedFormat::ProRes, "QuickTime(*.mov)", "mov"},
};

} // namespace

std::span<const ExportType> exportTypes() {
    return kTypes;
}

int exportTypeIndex(const WriteSettings& write, const ExportExtras& extras) {
    for (std::size_t i = 0; i < kTypes.size(); ++i) {
        const ExportType& t = kTypes[i];
        if (extras.animation != AnimatedFormat::None ? t.animation == extras.animation
                                                     : t.animation == AnimatedFormat::None && t.classicType == write.type) {
            return static_cast<int>(i);
        }
    }
    // A type from a damaged file: the nearest classic entry, as the list always showed it.
    return std::clamp(write.type, 0, kClassicGif);
}

void chooseExportType(int index, WriteSettings& write, ExportExtras& extras) {
    if (index < 0 || index >= static_cast<int>(kTypes.size())) {
        return;
    }
    const ExportType& t = kTypes[static_cast<std::size_t>(index)];
    write.type = t.classicType;
    extras.animation = t.animation;
}

bool writesSheet(const WriteSettings& write, const ExportExtras& extras) {
    return extras.animation == AnimatedFormat::None && write.kind() == OutputKind::Sheet;
}

} // namespace vintrel
