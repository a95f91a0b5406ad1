// Nodes through the clipboard on the off-screen platform: a subtree copied in one project and
// pasted in another equals its source in every key and curve, brings its materials (renamed on a
// clash of names with other pixels), is one undo step, and damaged clipboard data changes nothing.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "model/node_members.h"
#include "model/tree_operations.h"
#include "persist/atomic_file.h"
#include "persist/settings_file.h"
#include "ui/document/project_document.h"
#include "ui/panels/material_operations.h"
#include "ui/panels/node_clip.h"
#include "ui/panels/node_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

std::string pngOf(QColor color) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

struct Project {
    explicit Project(const std::filesystem::path& workspace) {
        test::startProject(g, workspace);
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }
    void addTexture(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeFileAtomically(g.workspace / (name + ".png"), bytes));
        rebuildMaterials(g);
    }
    int textureIndex(const std::string& name) const { return textureIndexByName(g.materials, name); }

    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
};

// Every member but the identity and the texture index, every curve, and the texture by name.
void expectSameNode(const EffectNode& a, const MaterialList& ma, const EffectNode& b, const MaterialList& mb,
                    const std::map<std::string, std::string>& renamed) {
    SCOPED_TRACE(a.m_name);
    EXPECT_EQ(a.m_name, b.m_name);
    for (const NodeMember& member : nodeMembers()) {
        if (member.key != "m_ID" && member.key != "m_texture.ID") {
            EXPECT_EQ(member.value(a), member.value(b)) << member.key;
        }
    }
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        EXPECT_EQ(a.graph(slot).points(), b.graph(slot).points()) << "curve " << slot;
    }
    const std::string name = textureName(ma, a.m_texture.ID);
    const auto it = renamed.find(name);
    EXPECT_EQ(textureName(mb, b.m_texture.ID), it != renamed.end() ? it->second : name);
    ASSERT_EQ(a.childCount(), b.childCount());
    for (int k = 0; k < a.childCount(); ++k) {
        expectSameNode(*a.child(k), ma, *b.child(k), mb, renamed);
    }
}

class NodeClipTest : public testing::Test {
protected:
    NodeClipTest() {
        // From: "fire" (flame, red) with "ember" (smoke, grey); both with their own curves.
        from.addTexture("flame", pngOf(Qt::red));
        from.addTexture("smoke", pngOf(Qt::gray));
        fire = from.g.pSelNode;
        fire->setName("fire");
        fire->m_kill.span = 33;
        fire->m_texture.ID = from.textureIndex("flame");
        fire->graph(SlotAlpha).setPoints({{0, 0}, {30, 80}, {100, 5}});
        EffectNode& ember = addChildNode(*fire);
        ember.setName("ember");
        ember.m_texture.ID = from.textureIndex("smoke");
        ember.graph(SlotWidth).setPoints({{0, 50}, {100, 120}});
        from.g.nodeCount = countNodes(*from.g.rootNode);
        // To: a "flame" of other pixels and the same "smoke".
        to.addTexture("flame", pngOf(Qt::blue));
        to.addTexture("smoke", pngOf(Qt::gray));
    }

    TempDir dir;
    Project from{dir.path() / "from"};
    Project to{dir.path() / "to"};
    EffectNode* fire = nullptr;
    QClipboard& clipboard = *QGuiApplication::clipboard();
};

TEST_F(NodeClipTest, ASubtreeCopiedInOneProjectIsPastedInAnotherWithItsMaterials) {
    ASSERT_TRUE(copySelectedNode(*from.document, clipboard, from.notifier));
    EXPECT_TRUE(clipboard.mimeData()->text().contains(QStringLiteral("m_kill.span=33")));
    const std::size_t entries = to.document->history().entries().size();
    EffectNode* target = to.g.pSelNode;

    ASSERT_TRUE(pasteNode(*to.document, clipboard, to.notifier));
    EXPECT_TRUE(to.notifier.messages.empty());
    ASSERT_EQ(target->childCount(), 1);
    const EffectNode& pasted = *target->child(0);
    EXPECT_EQ(to.g.pSelNode, &pasted);
    expectSameNode(*fire, from.g.materials, pasted, to.g.materials, {{"flame", "flame_2"}});
    // The clash of names is a new material with the copied pixels; the same smoke is shared.
    EXPECT_EQ(readWholeFile(to.g.workspace / "flame_2.png"), pngOf(Qt::red));
    EXPECT_EQ(readWholeFile(to.g.workspace / "flame.png"), pngOf(Qt::blue));
    EXPECT_EQ(to.g.materials.size(), 3u);
    EXPECT_NE(pasted.m_ID, target->m_ID);
    EXPECT_EQ(to.g.nodeCount, countNodes(*to.g.rootNode));

    // One undo step takes the subtree away again.
    ASSERT_EQ(to.document->history().entries().size(), entries + 1);
    ASSERT_TRUE(to.document->undo());
    EXPECT_EQ(target->childCount(), 0);

    // Pasted back into its own project, nothing is renamed or added.
    ASSERT_TRUE(pasteNode(*from.document, clipboard, from.notifier));
    EXPECT_EQ(from.g.materials.size(), 2u);
    ASSERT_EQ(fire->childCount(), 2);
    const EffectNode& again = *fire->child(1);
    EXPECT_EQ(again.m_name, "fire");
    EXPECT_EQ(textureName(from.g.materials, again.m_texture.ID), "flame");
    ASSERT_EQ(again.childCount(), 1);
    EXPECT_EQ(textureName(from.g.materials, again.child(0)->m_texture.ID), "smoke");
}

TEST_F(NodeClipTest, DamagedClipboardDataIsRefusedAndChangesNothing) {
    ASSERT_TRUE(copySelectedNode(*from.document, clipboard, from.notifier));
    const QByteArray good = clipboard.mimeData()->data(QString::fromLatin1(kNodeClipMimeType));
    const auto edited = [&good](const char* key, const QJsonValue& value) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
        root.insert(QString::fromLatin1(key), value);
        return QJsonDocument(root).toJson();
    };
    const auto material = [&good](const char* key, const QString& value) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
        QJsonArray list = root.value("materials").toArray();
        QJsonObject first = list.at(0).toObject();
        first.insert(QString::fromLatin1(key), value);
        list.replace(0, first);
        root.insert("materials", list);
        return QJsonDocument(root).toJson();
    };
    const std::pair<const char*, QByteArray> cases[] = {
        {"not JSON", "{\"vintrel-nodes\": 1, "},
        {"another version", edited("vintrel-nodes", 2)},
        {"no settings", edited("settings", 5)},
        {"no node section", edited("settings", QStringLiteral("[2]\r\nm_name=x\r\n"))},
        {"a folder in a material's name", material("name", QStringLiteral("../flame"))},
        {"a comma in a material's name", material("name", QStringLiteral("fl,ame"))},
        {"not base64", material("data", QStringLiteral("%%%"))},
        {"a texture that is no image", material("data", QString::fromLatin1(QByteArray("not a png").toBase64()))},
        {"an unknown kind", material("kind", QStringLiteral("sound"))},
    };
    const std::string tree = writeSettings(to.g);
    const MaterialList materials = to.g.materials;
    for (const auto& [what, data] : cases) {
        SCOPED_TRACE(what);
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(kNodeClipMimeType), data);
        clipboard.setMimeData(mime);
        to.notifier.messages.clear();
        EXPECT_FALSE(pasteNode(*to.document, clipboard, to.notifier));
        ASSERT_EQ(to.notifier.messages.size(), 1u);
        EXPECT_EQ(to.notifier.messages.front().second, kDamagedNodeClip);
        EXPECT_EQ(writeSettings(to.g), tree);
        EXPECT_EQ(to.g.materials, materials);
        EXPECT_EQ(to.document->history().entries().size(), 1u);
    }
    // Text alone (another program's) is not a clip: nothing happens and nothing is said.
    clipboard.setText(QStringLiteral("m_name=x"));
    to.notifier.messages.clear();
    EXPECT_FALSE(pasteNode(*to.document, clipboard, to.notifier));
    EXPECT_TRUE(to.notifier.messages.empty());
}

} // namespace
} // namespace vintrel
