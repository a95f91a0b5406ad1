#include "output/atlas_data.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vintrel {

namespace {

constexpr const char* kApp = "Vintrel";

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QJsonObject rectObject(const QRect& r) {
    return {{"x", r.x()}, {"y", r.y()}, {"w", r.width()}, {"h", r.height()}};
}

QJsonObject sizeObject(const QSize& s) {
    return {{"w", s.width()}, {"h", s.height()}};
}

QJsonObject frameObject(const AtlasFrame& f) {
    const bool trimmed = f.onSheet.size() != f.sourceSize;
    return {
        {"frame", rectObject(f.onSheet)},
        {"rotated", false},
        {"trimmed", trimmed},
        {"spriteSourceSize", rectObject(QRect(f.trimOffset, f.onSheet.size()))},
        {"sourceSize", sizeObject(f.sourceSize)},
        {"duration", f.durationMs},
    };
}

QString alphaName(AlphaMode alpha) {
    return QString::fromUtf8(nameOfChoice(alphaModeNames(), static_cast<int>(alpha)).data());
}

QJsonObject metaObject(const AtlasPage& page, const char* app, const char* version) {
    return {
        {"app", app},
        {"version", version},
        {"image", text(page.imagePath)},
        {"format", "RGBA8888"},
        {"size", sizeObject(page.imageSize)},
        {"scale", "1"},
        {"alpha", alphaName(page.alpha)},
        {"premultiplyAlpha", page.alpha == AlphaMode::Premultiplied},
    };
}

bool hasChannel(const AtlasPage& page, const char* name) {
    return std::any_of(page.channelImages.begin(), page.channelImages.end(),
                       [name](const auto& channel) { return channel.first == name; });
}

// The extra channels in the JSON formats' meta: each channel's image, and how the motion and
// depth values read.
void addChannels(QJsonObject& meta, const AtlasPage& page) {
    if (page.channelImages.empty()) {
        return;
    }
    QJsonObject images;
    for (const auto& [name, image] : page.channelImages) {
        images.insert(text(name), text(image));
    }
    meta.insert("channels", images);
    if (hasChannel(page, "motion")) {
        meta.insert("motionStrength", page.motionStrength);
    }
    if (hasChannel(page, "depth")) {
        meta.insert("depthRange", QJsonObject{{"near", 0}, {"far", page.depthFar}});
    }
}

QJsonArray frameNames(const AtlasPage& page) {
    QJsonArray names;
    for (const AtlasFrame& f : page.frames) {
        names.append(text(f.name));
    }
    return names;
}

std::string texturePacker(const AtlasPage& page, bool asArray) {
    QJsonObject root;
    if (asArray) {
        QJsonArray frames;
        for (const AtlasFrame& f : page.frames) {
            QJsonObject frame = frameObject(f);
            frame.insert("filename", text(f.name));
            frames.append(frame);
        }
        root.insert("frames", frames);
    } else {
        QJsonObject frames;
        for (const AtlasFrame& f : page.frames) {
            frames.insert(text(f.name), frameObject(f));
        }
        root.insert("frames", frames);
    }
    // PixiJS plays the frames listed under "animations" as one animated sprite.
    root.insert("animations", QJsonObject{{text(page.animation), frameNames(page)}});
    QJsonObject meta = metaObject(page, kApp, "1.0");
    meta.insert("frameRate", page.framesPerSecond);
    meta.insert("loop", page.loops);
    addChannels(meta, page);
    root.insert("meta", meta);
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::string aseprite(const AtlasPage& page) {
    QJsonObject frames;
    for (const AtlasFrame& f : page.frames) {
        frames.insert(text(f.name), frameObject(f));
    }
    QJsonObject meta = metaObject(page, kApp, "1.3");
    const int last = std::max(0, static_cast<int>(page.frames.size()) - 1);
    meta.insert("frameTags", QJsonArray{QJsonObject{{"name", text(page.animation)},
                                                    {"from", 0},
                                                    {"to", last},
                                                    {"direction", "forward"},
                                                    {"repeat", page.loops ? "0" : "1"}}});
    meta.insert("layers", QJsonArray{QJsonObject{{"name", text(page.animation)}, {"opacity", 255}, {"blendMode", "normal"}}});
    meta.insert("slices", QJsonArray{});
    addChannels(meta, page);
    return QJsonDocument(QJsonObject{{"frames", frames}, {"meta", meta}}).toJson(QJsonDocument::Indented).toStdString();
}

// A Godot string literal: quotes and backslashes escaped.
std::string godotString(const std::string& value) {
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string godotNumber(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    std::string text = buffer;
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

std::string rect2(int x, int y, int w, int h) {
    return "Rect2(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(w) + ", " +
           std::to_string(h) + ")";
}

std::string godotSpriteFrames(const AtlasPage& page) {
    const std::size_t count = page.frames.size();
    std::string out = "[gd_resource type=\"SpriteFrames\" load_steps=" + std::to_string(count + 2) +
                      " format=3]\n\n";
    out += "[ext_resource type=\"Texture2D\" path=" + godotString(page.imagePath) + " id=\"1_sheet\"]\n\n";
    for (std::size_t i = 0; i < count; ++i) {
        const AtlasFrame& f = page.frames[i];
        out += "[sub_resource type=\"AtlasTexture\" id=\"AtlasTexture_" + std::to_string(i) + "\"]\n";
        out += "atlas = ExtResource(\"1_sheet\")\n";
        out += "region = " + rect2(f.onSheet.x(), f.onSheet.y(), f.onSheet.width(), f.onSheet.height()) + "\n";
        if (f.onSheet.size() != f.sourceSize) {
            // The trimmed frame keeps its place in the untrimmed one.
            out += "margin = " +
                   rect2(f.trimOffset.x(), f.trimOffset.y(), f.sourceSize.width() - f.onSheet.width(),
                         f.sourceSize.height() - f.onSheet.height()) +
                   "\n";
        }
        out += "\n";
    }
    out += "[resource]\nanimations = [{\n\"frames\": [";
    for (std::size_t i = 0; i < count; ++i) {
        out += i == 0 ? "{\n" : ", {\n";
        out += "\"duration\": 1.0,\n\"texture\": SubResource(\"AtlasTexture_" + std::to_string(i) + "\")\n}";
    }
    out += "],\n\"loop\": " + std::string(page.loops ? "true" : "false") + ",\n";
    out += "\"name\": &" + godotString(page.animation) + ",\n";
    out += "\"speed\": " + godotNumber(page.framesPerSecond) + "\n}]\n";
    if (!page.channelImages.empty()) {
        // The other channels' sheets share the frames' regions; the resource keeps their files.
        out += "metadata/channels = {";
        for (std::size_t i = 0; i < page.channelImages.size(); ++i) {
            out += (i == 0 ? "\n" : ",\n") + godotString(page.channelImages[i].first) + ": " +
                   godotString(page.channelImages[i].second);
        }
        out += "\n}\n";
        if (hasChannel(page, "motion")) {
            out += "metadata/motion_strength = " + godotNumber(page.motionStrength) + "\n";
        }
        if (hasChannel(page, "depth")) {
            out += "metadata/depth_far = " + godotNumber(page.depthFar) + "\n";
        }
    }
    return out;
}

} // namespace

int frameDurationMs(int fps, int step) {
    if (fps <= 0) {
        return 1;
    }
    return std::max(1, static_cast<int>(std::lround(1000.0 * std::max(1, step) / fps)));
}

std::string atlasData(AtlasFormat format, const AtlasPage& page) {
    switch (format) {
    case AtlasFormat::TexturePackerHash:
        return texturePacker(page, false);
    case AtlasFormat::TexturePackerArray:
        return texturePacker(page, true);
    case AtlasFormat::Aseprite:
        return aseprite(page);
    case AtlasFormat::GodotSpriteFrames:
        return godotSpriteFrames(page);
    case AtlasFormat::None:
        break;
    }
    return {};
}

} // namespace vintrel
