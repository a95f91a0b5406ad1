#include "render/obj_reader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace vintrel {
namespace {

void expectVertex(const PolyVertex& v, float x, float y, float z, float u, float t) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.u, u);
    EXPECT_FLOAT_EQ(v.v, t);
}

// Twice the signed area of a triangle's x-y projection, as seen from -z (x right, y up).
float signedArea(float ax, float ay, float bx, float by, float cx, float cy) {
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

constexpr const char* kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                  "vt 0 0\nvt 1 0\nvt 0.25 0.75\n";

TEST(ObjReaderTest, MirrorsXReversesCornersAndKeepsTheWinding) {
    const ObjModel m = parseObj(std::string(kTriangle) + "f 1/1 2/2 3/3\n");
    ASSERT_EQ(m.triangleCount(), 1);
    ASSERT_EQ(m.vertices.size(), 3u);
    expectVertex(m.vertices[0], 0, 1, 0, 0.25f, 0.25f);
    expectVertex(m.vertices[1], -1, 0, 0, 1, 1);
    expectVertex(m.vertices[2], 0, 0, 0, 0, 1);
    const auto& v = m.vertices;
    EXPECT_GT(signedArea(0, 0, 1, 0, 0, 1), 0);
    EXPECT_GT(signedArea(v[0].x, v[0].y, v[1].x, v[1].y, v[2].x, v[2].y), 0);
}

TEST(ObjReaderTest, FaceForms) {
    // A quad keeps its first three corners.
    ObjModel m = parseObj(std::string(kTriangle) + "v 5 5 5\nf 1/1 2/2 3/3 4/1\n");
    ASSERT_EQ(m.triangleCount(), 1);
    EXPECT_FLOAT_EQ(m.vertices[0].y, 1);
    EXPECT_FLOAT_EQ(m.vertices[2].x, 0);

    // Bare indices and "v//vn" have no texture index, which reads (0, 0).
    for (const char* face : {"f 1 2 3\n", "f 1//3 2//2 3//1\n"}) {
        m = parseObj(std::string(kTriangle) + face);
        ASSERT_EQ(m.triangleCount(), 1) << face;
        expectVertex(m.vertices[0], 0, 1, 0, 0, 0);
        expectVertex(m.vertices[1], -1, 0, 0, 0, 0);
    }

    // "v/vt" with the texture indices in another order.
    m = parseObj(std::string(kTriangle) + "f 1/3 2/1 3/2");
    ASSERT_EQ(m.triangleCount(), 1);
    expectVertex(m.vertices[0], 0, 1, 0, 1, 1);
    expectVertex(m.vertices[2], 0, 0, 0, 0.25f, 0.25f);

    // Fewer than three corners add nothing; a second face adds a second triangle.
    EXPECT_EQ(parseObj(std::string(kTriangle) + "f 1 2\nf\nf 1 2 # 3\nf 1/1").triangleCount(), 0);
    EXPECT_EQ(parseObj(std::string(kTriangle) + "f 1 2 3\nf 3 2 1\n").triangleCount(), 2);
}

TEST(ObjReaderTest, BadIndicesGiveZeroCorners) {
    // 0, negative, beyond the end, not yet read, too large for an int, not a number.
    const ObjModel m = parseObj("v 1 1 1\nvt 0.5 0.5\n"
                                "f 0/0 -1/-1 2/2\n"
                                "f 1/1 99999999999/1 x/y\n"
                                "v 2 2 2\n");
    ASSERT_EQ(m.triangleCount(), 2);
    for (int i : {0, 1, 2, 3, 4}) {
        expectVertex(m.vertices[static_cast<std::size_t>(i)], 0, 0, 0, i == 4 ? 0.5f : 0, i == 4 ? 0.5f : 0);
    }
    expectVertex(m.vertices[5], -1, 1, 1, 0.5f, 0.5f);
}

TEST(ObjReaderTest, CommentsAndOddTextChangeNothing) {
    const std::string plain = std::string(kTriangle) + "f 1/1 2/2 3/3\n";
    const std::string commented = "# made by hand, v 9 9 9\n# v\n# f 1 1 1\n"
                                  "v 0 0 0 # v 7\nv +1 0 0\nv 0 1.0e0 0\n"
                                  "vt 0 0\r\nvt 1 0\r\nvt 0.25 0.75\r\n"
                                  "o some object\ns off\nusemtl mat\n"
                                  "f 1/1 2/2 3/3 # f 3 3 3\n";
    const ObjModel a = parseObj(plain);
    const ObjModel b = parseObj(commented);
    ASSERT_EQ(b.vertices.size(), a.vertices.size());
    for (std::size_t i = 0; i < a.vertices.size(); ++i) {
        expectVertex(b.vertices[i], a.vertices[i].x, a.vertices[i].y, a.vertices[i].z, a.vertices[i].u,
                     a.vertices[i].v);
    }

    // Short or broken number lists keep the index numbering and read missing values as 0.
    const ObjModel c = parseObj("v 1\nv 2 3 oops\nv\nf 1 2 3\n");
    ASSERT_EQ(c.triangleCount(), 1);
    expectVertex(c.vertices[0], 0, 0, 0, 0, 0);
    expectVertex(c.vertices[1], -2, 3, 0, 0, 0);
    expectVertex(c.vertices[2], -1, 0, 0, 0, 0);
    EXPECT_EQ(parseObj("").triangleCount(), 0);
    EXPECT_EQ(parseObj("f").triangleCount(), 0);
}

TEST(ObjReaderTest, OverlongFaceLineIsCutAndItsRestSkipped) {
    const std::string pad(300, ' ');
    const ObjModel m = parseObj("f" + pad + "1 1 1 v 5 5 5\nv 1 2 3\nf 1 1 1\n");
    ASSERT_EQ(m.triangleCount(), 1);
    expectVertex(m.vertices[0], -1, 2, 3, 0, 0);
}

TEST(ObjReaderTest, ReadsFilesAndRejectsUnreadableOnes) {
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "obj_reader_test";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "tri.obj";
    {
        std::ofstream out(file, std::ios::binary);
        out << kTriangle << "f 1/1 2/2 3/3\n";
    }
    const std::optional<ObjModel> m = readObj(file);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->triangleCount(), 1);

    EXPECT_FALSE(readObj(dir / "missing.obj").has_value());
    EXPECT_FALSE(readObj(dir).has_value());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vintrel
