#include "render/mesh_geometry.h"

#include <cmath>
#include <cstddef>

namespace vintrel {

namespace {

PolyVertex vertexAt(const Vec3& p, float u, float v) {
    return PolyVertex{p.x, p.y, p.z, u, v};
}

// Point p turned by `degrees` about z / y.
Vec3 turnedZ(const Vec3& p, float degrees) {
    return transformCoord(p, matrixRotationZ(degreesToRadians(degrees)));
}
Vec3 turnedY(const Vec3& p, float degrees) {
    return transformCoord(p, matrixRotationY(degreesToRadians(degrees)));
}

constexpr Vec4 rgba255(float r, float g, float b, float a) {
    return Vec4{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

constexpr Vec4 kGuideColor = rgba255(255, 255, 255, 50);

// A closed polyline through the points, as segments.
void addRing(std::vector<LineSegment>& out, const std::vector<Vec3>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        out.push_back({points[i], points[(i + 1) % points.size()], kGuideColor});
    }
}

// An open polyline through the points, as segments.
void addPath(std::vector<LineSegment>& out, const std::vector<Vec3>& points) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        out.push_back({points[i], points[i + 1], kGuideColor});
    }
}

// `count` points of `start` turned about z (aboutY false) or y in steps of stepDegrees.
std::vector<Vec3> arc(const Vec3& start, int count, float stepDegrees, bool aboutY) {
    std::vector<Vec3> points;
    for (int i = 0; i < count; ++i) {
        const float a = static_cast<float>(i) * stepDegrees;
        points.push_back(aboutY ? turnedY(start, a) : turnedZ(start, a));
    }
    return points;
}

// Meridians from `start` turned about z in 30 degree steps (segments of them), each copy turned
// about y by a multiple of 60 degrees.
void addMeridians(std::vector<LineSegment>& out, const Vec3& start, float stepDegrees, int segments) {
    const std::vector<Vec3> meridian = arc(start, segments + 1, stepDegrees, false);
    for (int k = 0; k < 6; ++k) {
        std::vector<Vec3> turned;
        for (const Vec3& p : meridian) {
            turned.push_back(turnedY(p, static_cast<float>(k) * 60.0f));
        }
        addPath(out, turned);
    }
}

std::vector<LineSegment> circleXY() {
    std::vector<LineSegment> out;
    addRing(out, arc({0.5f, 0, 0}, 18, 20.0f, false));
    return out;
}

std::vector<LineSegment> circleXZ() {
    std::vector<LineSegment> out;
    addRing(out, arc({0.5f, 0, 0}, 18, 20.0f, true));
    return out;
}

std::vector<LineSegment> sphere() {
    std::vector<LineSegment> out;
    // From the bottom pole over +x to the top pole.
    addMeridians(out, {0, -0.5f, 0}, 30.0f, 6);
    addRing(out, arc({0.5f, 0, 0}, 12, 30.0f, true));
    return out;
}

std::vector<LineSegment> hemisphere() {
    std::vector<LineSegment> out;
    // From the top pole down to the rim at +x.
    addMeridians(out, {0, 0.5f, 0}, -30.0f, 3);
    addRing(out, arc({0.5f, 0, 0}, 12, 30.0f, true));
    return out;
}

std::vector<LineSegment> cylinder() {
    std::vector<LineSegment> out;
    const std::vector<Vec3> ring = arc({0.5f, 0, 0}, 8, 45.0f, true);
    std::vector<Vec3> bottom, top;
    for (const Vec3& p : ring) {
        bottom.push_back(p + Vec3{0, -0.5f, 0});
        top.push_back(p + Vec3{0, 0.5f, 0});
    }
    addRing(out, bottom);
    addRing(out, top);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        out.push_back({bottom[i], top[i], kGuideColor});
    }
    return out;
}

std::vector<LineSegment> box() {
    std::vector<LineSegment> out;
    const float h = 0.5f;
    for (float a : {-h, h}) {
        for (float b : {-h, h}) {
            out.push_back({{-h, a, b}, {h, a, b}, kGuideColor});
            out.push_back({{a, -h, b}, {a, h, b}, kGuideColor});
            out.push_back({{a, b, -h}, {a, b, h}, kGuideColor});
        }
    }
    return out;
}

std::vector<LineSegment> positionMarker() {
    return {{{0, 0.5f, 0}, {0, -0.5f, 0}, kGuideColor}, {{0.5f, 0, 0}, {-0.5f, 0, 0}, kGuideColor}};
}

} // namespace

std::vector<Strip> squareStrips() {
    return {Strip{
        {-0.5f, 0.5f, 0, 0, 0},
        {0.5f, 0.5f, 0, 1, 0},
        {-0.5f, -0.5f, 0, 0, 1},
        {0.5f, -0.5f, 0, 1, 1},
    }};
}

std::vector<Strip> cylinderStrips(int detail) {
    const int step = detail == 0 ? 45 : 5;
    Strip strip;
    for (int a = 0; a < 361; a += step) {
        const float rad = degreesToRadians(static_cast<float>(a));
        const float x = -0.5f * std::sin(rad);
        const float y = 0.5f * std::cos(rad);
        const float u = static_cast<float>(a) / 360.0f;
        strip.push_back({x, y, 0, u, 1});
        strip.push_back({x, y, -1, u, 0});
    }
    return {strip};
}

std::vector<Strip> hemisphereStrips(int detail) {
    const int step = detail == 0 ? 15 : 5;
    const Mat4 stepTurn = matrixRotationZ(degreesToRadians(static_cast<float>(step)));
    std::vector<Strip> strips;
    for (int b = 360; b > 0; b -= step) {
        const Mat4 band = matrixRotationZ(degreesToRadians(static_cast<float>(b)));
        Strip strip;
        for (int t = 0; t < 91; t += step) {
            const Mat4 m = matrixRotationY(degreesToRadians(static_cast<float>(t))) * band;
            const Vec3 p = transformCoord(Vec3{0, 0, -0.5f}, m);
            const Vec3 q = transformCoord(p, stepTurn);
            strip.push_back(vertexAt(p, p.x + 0.5f, p.y + 0.5f));
            strip.push_back(vertexAt(q, q.x + 0.5f, q.y + 0.5f));
        }
        strips.push_back(std::move(strip));
    }
    return strips;
}

Strip trailStrip(const std::deque<Vec4>& history, const Vec3& eye, bool thickChange) {
    Strip strip;
    const std::size_t n = history.size();
    if (n < 3) {
        return strip;
    }
    const auto position = [&](std::size_t i) { return Vec3{history[i].x, history[i].y, history[i].z}; };
    strip.reserve(2 * (n - 2));
    for (std::size_t i = 0; i + 2 < n; ++i) {
        const Vec3 p = position(i);
        const Vec3 d = normalize(position(i + 1) - p);
        const Vec3 c = normalize(eye - p);
        Vec3 side = cross(d, c);
        side = length(side) < 0.1f ? Vec3{} : normalize(side);
        const float width = thickChange ? history[i].w : history[n - 1].w;
        side *= width * 0.5f;
        const float u = static_cast<float>(i) / static_cast<float>(n - 2);
        strip.push_back(vertexAt(p + side, u, 0));
        strip.push_back(vertexAt(p - side, u, 1));
    }
    return strip;
}

std::vector<LineSegment> floorGrid() {
    std::vector<LineSegment> lines;
    const Vec4 grid = rgba255(128, 128, 128, 128);
    for (int i = -10; i <= 10; ++i) {
        if (i != 0) {
            const float z = static_cast<float>(i);
            lines.push_back({{-10, 0, z}, {10, 0, z}, grid});
        }
    }
    for (int j = -10; j <= 10; ++j) {
        if (j != 0) {
            const float x = static_cast<float>(j);
            lines.push_back({{x, 0, -10}, {x, 0, 10}, grid});
        }
    }
    const Vec4 axis = rgba255(200, 200, 200, 128);
    lines.push_back({{-10, 0, 0}, {0, 0, 0}, axis});
    lines.push_back({{0, 0, -10}, {0, 0, 10}, axis});
    lines.push_back({{0, 0, 0}, {0, 10, 0}, rgba255(0, 0, 255, 128)});
    lines.push_back({{0, 0, 0}, {10, 0, 0}, rgba255(255, 0, 0, 128)});
    return lines;
}

std::array<std::vector<LineSegment>, kGuideSetCount> guideSets() {
    return {circleXY(), circleXZ(), sphere(), hemisphere(), cylinder(), box(), positionMarker()};
}

std::array<Mat4, 6> fixedOrientations() {
    return {Mat4::identity(),         matrixRotationX(kPi),     matrixRotationY(-kPi / 2),
            matrixRotationY(kPi / 2), matrixRotationX(kPi / 2), matrixRotationX(-kPi / 2)};
}

} // namespace vintrel
