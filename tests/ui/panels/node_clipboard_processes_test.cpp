// Nodes copied in one editor process and pasted in another, through the X server's clipboard:
// this program started again with --hold-clip copies a textured subtree and keeps the clipboard
// while the test pastes it into a project of its own.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "model/tree_operations.h"
#include "persist/atomic_file.h"
#include "ui/document/project_document.h"
#include "ui/panels/material_operations.h"
#include "ui/panels/node_clip.h"
#include "ui/panels/node_clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QSocketNotifier>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>

namespace vintrel {
namespace {

std::string redPng() {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// The other process: "spark" (texture "dot") with a child "trail", copied; it says "ready" and
// keeps the clipboard until its input closes.
int holdClip(const std::filesystem::path& workspace) {
    GlobalState g;
    test::startProject(g, workspace);
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    ProjectDocument document(g, defaults, notifier);
    if (!writeFileAtomically(workspace / "dot.png", redPng())) {
        return 2;
    }
    rebuildMaterials(g);
    g.pSelNode->setName("spark");
    g.pSelNode->m_kill.span = 21;
    g.pSelNode->m_texture.ID = textureIndexByName(g.materials, "dot");
    g.pSelNode->graph(SlotAlpha).setPoints({{0, 100}, {100, 0}});
    addChildNode(*g.pSelNode).setName("trail");
    if (!copySelectedNode(document, *QGuiApplication::clipboard(), notifier)) {
        return 3;
    }
    std::cout << "ready" << std::endl;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

TEST(NodeClipboardProcesses, NodesCopiedInOneProcessArePastedInAnother) {
    test::TempDir dir;
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--hold-clip"), QString::fromStdString((dir.path() / "other").string())});
    ASSERT_TRUE(other.waitForStarted(20000));
    ASSERT_TRUE(other.waitForReadyRead(60000)) << other.readAllStandardError().toStdString();
    ASSERT_EQ(other.readLine().trimmed(), QByteArray("ready"));

    GlobalState g;
    test::startProject(g, dir.path() / "here");
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    ProjectDocument document(g, defaults, notifier);
    EffectNode* target = g.pSelNode;
    // The clipboard's owner is the other process: its data comes through the X server.
    QTRY_VERIFY_WITH_TIMEOUT(
        QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(kNodeClipMimeType)), 20000);
    ASSERT_TRUE(pasteNode(document, *QGuiApplication::clipboard(), notifier));
    EXPECT_TRUE(notifier.messages.empty());
    ASSERT_EQ(target->childCount(), 1);
    const EffectNode& spark = *target->child(0);
    EXPECT_EQ(spark.m_name, "spark");
    EXPECT_EQ(spark.m_kill.span, 21);
    EXPECT_EQ(spark.graph(SlotAlpha).points(), (std::vector<CurvePoint>{{0, 100}, {100, 0}}));
    EXPECT_EQ(textureName(g.materials, spark.m_texture.ID), "dot");
    EXPECT_EQ(readWholeFile(g.workspace / "dot.png"), redPng());
    ASSERT_EQ(spark.childCount(), 1);
    EXPECT_EQ(spark.child(0)->m_name, "trail");

    other.closeWriteChannel();
    EXPECT_TRUE(other.waitForFinished(20000));
    EXPECT_EQ(other.exitCode(), 0);
}

} // namespace
} // namespace vintrel

// Runs on the X server tests/support/with_xvfb.sh starts for it.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--hold-clip") == 0) {
        return vintrel::holdClip(argv[2]);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
