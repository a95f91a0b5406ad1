// The material list of an opened package: the order the package lists its materials in, which is
// what the saved texture and model indices refer to, and the placeholder texture in the fresh
// workspace.
#include "persist/materials.h"
#include "persist/package.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"
#include "persist/workspace.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::startProject;
using test::TempDir;
using test::writeFile;

std::vector<std::string> materialNames(const MaterialList& list) {
    std::vector<std::string> names;
    for (const Material& material : list) {
        names.push_back(material.name + (material.kind == Material::Model ? " (model)" : ""));
    }
    return names;
}

std::string entry(const std::string& name, const std::string& data) {
    return name + "," + std::to_string(data.size()) + "," + data;
}

class MaterialOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        startProject(g, tmp.path() / "ws");
        startProject(opened, tmp.path() / "opened");
    }

    // Adds a node below the root named after the texture it uses.
    void addNodeUsing(const std::string& texture, int textureId) {
        EffectNode& node = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
        node.setName(texture);
        node.m_texture.ID = textureId;
    }

    bool open(const fs::path& file) { return loadProject(opened, file, defaults, notifier); }

    TempDir tmp{"vintrel-material-order"};
    GlobalState g;
    GlobalState opened;
    BuiltInProjectDefaults defaults;
    test::FailingNotifier notifier;
};

// Lower-cased name order would put "A[1]" before "a_b" before "ab"; the writing program's list
// had them as ab, A[1], a_b (upper-cased order, as its file system listed them).
TEST_F(MaterialOrderTest, NodesKeepTheirTexturesAfterSaveAndReopen) {
    const std::vector<std::string> names = {"ab", "A[1]", "a_b"};
    g.rootNode->clearChildren();
    for (std::size_t i = 0; i < names.size(); ++i) {
        writeFile(g.workspace / (names[i] + ".png"), "\x89PNG " + names[i]);
        g.materials.push_back({names[i], Material::Texture});
        addNodeUsing(names[i], static_cast<int>(i));
    }
    const fs::path saved = tmp.path() / "order.stn";
    ASSERT_TRUE(saveProject(g, saved, notifier));

    ASSERT_TRUE(open(saved));
    EXPECT_EQ(materialNames(opened.materials), names);
    ASSERT_EQ(opened.rootNode->m_children.size(), names.size());
    for (const auto& node : opened.rootNode->m_children) {
        EXPECT_EQ(textureName(opened.materials, node->m_texture.ID), node->m_name);
    }
    const fs::path again = tmp.path() / "again.stn";
    ASSERT_TRUE(saveProject(opened, again, notifier));
    EXPECT_EQ(readFile(again), readFile(saved));
}

TEST_F(MaterialOrderTest, ListedOrderWithTexturesAheadOfModels) {
    const std::string settings = writeSettings(g);
    const fs::path file = tmp.path() / "listed.stn";
    // A package that lists a model first: the parameter panels need the textures first.
    writeFile(file, "SartuneData,6,4," + entry("m.obj", "v 0 0 0\n") + entry("zeta.png", "z") +
                        entry("Alpha.png", "a") + entry("b.obj", "v 1 1 1\n") + entry("save.ini", settings));
    ASSERT_TRUE(open(file));
    EXPECT_EQ(materialNames(opened.materials),
              (std::vector<std::string>{"zeta", "Alpha", "m (model)", "b (model)"}));
}

TEST_F(MaterialOrderTest, FilesTheListLeavesOutFollowAndUnusableOnesAreDropped) {
    writeFile(g.workspace / "listed.png", "l");
    writeFile(g.workspace / "extra.png", "e");
    writeFile(g.workspace / "photo.jpg", "j"); // no "photo.png": could be neither drawn nor saved
    writeFile(g.workspace / "box.obj", "v 0 0 0\n");
    const std::vector<std::string> entryNames = {"listed.png", "photo.jpg", "box.obj", "save.ini"};
    EXPECT_EQ(materialNames(materialsInListedOrder(g.workspace, entryNames)),
              (std::vector<std::string>{"listed", "extra", "box (model)"}));
}

TEST_F(MaterialOrderTest, OpeningLeavesThePlaceholderTextureInTheWorkspace) {
    const fs::path runWorkspace = createRunWorkspace(tmp.path() / "root");
    ASSERT_FALSE(runWorkspace.empty());
    const std::string placeholder = readFile(runWorkspace / kPlaceholderTextureName);

    const fs::path file = tmp.path() / "with-own-placeholder.stn";
    // A package that carries a file of the placeholder's name does not replace the editor's own.
    writeFile(file, "SartuneData,6,2," + entry("fire.png", "f") + entry(kPlaceholderTextureName, "x") +
                        entry("save.ini", writeSettings(g)));
    ASSERT_TRUE(open(file));
    EXPECT_EQ(readFile(opened.workspace / kPlaceholderTextureName), placeholder);
    EXPECT_EQ(materialNames(opened.materials), std::vector<std::string>{"fire"});
}

} // namespace
} // namespace vintrel
