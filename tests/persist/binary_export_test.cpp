#include "persist/binary_export.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// One record of a node without children, curves of two points each and no texture name:
// 71 four-byte values, twelve curves of 4 + 2 * 8 bytes, the child count.
constexpr std::size_t kPlainRecordBytes = 71 * 4 + 12 * (4 + 2 * 8) + 4;
static_assert(kPlainRecordBytes == 528);

using test::readFile;
using test::RecordingNotifier;
using test::startProject;
using test::TempDir;
using test::writeFile;

// Little-endian reads at a byte offset, independent of the host.
std::int32_t i32At(const std::string& bytes, std::size_t offset) {
    EXPECT_LE(offset + 4, bytes.size());
    if (offset + 4 > bytes.size()) {
        return 0;
    }
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(v);
}

float f32At(const std::string& bytes, std::size_t offset) {
    const std::uint32_t bits = static_cast<std::uint32_t>(i32At(bytes, offset));
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Byte offset of the numbered value (1-based, as a reader of the format counts them) in a record
// starting at `record` whose texture name has `nameBytes` bytes. Value 50 is the name itself.
std::size_t valueOffset(int number, std::size_t nameBytes = 0, std::size_t record = 0) {
    const std::size_t k = static_cast<std::size_t>(number);
    return record + (k <= 50 ? (k - 1) * 4 : 49 * 4 + nameBytes + (k - 51) * 4);
}

class BinaryExportTest : public ::testing::Test {
protected:
    void SetUp() override { startProject(g, tmp.path() / "ws"); }

    EffectNode& firstNode() { return *g.rootNode->child(0); }
    std::string encode() const { return encodeBinaryExport(*g.rootNode, g.materials); }

    TempDir tmp{"vintrel-vtb-test"};
    GlobalState g;
    RecordingNotifier notifier;
};

TEST_F(BinaryExportTest, OneNodeRecordLayout) {
    EffectNode& n = firstNode();
    n.setName("名前は書き出さない");
    n.m_ID = 42;
    n.m_emitter.type = EmitterParams::Cylinder;
    n.m_emitter.size = {1.5f, 2.5f, 3.5f};
    n.m_emitter.isEvenInterval = 1;
    n.m_timing.start = 7;
    n.m_timing.num_err = 3;
    n.m_kill.isLand = 1;
    n.m_move.oneway_err = 8;
    n.m_move.dirX = 12.5f;
    n.m_move.dirY = -3.25f;
    n.m_move.speed = 17;
    n.m_move.speed_err = 4;
    n.m_move.gravity = -9;
    n.m_move.absorbPawer = 0.75f;
    n.m_move.absorbPos = {-1.0f, 2.0f, 6.5f};
    n.m_move.isParentShake = 0;
    n.m_shape.type = ShapeParams::Trail;
    n.m_shape.isUnderCut = 1;
    n.m_texture.isAdd = 1;
    n.m_texture.isLoop = 1;
    n.m_scale.max = 33;
    n.m_scale.max_err = 2;
    n.m_color.alphaRnd = 5;
    n.m_rotate.axis = RotateParams::Y;
    n.m_rotate.revDir = RotateParams::Reversed;

    const std::string bytes = encode();

    ASSERT_EQ(bytes.size(), kPlainRecordBytes);
    EXPECT_EQ(i32At(bytes, valueOffset(1)), 1);  // m_isDraw
    EXPECT_EQ(i32At(bytes, valueOffset(2)), 42); // m_ID
    EXPECT_EQ(i32At(bytes, valueOffset(3)), EmitterParams::Cylinder);
    EXPECT_EQ(f32At(bytes, valueOffset(4)), 1.5f);
    EXPECT_EQ(f32At(bytes, valueOffset(6)), 3.5f);
    EXPECT_EQ(i32At(bytes, valueOffset(14)), 1);  // isEvenInterval
    EXPECT_EQ(i32At(bytes, valueOffset(16)), 7);  // m_timing.start
    EXPECT_EQ(i32At(bytes, valueOffset(21)), 3);  // m_timing.num_err
    EXPECT_EQ(i32At(bytes, valueOffset(22)), 60); // m_kill.span
    EXPECT_EQ(i32At(bytes, valueOffset(27)), 1);  // m_kill.isLand
    EXPECT_EQ(i32At(bytes, valueOffset(29)), 8);  // oneway_err
    // Direction X, direction Y and speed, written twice.
    for (int first : {30, 33}) {
        SCOPED_TRACE(first);
        EXPECT_EQ(f32At(bytes, valueOffset(first)), 12.5f);
        EXPECT_EQ(f32At(bytes, valueOffset(first + 1)), -3.25f);
        EXPECT_EQ(i32At(bytes, valueOffset(first + 2)), 17);
    }
    EXPECT_EQ(i32At(bytes, valueOffset(36)), 4);  // speed_err
    EXPECT_EQ(i32At(bytes, valueOffset(38)), -9); // gravity
    EXPECT_EQ(f32At(bytes, valueOffset(39)), 0.75f);
    EXPECT_EQ(f32At(bytes, valueOffset(40)), -1.0f);
    EXPECT_EQ(f32At(bytes, valueOffset(42)), 6.5f);
    EXPECT_EQ(i32At(bytes, valueOffset(44)), 0); // isParentShake
    EXPECT_EQ(i32At(bytes, valueOffset(45)), ShapeParams::Trail);
    EXPECT_EQ(i32At(bytes, valueOffset(48)), 1);  // isUnderCut
    EXPECT_EQ(i32At(bytes, valueOffset(49)), 0);  // no texture name
    EXPECT_EQ(i32At(bytes, valueOffset(51)), 1);  // isAdd
    EXPECT_EQ(i32At(bytes, valueOffset(53)), 4);  // m_texture.w
    EXPECT_EQ(i32At(bytes, valueOffset(56)), 1);  // isLoop
    EXPECT_EQ(i32At(bytes, valueOffset(57)), 33); // m_scale.max
    EXPECT_EQ(i32At(bytes, valueOffset(58)), 2);  // m_scale.max_err
    EXPECT_EQ(i32At(bytes, valueOffset(63)), 5);  // alphaRnd
    EXPECT_EQ(i32At(bytes, valueOffset(64)), RotateParams::Y);
    EXPECT_EQ(i32At(bytes, valueOffset(69)), RotateParams::RevY); // revAxis
    EXPECT_EQ(i32At(bytes, valueOffset(72)), RotateParams::Reversed);
    EXPECT_EQ(valueOffset(72) + 4, 71u * 4);

    // The curves: two points each; the spin curve (slot 3) rises from y = 100.
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(i32At(bytes, 284 + static_cast<std::size_t>(slot) * 20), 2);
    }
    const std::size_t spin = 284 + 3 * 20;
    EXPECT_EQ(f32At(bytes, spin + 4), 0.0f);
    EXPECT_EQ(f32At(bytes, spin + 8), 100.0f);
    EXPECT_EQ(f32At(bytes, spin + 12), 100.0f);
    EXPECT_EQ(f32At(bytes, spin + 16), 0.0f);
    EXPECT_EQ(i32At(bytes, kPlainRecordBytes - 4), 0); // no children
}

TEST_F(BinaryExportTest, CurvesAreWrittenInSlotOrderWithTheirPoints) {
    firstNode().graph(SlotShake).setPoints({{0, 10}, {40.5f, 60}, {100, 90}});
    firstNode().graph(SlotWidth).setPoints({{0, 5}, {100, 7}});

    const std::string bytes = encode();

    ASSERT_EQ(bytes.size(), kPlainRecordBytes + 8);
    EXPECT_EQ(f32At(bytes, 284 + 8), 5.0f);
    EXPECT_EQ(f32At(bytes, 284 + 16), 7.0f);
    const std::size_t shake = 284 + 11 * 20;
    EXPECT_EQ(i32At(bytes, shake), 3);
    const float expected[] = {0, 10, 40.5f, 60, 100, 90};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(f32At(bytes, shake + 4 + i * 4), expected[i]) << i;
    }
    EXPECT_EQ(i32At(bytes, shake + 28), 0); // child count right after the last curve
}

TEST_F(BinaryExportTest, TextureNameIsThatOfTheSelectedMaterial) {
    g.materials = {{"fire", Material::Texture}, {"炎", Material::Texture}, {"box", Material::Model}};
    EffectNode& n = firstNode();
    n.m_texture.isAdd = 1;

    n.m_texture.ID = 0;
    std::string bytes = encode();
    ASSERT_EQ(bytes.size(), kPlainRecordBytes + 4);
    EXPECT_EQ(i32At(bytes, valueOffset(49)), 4);
    EXPECT_EQ(bytes.substr(valueOffset(50), 4), "fire");
    EXPECT_EQ(i32At(bytes, valueOffset(51, 4)), 1); // isAdd follows the name directly
    EXPECT_EQ(i32At(bytes, bytes.size() - 4), 0);

    // The name is stored in cp932.
    n.m_texture.ID = 1;
    bytes = encode();
    ASSERT_EQ(bytes.size(), kPlainRecordBytes + 2);
    EXPECT_EQ(i32At(bytes, valueOffset(49)), 2);
    EXPECT_EQ(bytes.substr(valueOffset(50), 2), "\x89\x8A");
    EXPECT_EQ(i32At(bytes, valueOffset(51, 2)), 1);

    // A model, no texture, or a position past the list: an empty name.
    for (int id : {2, -1, 3, 1000}) {
        SCOPED_TRACE(id);
        n.m_texture.ID = id;
        bytes = encode();
        ASSERT_EQ(bytes.size(), kPlainRecordBytes);
        EXPECT_EQ(i32At(bytes, valueOffset(49)), 0);
        EXPECT_EQ(i32At(bytes, valueOffset(51)), 1);
    }
    g.materials.clear();
    n.m_texture.ID = 0;
    EXPECT_EQ(encode().size(), kPlainRecordBytes);
}

TEST_F(BinaryExportTest, ChildrenFollowTheirParentDepthFirst) {
    EffectNode& first = firstNode();                                                              // ID 1
    EffectNode& child = first.appendChild(std::make_unique<EffectNode>(&first));                  // ID 2
    EffectNode& second = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get())); // ID 3
    ASSERT_EQ(child.m_ID, 2);
    ASSERT_EQ(second.m_ID, 3);

    const std::string bytes = encode();

    ASSERT_EQ(bytes.size(), 3 * kPlainRecordBytes);
    EXPECT_EQ(i32At(bytes, valueOffset(2)), 1);
    EXPECT_EQ(i32At(bytes, kPlainRecordBytes - 4), 1); // one child
    EXPECT_EQ(i32At(bytes, valueOffset(2, 0, kPlainRecordBytes)), 2);
    EXPECT_EQ(i32At(bytes, 2 * kPlainRecordBytes - 4), 0);
    EXPECT_EQ(i32At(bytes, valueOffset(2, 0, 2 * kPlainRecordBytes)), 3);
    EXPECT_EQ(i32At(bytes, 3 * kPlainRecordBytes - 4), 0);
}

TEST_F(BinaryExportTest, EmptyTreeExportsNothing) {
    g.rootNode->clearChildren();
    EXPECT_EQ(encode(), "");
}

TEST_F(BinaryExportTest, ExportWritesTheRecordsAndCopiesTexturesBesideThem) {
    const std::string png = "\x89PNG\r\n\x1a\n\0fire"s;
    writeFile(g.workspace / "fire.png", png);
    writeFile(g.workspace / "box.obj", "v 0 0 0\n");
    g.materials = {{"fire", Material::Texture}, {"box", Material::Model}};
    firstNode().m_texture.ID = 0;
    const fs::path out = tmp.path() / "out";
    fs::create_directories(out);
    const fs::path target = out / "effect.vtb";
    writeFile(target, std::string(4000, 'x')); // an older, longer export is replaced whole

    ASSERT_TRUE(exportBinary(g, target, notifier));

    EXPECT_TRUE(notifier.messages.empty());
    const std::string bytes = readFile(target);
    EXPECT_EQ(bytes.size(), kPlainRecordBytes + 4);
    EXPECT_EQ(bytes, encode());
    EXPECT_EQ(bytes.substr(valueOffset(50), 4), "fire");
    EXPECT_EQ(readFile(out / "fire"), png);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(out)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"effect.vtb", "fire"}));
}

// A texture that cannot be copied does not keep the others from being copied nor the records
// from being written; the missing ones are named in one message.
TEST_F(BinaryExportTest, MissingTexturesAreReportedTogetherAndTheRestIsWritten) {
    writeFile(g.workspace / "fire.png", "fire");
    g.materials = {{"ghost", Material::Texture}, {"fire", Material::Texture}, {"wisp", Material::Texture}};
    const fs::path target = tmp.path() / "effect.vtb";

    EXPECT_FALSE(exportBinary(g, target, notifier));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, "書き出しエラー");
    EXPECT_EQ(notifier.messages[0].second, "素材「ghost」、「wisp」をコピーできませんでした。");
    EXPECT_EQ(readFile(target), encode());
    EXPECT_EQ(readFile(tmp.path() / "fire"), "fire");
}

TEST_F(BinaryExportTest, MissingTargetFolderFailsWithAMessage) {
    const fs::path target = tmp.path() / "no-such-folder" / "effect.vtb";

    EXPECT_FALSE(exportBinary(g, target, notifier));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, "書き出しエラー");
    EXPECT_EQ(notifier.messages[0].second.rfind("「" + target.string() + "」に書き出せませんでした。\n", 0),
              0u);
    EXPECT_FALSE(fs::exists(target.parent_path()));
}

} // namespace
} // namespace vintrel
