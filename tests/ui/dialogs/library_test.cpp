// The starter library: its table against the shipped folder, every effect opened and played, the
// thumbnails read back, and the grid dialog driven by keys.
#include "engine/simulation.h"
#include "persist/project_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "ui/dialogs/library_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace vintrel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const fs::path kSourceLibrary = VINTREL_LIBRARY_SOURCE;
const fs::path kBuiltLibrary = VINTREL_LIBRARY_BUILT;

TEST(StarterLibrary, TableAndShippedFolderNameTheSameEffects) {
    std::set<std::string> shipped;
    for (const auto& entry : fs::directory_iterator(kSourceLibrary)) {
        if (entry.path().extension() == ".stn") {
            shipped.insert(entry.path().stem().string());
        }
    }
    std::set<std::string> listed;
    std::set<std::string> names;
    for (const StarterEffect& effect : starterEffects()) {
        listed.insert(effect.stem);
        names.insert(effect.name);
    }
    EXPECT_EQ(listed, shipped);
    EXPECT_GE(listed.size(), 12u);
    EXPECT_EQ(names.size(), listed.size()) << "every effect has a name of its own";
}

// Each effect loads with every texture its nodes name, and over its length it shows particles.
TEST(StarterLibrary, EveryEffectOpensWithItsTexturesAndPlays) {
    for (const StarterEffect& effect : starterEffects()) {
        SCOPED_TRACE(effect.stem);
        TempDir dir;
        GlobalState g;
        g.workspace = dir.path();
        BuiltInProjectDefaults defaults;
        test::RecordingNotifier notifier;
        ASSERT_TRUE(loadProject(g, starterProjectFile(kSourceLibrary, effect), defaults, notifier));
        EXPECT_TRUE(notifier.messages.empty());
        forEachInSubtree(*g.rootNode, [&](EffectNode& node) {
            if (node.m_texture.ID >= 0) {
                EXPECT_LT(node.m_texture.ID, static_cast<int>(g.materials.size())) << node.m_name;
            }
        });
        Simulation simulation(g);
        simulation.reset();
        std::size_t most = 0;
        for (int frame = 1; frame <= g.project.frame; ++frame) {
            simulation.step();
            most = std::max(most, simulation.particles().size());
        }
        EXPECT_GT(most, 20u) << "particles at the busiest frame";
    }
}

// Damaged or missing thumbnail data gives no thumbnail rather than a wrong one.
TEST(StarterLibrary, ThumbnailNeedsASheetAndFramesOnIt) {
    const StarterEffect& fire = starterEffects()[0];
    struct Case {
        const char* what;
        const char* data; // null: no data file
        bool readable;
    };
    const Case cases[] = {
        {"two frames", R"({"frames":[{"frame":{"x":0,"y":0,"w":4,"h":4},"duration":50},)"
                       R"({"frame":{"x":4,"y":0,"w":4,"h":4},"duration":50}]})", true},
        {"no data file", nullptr, false},
        {"not JSON", "frames", false},
        {"no frames", R"({"frames":[]})", false},
        {"a frame off the sheet", R"({"frames":[{"frame":{"x":6,"y":0,"w":4,"h":4}}]})", false},
        {"an empty frame", R"({"frames":[{"frame":{"x":0,"y":0,"w":0,"h":4}}]})", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        fs::create_directories(dir.path() / "thumbnails");
        QImage sheet(8, 4, QImage::Format_RGBA8888);
        sheet.fill(Qt::red);
        ASSERT_TRUE(sheet.save(QString::fromStdString((dir.path() / "thumbnails" / "fire.png").string())));
        if (c.data != nullptr) {
            test::writeFile(dir.path() / "thumbnails" / "fire.json", c.data);
        }
        const std::optional<Thumbnail> thumbnail = readThumbnail(dir.path(), fire);
        ASSERT_EQ(thumbnail.has_value(), c.readable);
        if (thumbnail) {
            EXPECT_EQ(thumbnail->frames.size(), 2u);
            EXPECT_EQ(thumbnail->frames[1].size(), QSize(4, 4));
            EXPECT_EQ(thumbnail->frameMs, 50);
        }
    }
}

QImage iconImage(const QListWidgetItem* item) {
    return item->icon().pixmap(QSize(96, 96)).toImage();
}

TEST(LibraryDialog, GridOfAnimatedThumbnailsChosenByKeys) {
    LibraryDialog dialog(kBuiltLibrary);
    QListWidget* grid = dialog.grid();
    ASSERT_EQ(grid->count(), static_cast<int>(starterEffects().size()));
    for (int row = 0; row < grid->count(); ++row) {
        EXPECT_EQ(grid->item(row)->text(), QString::fromUtf8(starterEffects()[static_cast<std::size_t>(row)].name));
    }
    // The fire's thumbnail moves on with the timer's step.
    const QImage first = iconImage(grid->item(0));
    dialog.advanceFrames();
    EXPECT_NE(iconImage(grid->item(0)), first);

    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentRow(), 2);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenFile(), kBuiltLibrary / (std::string(starterEffects()[2].stem) + ".stn"));
}

// An installation that lost files still offers what it has: an effect without its project is
// left out, one without its thumbnail shows a blank one; a rejected dialog chooses nothing.
TEST(LibraryDialog, ListsOnlyEffectsWhoseProjectIsThere) {
    TempDir dir;
    const StarterEffect& fire = starterEffects()[0];
    const StarterEffect& smoke = starterEffects()[1];
    fs::copy_file(starterProjectFile(kBuiltLibrary, fire), starterProjectFile(dir.path(), fire));
    fs::copy_file(starterProjectFile(kBuiltLibrary, smoke), starterProjectFile(dir.path(), smoke));
    fs::create_directories(dir.path() / "thumbnails");
    for (const char* extension : {".png", ".json"}) {
        fs::copy_file(kBuiltLibrary / "thumbnails" / (std::string("fire") + extension),
                      dir.path() / "thumbnails" / (std::string("fire") + extension));
    }
    LibraryDialog dialog(dir.path());
    ASSERT_EQ(dialog.grid()->count(), 2);
    EXPECT_EQ(dialog.missingNote(), nullptr);
    EXPECT_EQ(dialog.grid()->item(1)->text(), QString::fromUtf8(smoke.name));
    const QImage blank = iconImage(dialog.grid()->item(1));
    EXPECT_EQ(blank.pixelColor(48, 48), QColor(Qt::black));
    dialog.reject();
    EXPECT_FALSE(dialog.chosenFile().has_value());

    TempDir empty;
    LibraryDialog none(empty.path());
    EXPECT_EQ(none.grid()->count(), 0);
    ASSERT_NE(none.missingNote(), nullptr);
    EXPECT_FALSE(none.missingNote()->text().isEmpty());
    EXPECT_FALSE(none.openButton()->isEnabled());
}

} // namespace
} // namespace vintrel
