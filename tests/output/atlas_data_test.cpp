// The data files beside a sheet read back: every format's rectangles cut from the written sheet
// equal the frames they name (the trimmed part of each), and their timing is the project's.
#include "output/atlas_data.h"
#include "output/sheet_output.h"
#include "output_test_support.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kW = 6;
constexpr int kH = 4;
constexpr int kFrames = 5;

// Frame k: its left half opaque and coloured by k, its right half transparent, so a trim keeps
// the left three columns.
QColor leftColour(int k) {
    return QColor(40 * k, 200 - 30 * k, 90);
}

struct ReadFrame {
    std::string name;
    QRect onSheet;
    QPoint offset;
    int durationMs = -1; // -1: the format has none
};

QString readText(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

QRect rectOf(const QJsonObject& r) {
    return QRect(r["x"].toInt(), r["y"].toInt(), r["w"].toInt(), r["h"].toInt());
}

ReadFrame jsonFrame(const QString& name, const QJsonObject& f) {
    const QJsonObject source = f["spriteSourceSize"].toObject();
    return {name.toStdString(), rectOf(f["frame"].toObject()), QPoint(source["x"].toInt(), source["y"].toInt()),
            f["duration"].toInt(-1)};
}

// The frames as each format lists them.
std::vector<ReadFrame> readFrames(AtlasFormat format, const QString& text) {
    std::vector<ReadFrame> frames;
    if (format == AtlasFormat::GodotSpriteFrames) {
        const QRegularExpression region(R"(region = Rect2\((\d+), (\d+), (\d+), (\d+)\)(?:\nmargin = Rect2\((\d+), (\d+), \d+, \d+\))?)");
        for (auto it = region.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            frames.push_back({"", QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                                        m.captured(4).toInt()),
                              QPoint(m.captured(5).toInt(), m.captured(6).toInt())});
        }
        return frames;
    }
    const QJsonObject root = QJsonDocument::fromJson(text.toUtf8()).object();
    if (root["frames"].isArray()) {
        for (const QJsonValue& f : root["frames"].toArray()) {
            frames.push_back(jsonFrame(f.toObject()["filename"].toString(), f.toObject()));
        }
        return frames;
    }
    const QJsonObject hash = root["frames"].toObject();
    for (auto it = hash.begin(); it != hash.end(); ++it) {
        frames.push_back(jsonFrame(it.key(), it.value().toObject()));
    }
    return frames;
}

TEST(AtlasData, EveryFormatsRectanglesCutTheFramesFromTheSheet) {
    test::TempDir dir;
    const OutputFrames frames = test::writeRenderedFrames(dir.path(), kFrames, kW, kH, leftColour,
                                                          test::transparentFrame);
    const std::pair<AtlasFormat, const char*> formats[] = {
        {AtlasFormat::TexturePackerHash, "hash.png"},
        {AtlasFormat::TexturePackerArray, "array.png"},
        {AtlasFormat::Aseprite, "aseprite.png"},
        {AtlasFormat::GodotSpriteFrames, "godot.png"},
    };
    for (const auto& [format, file] : formats) {
        GlobalState g;
        g.write.width = 3;
        g.write.height = 0;
        g.write.step = 2;
        g.project.fps = 30;
        g.exportExtras.atlas = format;
        g.exportExtras.padding = 1;
        g.exportExtras.extrude = 1;
        g.exportExtras.trim = SheetTrim::PerFrame;
        const std::filesystem::path sheetPath = dir.path() / file;
        ASSERT_TRUE(test::succeeded(writeSheet(frames, g, sheetPath))) << file;
        std::filesystem::path dataPath = sheetPath;
        dataPath.replace_extension(std::string(atlasExtension(format)));
        const QString text = readText(dataPath);
        EXPECT_TRUE(text.contains(QString::fromStdString(sheetPath.filename().string()))) << "names its sheet";

        const std::vector<ReadFrame> read = readFrames(format, text);
        ASSERT_EQ(read.size(), static_cast<std::size_t>(kFrames)) << file;
        const QImage sheet = QImage(QString::fromStdString(sheetPath.string())).convertToFormat(QImage::Format_ARGB32);
        for (int k = 0; k < kFrames; ++k) {
            const ReadFrame& f = read[static_cast<std::size_t>(k)];
            EXPECT_EQ(f.onSheet.size(), QSize(kW / 2, kH)) << file << " frame " << k;
            EXPECT_EQ(f.offset, QPoint(0, 0)) << file;
            const QImage scaled = loadScaledFrame(frames, k)->convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(sheet.copy(f.onSheet), scaled.copy(QRect(f.offset, f.onSheet.size()))) << file << " frame " << k;
            if (format != AtlasFormat::GodotSpriteFrames) {
                EXPECT_EQ(f.name, sheetPath.stem().string() + "_0000" + std::to_string(k)) << file;
                EXPECT_EQ(f.durationMs, 67) << file; // two frames at 30 a second
            }
        }
        if (format == AtlasFormat::GodotSpriteFrames) {
            EXPECT_TRUE(text.startsWith("[gd_resource type=\"SpriteFrames\" load_steps=7 format=3]"));
            EXPECT_TRUE(text.contains("\"speed\": 15.0"));
            EXPECT_TRUE(text.contains("\"loop\": false"));
        }
    }
}

TEST(AtlasData, DurationsAndGodotNames) {
    EXPECT_EQ(frameDurationMs(60, 1), 17);
    EXPECT_EQ(frameDurationMs(24, 3), 125);
    EXPECT_EQ(frameDurationMs(0, 1), 1);
    AtlasPage page;
    page.imagePath = "my \"fire\".png";
    page.animation = "fire";
    page.framesPerSecond = 12.5;
    page.frames.push_back({"fire_00000", QRect(2, 3, 4, 5), QPoint(1, 1), QSize(8, 8), 80});
    const std::string tres = atlasData(AtlasFormat::GodotSpriteFrames, page);
    EXPECT_NE(tres.find("path=\"my \\\"fire\\\".png\""), std::string::npos) << tres;
    EXPECT_NE(tres.find("margin = Rect2(1, 1, 4, 3)"), std::string::npos) << tres;
    EXPECT_NE(tres.find("\"speed\": 12.5"), std::string::npos) << tres;
}

} // namespace
} // namespace vintrel
