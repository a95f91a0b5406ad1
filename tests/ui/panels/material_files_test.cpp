// The material commands on a project's workspace, without the panel: importing images as square
// PNG textures and copying models, leaving out what cannot be read, deleting, mirroring and
// rotating, each with the nodes' references kept on their materials.
#include "persist/materials.h"
#include "support/result_checks.h"
#include "support/test_files.h"
#include "support/test_projects.h"
#include "ui/panels/material_operations.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TempDir;
using test::writeFile;

const QRgb kRed = qRgba(255, 0, 0, 255);
const QRgb kBlue = qRgba(0, 0, 255, 255);
const QRgb kClear = qRgba(0, 0, 0, 0);

std::vector<std::string> materialNames(const MaterialList& list) {
    std::vector<std::string> names;
    for (const Material& material : list) {
        names.push_back(material.name + (material.kind == Material::Model ? " (model)" : ""));
    }
    return names;
}

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

QImage filled(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QImage loaded(const fs::path& file) {
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
}

class MaterialFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::startProject(g, dir.path() / "ws");
        std::string error;
        ASSERT_TRUE(test::succeeded(writePlaceholderTexture(g.workspace)));
        placeholder = readFile(g.workspace / kPlaceholderTextureName);
    }

    // A file outside the workspace, as the user picks it.
    fs::path saveImage(const QImage& image, const std::string& fileName, const char* format = "PNG") {
        const fs::path file = dir.path() / "chosen" / fileName;
        fs::create_directories(file.parent_path());
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), format)) << fileName;
        return file;
    }
    fs::path saveText(const std::string& fileName, const std::string& text) {
        const fs::path file = dir.path() / "chosen" / fileName;
        writeFile(file, text);
        return file;
    }
    ImportReport import(const std::vector<fs::path>& files) { return applyImport(g, prepareImport(files)); }
    void importTextures(const std::vector<std::string>& names) {
        std::vector<fs::path> files;
        for (const std::string& name : names) {
            files.push_back(saveImage(filled(4, 4, kBlue), name + ".png"));
        }
        ASSERT_TRUE(import(files).complete());
    }
    void importModels(const std::vector<std::string>& names) {
        std::vector<fs::path> files;
        for (const std::string& name : names) {
            files.push_back(saveText(name + ".obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
        }
        ASSERT_TRUE(import(files).complete());
    }
    EffectNode& addNode(int textureId, int shapeType) {
        EffectNode& node = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
        node.m_texture.ID = textureId;
        node.m_shape.type = shapeType;
        return node;
    }

    TempDir dir{"vintrel-material-files"};
    GlobalState g;
    std::string placeholder;
};

// ---- import -------------------------------------------------------------------------------------

TEST_F(MaterialFilesTest, ImagesBecomeSquareTransparentPngsWithThePictureCentred) {
    struct Case {
        int width;
        int height;
        int side;
        QPoint pictureTopLeft;
    };
    const Case cases[] = {
        {300, 100, 300, {0, 100}}, // centred vertically
        {100, 300, 300, {100, 0}}, // centred horizontally
        {101, 100, 101, {0, 0}},   // an odd margin leaves its extra row at the bottom
        {64, 64, 64, {0, 0}},      // already square
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const std::string name = "pic" + std::to_string(c.width) + "x" + std::to_string(c.height);
        ASSERT_TRUE(import({saveImage(filled(c.width, c.height, kRed), name + ".png")}).complete());

        const QImage square = loaded(g.workspace / (name + ".png"));
        ASSERT_EQ(square.size(), QSize(c.side, c.side));
        const QRect picture(c.pictureTopLeft, QSize(c.width, c.height));
        for (const QPoint p : {picture.topLeft(), picture.bottomRight(), picture.center()}) {
            EXPECT_EQ(square.pixel(p), kRed) << p.x() << "," << p.y();
        }
        // The margins around the picture are transparent.
        const QPoint outside[] = {{picture.left(), picture.top() - 1},
                                  {picture.left(), picture.bottom() + 1},
                                  {picture.left() - 1, picture.top()},
                                  {picture.right() + 1, picture.top()}};
        for (const QPoint p : outside) {
            if (square.rect().contains(p)) {
                EXPECT_EQ(square.pixel(p), kClear) << p.x() << "," << p.y();
            }
        }
    }
    EXPECT_EQ(materialNames(g.materials),
              (std::vector<std::string>{"pic100x300", "pic101x100", "pic300x100", "pic64x64"}));
}

TEST_F(MaterialFilesTest, AJpegNamedLikeATextureReplacesIt) {
    ASSERT_TRUE(import({saveImage(filled(10, 10, kBlue), "fire.png")}).complete());
    ASSERT_TRUE(import({saveImage(filled(20, 10, kRed), "fire.jpg", "JPG")}).complete());

    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"fire"});
    EXPECT_EQ(filesIn(g.workspace), (std::set<std::string>{"fire.png", kPlaceholderTextureName}));
    const QImage texture = loaded(g.workspace / "fire.png");
    ASSERT_EQ(texture.size(), QSize(20, 20));
    const QColor middle = QColor::fromRgba(texture.pixel(10, 10));
    EXPECT_GT(middle.red(), 200); // JPEG is lossy: red, not exactly 255
    EXPECT_LT(middle.blue(), 60);
    EXPECT_EQ(qAlpha(texture.pixel(10, 2)), 0);
}

TEST_F(MaterialFilesTest, ModelsAreCopiedAsTheyAre) {
    const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    ASSERT_TRUE(import({saveText("Ship.OBJ", obj)}).complete());
    // Kept under the name the package and the renderer look for.
    EXPECT_EQ(readFile(g.workspace / "Ship.obj"), obj);
    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"Ship (model)"});
}

TEST_F(MaterialFilesTest, FilesThatCannotBeReadAreReportedByNameAndNothingIsWrittenForThem) {
    const ImportReport report =
        import({saveText("broken.png", "not an image"), dir.path() / "gone.obj",
                saveText("notes.txt", "ignored"), saveImage(filled(2, 2, kRed), "ok.png")});

    EXPECT_EQ(report.unreadable, (std::vector<std::string>{"broken.png", "gone.obj"}));
    EXPECT_TRUE(report.unusableName.empty());
    EXPECT_TRUE(report.unwritable.empty());
    EXPECT_EQ(filesIn(g.workspace), (std::set<std::string>{"ok.png", kPlaceholderTextureName}));
    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"ok"});
}

TEST_F(MaterialFilesTest, NamesAPackageCannotCarryAreRefused) {
    const PreparedImport prepared = prepareImport(
        {saveImage(filled(2, 2, kRed), "a,b.png"), saveImage(filled(2, 2, kRed), kPlaceholderTextureName)});

    EXPECT_TRUE(prepared.items.empty());
    EXPECT_EQ(prepared.unusableName, (std::vector<std::string>{"a,b.png", kPlaceholderTextureName}));
    applyImport(g, prepared);
    EXPECT_EQ(readFile(g.workspace / kPlaceholderTextureName), placeholder);
    EXPECT_TRUE(g.materials.empty());
}

TEST_F(MaterialFilesTest, ImportingATextureKeepsANodesFirstModel) {
    importTextures({"b"});
    importModels({"box", "ring"});
    EffectNode& node = addNode(0, ShapeParams::FirstModel);

    importTextures({"a"}); // sorts ahead of "b"

    EXPECT_EQ(materialNames(g.materials),
              (std::vector<std::string>{"a", "b", "box (model)", "ring (model)"}));
    EXPECT_EQ(node.m_shape.type, ShapeParams::FirstModel);
    EXPECT_EQ(node.m_texture.ID, 1);
}

// ---- delete -------------------------------------------------------------------------------------

TEST_F(MaterialFilesTest, DeletingTheSecondOfThreeTextures) {
    importTextures({"t1", "t2", "t3"});
    EffectNode& onSecond = addNode(1, ShapeParams::Billboard);
    EffectNode& onThird = addNode(2, ShapeParams::Billboard);
    g.mask.texID = 3; // t3

    std::string error;
    ASSERT_TRUE(test::succeeded(deleteMaterial(g, 1)));

    EXPECT_EQ(materialNames(g.materials), (std::vector<std::string>{"t1", "t3"}));
    EXPECT_FALSE(fs::exists(g.workspace / "t2.png"));
    EXPECT_EQ(onSecond.m_texture.ID, -1);
    EXPECT_EQ(onThird.m_texture.ID, 1);
    EXPECT_EQ(g.mask.texID, 2);
}

TEST_F(MaterialFilesTest, ADeletedModelsShapeNumberStays) {
    importTextures({"t1"});
    importModels({"box", "ring"});
    EffectNode& onBox = addNode(-1, ShapeParams::FirstModel);
    EffectNode& onRing = addNode(-1, ShapeParams::FirstModel + 1);

    std::string error;
    ASSERT_TRUE(test::succeeded(deleteMaterial(g, 1)));

    EXPECT_FALSE(fs::exists(g.workspace / "box.obj"));
    EXPECT_EQ(onBox.m_shape.type, ShapeParams::FirstModel);
    EXPECT_EQ(onRing.m_shape.type, ShapeParams::FirstModel);
}

TEST_F(MaterialFilesTest, DeletingNothingChangesNothing) {
    importTextures({"t1"});
    std::string error;
    error = test::failureText(deleteMaterial(g, 1));
    EXPECT_FALSE(error.empty());
    error = test::failureText(deleteMaterial(g, -1));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"t1"});
}

// ---- mirror and rotate --------------------------------------------------------------------------

TEST_F(MaterialFilesTest, MirrorAndRotateMoveEveryPixel) {
    // Four corners of distinct colours: top left, top right, bottom left, bottom right.
    const QRgb tl = qRgba(255, 0, 0, 255), tr = qRgba(0, 255, 0, 255);
    const QRgb bl = qRgba(0, 0, 255, 255), br = qRgba(255, 255, 255, 128);
    QImage corners(2, 2, QImage::Format_ARGB32);
    corners.setPixel(0, 0, tl);
    corners.setPixel(1, 0, tr);
    corners.setPixel(0, 1, bl);
    corners.setPixel(1, 1, br);
    struct Case {
        TextureTransform transform;
        QRgb expected[2][2]; // [y][x]
    };
    const Case cases[] = {
        {TextureTransform::MirrorLeftRight, {{tr, tl}, {br, bl}}},
        {TextureTransform::MirrorTopBottom, {{bl, br}, {tl, tr}}},
        {TextureTransform::RotateClockwise, {{bl, tl}, {br, tr}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.transform));
        ASSERT_TRUE(import({saveImage(corners, "corners.png")}).complete());
        const Result<TransformOutcome> outcome = transformMaterial(g, 0, c.transform);
        ASSERT_TRUE(test::succeeded(outcome));
        ASSERT_EQ(*outcome, TransformOutcome::Done);
        const QImage result = loaded(g.workspace / "corners.png");
        ASSERT_EQ(result.size(), QSize(2, 2));
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 2; ++x) {
                EXPECT_EQ(result.pixel(x, y), c.expected[y][x]) << x << "," << y;
            }
        }
    }
}

TEST_F(MaterialFilesTest, FlippingAModelIsRefusedAndChangesNothing) {
    importModels({"box"});
    const std::string before = readFile(g.workspace / "box.obj");
    EffectNode& node = addNode(-1, ShapeParams::FirstModel);

    EXPECT_EQ(transformMaterial(g, 0, TextureTransform::MirrorLeftRight).value_or(TransformOutcome::Done),
              TransformOutcome::RefusedForModel);
    EXPECT_EQ(transformMaterial(g, 5, TextureTransform::MirrorLeftRight).value_or(TransformOutcome::Done),
              TransformOutcome::NoMaterial);
    EXPECT_EQ(readFile(g.workspace / "box.obj"), before);
    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"box (model)"});
    EXPECT_EQ(node.m_shape.type, ShapeParams::FirstModel);
}

// ---- save a copy and the list's own rules -------------------------------------------------------

TEST_F(MaterialFilesTest, ACopyHasTheWorkspaceFilesBytes) {
    importTextures({"fire"});
    const fs::path target = dir.path() / "out" / "copy.png";
    fs::create_directories(target.parent_path());
    std::string error;
    ASSERT_TRUE(test::succeeded(copyMaterialFile(g.workspace, g.materials[0], target)));
    EXPECT_EQ(readFile(target), readFile(g.workspace / "fire.png"));
}

TEST_F(MaterialFilesTest, TheRebuiltListLeavesOutFilesThatCannotBeUsed) {
    importTextures({"good"});
    writeFile(g.workspace / "damaged.png", "no picture here");
    writeFile(g.workspace / "photo.jpg", "no png beside it");
    rebuildMaterials(g);
    EXPECT_EQ(materialNames(g.materials), std::vector<std::string>{"good"});
}

TEST(ImportKindTest, ByExtensionInAnyCase) {
    struct Case {
        const char* file;
        ImportKind kind;
    };
    const Case cases[] = {
        {"a.png", ImportKind::Image},  {"a.BMP", ImportKind::Image}, {"a.Jpg", ImportKind::Image},
        {"a.jpeg", ImportKind::Image}, {"a.OBJ", ImportKind::Model}, {"a.stn", ImportKind::Other},
        {"a.gif", ImportKind::Other},  {"png", ImportKind::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(importKindOf(c.file), c.kind) << c.file;
    }
}

} // namespace
} // namespace vintrel
