#include "ui/panels/node_clip.h"

#include "persist/atomic_file.h"
#include "persist/package.h"
#include "persist/settings_file.h"
#include "platform/text_codec.h"
#include "ui/panels/material_files.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vintrel {

namespace {

constexpr int kClipVersion = 1;
constexpr qsizetype kMaxClipBytes = 256LL << 20;

// The names resolved through a holder, since the resolvers visit descendants only.
template <typename Resolve>
void resolveWithHolder(std::unique_ptr<EffectNode>& top, Resolve resolve) {
    EffectNode holder;
    holder.appendChild(std::move(top));
    resolve(holder);
    top = holder.takeChild(0);
    top->m_parent = nullptr;
}

QString kindName(Material::Kind kind) {
    return kind == Material::Model ? QStringLiteral("model") : QStringLiteral("texture");
}

constexpr const char* kCannotRenameMaterial = "素材「%1」は名前が長すぎるため、別の名前で追加できません。";

Message damaged() {
    return Message{kDamagedNodeClip};
}

} // namespace

Result<NodeClip> copyNodeClip(const EffectNode& top, const GlobalState& g) {
    NodeClip clip;
    clip.top = detachedCopy(top);
    resolveWithHolder(clip.top, [&g](EffectNode& holder) { resolveMaterialNames(holder, g.materials); });
    // The materials the subtree uses, textures first as a material list keeps them.
    MaterialList used;
    for (const Material& material : g.materials) {
        bool uses = false;
        forEachInSubtree(*clip.top, [&](EffectNode& node) {
            uses |= material.kind == Material::Texture ? node.m_texture.name == material.name
                                                       : node.m_shape.modelName == material.name;
        });
        if (uses) {
            const std::optional<std::string> bytes = readWholeFile(g.workspace / material.fileName());
            if (!bytes) {
                return Message{"素材ファイル「%1」が見つからないか、読み込めません。", {material.fileName()}};
            }
            clip.materials.push_back({material, *bytes});
        }
    }
    const Result<std::string> sections = writeNodeSections(*clip.top);
    if (!sections) {
        return sections.error();
    }
    clip.settingsText = text::cp932ToUtf8Lenient(*sections);
    return clip;
}

QByteArray encodeNodeClip(const NodeClip& clip) {
    QJsonArray materials;
    for (const ClipMaterial& m : clip.materials) {
        materials.append(QJsonObject{
            {"name", QString::fromStdString(m.material.name)},
            {"kind", kindName(m.material.kind)},
            {"data", QString::fromLatin1(QByteArray::fromStdString(m.bytes).toBase64())},
        });
    }
    const QJsonObject root{
        {"vintrel-nodes", kClipVersion},
        {"settings", QString::fromStdString(clip.settingsText)},
        {"materials", materials},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

namespace {

Result<ClipMaterial> decodeMaterial(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const QString kind = object.value("kind").toString();
    ClipMaterial m;
    m.material.name = object.value("name").toString().toStdString();
    if (kind != kindName(Material::Texture) && kind != kindName(Material::Model)) {
        return damaged();
    }
    m.material.kind = kind == kindName(Material::Model) ? Material::Model : Material::Texture;
    const QByteArray::FromBase64Result data =
        QByteArray::fromBase64Encoding(object.value("data").toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (m.material.name.empty() || !isStorableFileName(m.material.fileName()) || !data || data.decoded.isEmpty()) {
        return damaged();
    }
    if (m.material.kind == Material::Texture && QImage::fromData(data.decoded).isNull()) {
        return damaged();
    }
    m.bytes = data.decoded.toStdString();
    return m;
}

} // namespace

Result<NodeClip> decodeNodeClip(const QByteArray& data) {
    if (data.size() > kMaxClipBytes) {
        return damaged();
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        root.value("vintrel-nodes").toInt() != kClipVersion || !root.value("settings").isString() ||
        !root.value("materials").isArray()) {
        return damaged();
    }
    NodeClip clip;
    for (const QJsonValue& value : root.value("materials").toArray()) {
        Result<ClipMaterial> material = decodeMaterial(value);
        if (!material) {
            return material.error();
        }
        clip.materials.push_back(std::move(*material));
    }
    clip.settingsText = root.value("settings").toString().toStdString();
    clip.top = readNodeSections(IniDocument::parse(text::utf8ToCp932Lenient(clip.settingsText)));
    if (clip.top == nullptr || !checkTreeNumbering(*clip.top)) {
        return damaged();
    }
    // The subtree's indices refer to the clip's materials, textures first.
    MaterialList list;
    for (const Material::Kind kind : {Material::Texture, Material::Model}) {
        for (const ClipMaterial& m : clip.materials) {
            if (m.material.kind == kind) {
                list.push_back(m.material);
            }
        }
    }
    resolveWithHolder(clip.top, [&list](EffectNode& holder) { resolveMaterialNames(holder, list); });
    return clip;
}

Result<std::map<std::string, std::string>> bringClipMaterials(const GlobalState& g, const NodeClip& clip) {
    std::map<std::string, std::string> renamed;
    const auto taken = [&g](const Material& m) {
        std::error_code ec;
        return std::filesystem::exists(g.workspace / m.fileName(), ec) ||
               std::any_of(g.materials.begin(), g.materials.end(),
                           [&m](const Material& other) { return other.name == m.name && other.kind == m.kind; });
    };
    for (const ClipMaterial& m : clip.materials) {
        Material target = m.material;
        if (taken(target)) {
            if (readWholeFile(g.workspace / target.fileName()) == m.bytes) {
                continue; // the project's own material, unchanged
            }
            for (int n = 2; taken(target); ++n) {
                target.name = m.material.name + "_" + std::to_string(n);
            }
            if (!isStorableFileName(target.fileName())) {
                return Message{kCannotRenameMaterial, {m.material.fileName()}};
            }
            renamed[m.material.fileName()] = target.name;
        }
        if (Status written = writeFileAtomically(g.workspace / target.fileName(), m.bytes); !written) {
            return written.error();
        }
    }
    return renamed;
}

void attachClipMaterials(std::unique_ptr<EffectNode>& top, const std::map<std::string, std::string>& renamed,
                         const MaterialList& materials) {
    const auto rename = [&renamed](std::string& name, const Material::Kind kind) {
        if (const auto it = renamed.find(Material{name, kind}.fileName()); !name.empty() && it != renamed.end()) {
            name = it->second;
        }
    };
    forEachInSubtree(*top, [&rename](EffectNode& node) {
        rename(node.m_texture.name, Material::Texture);
        rename(node.m_shape.modelName, Material::Model);
    });
    resolveWithHolder(top, [&materials](EffectNode& holder) { resolveMaterialIds(holder, materials); });
}

} // namespace vintrel
