#include "ui/panels/material_files.h"

#include "persist/atomic_file.h"
#include "persist/materials.h"
#include "persist/package.h"
#include "platform/text_codec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>
#include <optional>

namespace vintrel {

namespace {

constexpr const char* kCannotRead = "cannot read %1";

namespace fs = std::filesystem;

constexpr const char* kPngFormat = "png";
constexpr qreal kQuarterTurnDegrees = 90;

constexpr std::array<std::pair<std::string_view, ImportKind>, 5> kImportExtensions{{
    {".png", ImportKind::Image},
    {".bmp", ImportKind::Image},
    {".jpg", ImportKind::Image},
    {".jpeg", ImportKind::Image},
    {".obj", ImportKind::Model},
}};

QString qtPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::optional<QImage> readImage(const fs::path& file) {
    QImageReader reader(qtPath(file));
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return image;
}

std::optional<std::string> encodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, kPngFormat);
    if (!writer.write(image)) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

// The file's content as it goes into the workspace, or nothing when it cannot be read.
std::optional<std::string> importBytes(const fs::path& file, ImportKind kind) {
    if (kind == ImportKind::Model) {
        return readWholeFile(file);
    }
    const std::optional<QImage> image = readImage(file);
    return image ? encodePng(squareImage(*image)) : std::nullopt;
}

void putItem(std::vector<ImportItem>& items, ImportItem item) {
    const auto same = std::find_if(items.begin(), items.end(),
                                   [&](const ImportItem& kept) { return kept.fileName == item.fileName; });
    if (same != items.end()) {
        *same = std::move(item);
    } else {
        items.push_back(std::move(item));
    }
}

QTransform transformFor(TextureTransform transform) {
    switch (transform) {
    case TextureTransform::MirrorLeftRight:
        return QTransform::fromScale(-1, 1);
    case TextureTransform::MirrorTopBottom:
        return QTransform::fromScale(1, -1);
    case TextureTransform::RotateClockwise:
        break;
    }
    return QTransform().rotate(kQuarterTurnDegrees);
}

} // namespace

// Whether a project package can carry `fileName` as an entry name, and whether it is free for a
// material (the placeholder texture is the workspace's own).
bool isStorableFileName(const std::string& fileName) {
    const std::optional<std::string> encoded = text::utf8ToCp932(fileName);
    return encoded && encoded->find(',') == std::string::npos && encoded->size() <= kEntryNameMaxBytes &&
           isSafeEntryName(fileName) && fileName != kPlaceholderTextureName;
}

ImportKind importKindOf(const fs::path& file) {
    const std::string extension = lowerAscii(file.extension().string());
    for (const auto& [known, kind] : kImportExtensions) {
        if (extension == known) {
            return kind;
        }
    }
    return ImportKind::Other;
}

PreparedImport prepareImport(const std::vector<fs::path>& files) {
    PreparedImport prepared;
    for (const fs::path& file : files) {
        const ImportKind kind = importKindOf(file);
        if (kind == ImportKind::Other) {
            prepared.otherType.push_back(file.filename().string());
            continue;
        }
        const Material material{file.stem().string(),
                                kind == ImportKind::Model ? Material::Model : Material::Texture};
        if (!isStorableFileName(material.fileName())) {
            prepared.unusableName.push_back(file.filename().string());
            continue;
        }
        std::optional<std::string> bytes = importBytes(file, kind);
        if (!bytes) {
            prepared.unreadable.push_back(file.filename().string());
            continue;
        }
        putItem(prepared.items, {material.fileName(), std::move(*bytes)});
    }
    return prepared;
}

std::vector<std::string> writeImport(const fs::path& workspace, const PreparedImport& prepared) {
    std::vector<std::string> failed;
    for (const ImportItem& item : prepared.items) {
        if (!writeFileAtomically(workspace / item.fileName, item.bytes)) {
            failed.push_back(item.fileName);
        }
    }
    return failed;
}

QImage squareImage(const QImage& image) {
    const int side = std::max(image.width(), image.height());
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage((side - image.width()) / 2, (side - image.height()) / 2,
                      image.convertToFormat(QImage::Format_ARGB32));
    return square;
}

bool isUsableMaterialFile(const fs::path& workspace, const Material& material) {
    const fs::path file = workspace / material.fileName();
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        return false;
    }
    if (material.kind == Material::Model) {
        return readWholeFile(file).has_value();
    }
    QImageReader reader(qtPath(file));
    return reader.canRead() && reader.size().isValid();
}

Status deleteMaterialFile(const fs::path& workspace, const Material& material) {
    std::error_code ec;
    if (!fs::remove(workspace / material.fileName(), ec) || ec) {
        return systemReason(ec ? ec.message() : "no such file");
    }
    return {};
}

Status copyMaterialFile(const fs::path& workspace, const Material& material, const fs::path& target) {
    const std::optional<std::string> bytes = readWholeFile(workspace / material.fileName());
    if (!bytes) {
        return Message{kCannotRead, {material.fileName()}};
    }
    return writeFileAtomically(target, *bytes);
}

Status transformTextureFile(const fs::path& file, TextureTransform transform) {
    const std::optional<QImage> image = readImage(file);
    if (!image) {
        return Message{kCannotRead, {file.filename().string()}};
    }
    const std::optional<std::string> png = encodePng(image->transformed(transformFor(transform)));
    if (!png) {
        return Message{"cannot encode %1", {file.filename().string()}};
    }
    return writeFileAtomically(file, *png);
}

} // namespace vintrel
