#include "ui/dialogs/starter_library.h"

#include "persist/app_settings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace vintrel {

namespace {

constexpr std::array kEffects{
    StarterEffect{"fire", "炎"},          StarterEffect{"smoke", "煙"},
    StarterEffect{"sparks", "火花"},      StarterEffect{"explosion", "爆発"},
    StarterEffect{"magic_circle", "魔法陣"}, StarterEffect{"rain", "雨"},
    StarterEffect{"snow", "雪"},          StarterEffect{"dust", "砂ぼこり"},
    StarterEffect{"heal", "回復"},        StarterEffect{"lightning", "稲妻"},
    StarterEffect{"portal", "ポータル"},  StarterEffect{"confetti", "紙吹雪"},
};

// Frame durations outside this range are taken as damaged data and shown at the export's rate.
constexpr int kShortestFrameMs = 10;
constexpr int kLongestFrameMs = 1000;

QString thumbnailPath(const std::filesystem::path& folder, const StarterEffect& effect, const char* extension) {
    return QString::fromStdString((folder / "thumbnails" / (std::string(effect.stem) + extension)).string());
}

std::optional<QRect> frameRect(const QJsonValue& entry) {
    const QJsonObject frame = entry.toObject().value(QStringLiteral("frame")).toObject();
    const QRect rect(frame.value(QStringLiteral("x")).toInt(-1), frame.value(QStringLiteral("y")).toInt(-1),
                     frame.value(QStringLiteral("w")).toInt(0), frame.value(QStringLiteral("h")).toInt(0));
    if (rect.x() < 0 || rect.y() < 0 || rect.isEmpty()) {
        return std::nullopt;
    }
    return rect;
}

} // namespace

std::span<const StarterEffect> starterEffects() {
    return kEffects;
}

std::filesystem::path starterLibraryFolder(const std::filesystem::path& programFolder) {
    return shippedFile(programFolder, "share/vintrel", "library");
}

std::filesystem::path starterProjectFile(const std::filesystem::path& libraryFolder, const StarterEffect& effect) {
    return libraryFolder / (std::string(effect.stem) + ".stn");
}

std::optional<Thumbnail> readThumbnail(const std::filesystem::path& libraryFolder, const StarterEffect& effect) {
    const QImage sheet(thumbnailPath(libraryFolder, effect, ".png"));
    QFile dataFile(thumbnailPath(libraryFolder, effect, ".json"));
    if (sheet.isNull() || !dataFile.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QJsonArray entries =
        QJsonDocument::fromJson(dataFile.readAll()).object().value(QStringLiteral("frames")).toArray();
    Thumbnail thumbnail;
    for (const QJsonValue& entry : entries) {
        const std::optional<QRect> rect = frameRect(entry);
        if (!rect || !sheet.rect().contains(*rect)) {
            return std::nullopt;
        }
        thumbnail.frames.push_back(sheet.copy(*rect));
        const int duration = entry.toObject().value(QStringLiteral("duration")).toInt(0);
        if (duration >= kShortestFrameMs && duration <= kLongestFrameMs) {
            thumbnail.frameMs = duration;
        }
    }
    if (thumbnail.frames.empty()) {
        return std::nullopt;
    }
    return thumbnail;
}

} // namespace vintrel
