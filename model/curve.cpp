#include "model/curve.h"

#include "platform/math.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <mutex>
#include <utility>

namespace vintrel {

namespace {

using Table = std::array<float, Graph::kTableSize>;

constexpr float kLastIndex = Graph::kTableSize - 1;
// Sampling steps by 1 / (x1 - x0), so a sane segment needs at most about 121
// samples. Hostile widths (1e30) would make the step vanish; the cap stops that.
constexpr int kMaxSamples = 2000;
constexpr int kSmoothingPasses = 30;
constexpr float kZeroLine = 50.0f;

struct Clipboard {
    std::mutex mutex;
    std::vector<CurvePoint> points;
};

// The one clipboard shared by all curves of the process.
Clipboard& clipboard() {
    static Clipboard instance;
    return instance;
}

Vec2 toVec(CurvePoint p) {
    return {p.x, p.y};
}

bool isFinite(Vec2 v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

float roundHalfAway(float v) {
    return v > 0.0f ? std::trunc(v + 0.5f) : std::trunc(v - 0.5f);
}

// Converts a coordinate to a table index, or -1 when it is NaN or outside the
// table. The range check comes before the conversion so NaN and 1e30 never
// reach an int cast.
int tableIndex(float v) {
    if (!(v >= 0.0f && v <= kLastIndex))
        return -1;
    return static_cast<int>(v);
}

// Clamps a float index range into [lo, hi] and converts it; NaN maps to lo.
int clampedIndex(float v, int lo, int hi) {
    if (!(v >= static_cast<float>(lo)))
        return lo;
    if (v >= static_cast<float>(hi))
        return hi;
    return static_cast<int>(v);
}

Vec2 bezier(Vec2 p0, Vec2 c0, Vec2 c1, Vec2 p1, float t) {
    float u = 1.0f - t;
    return p0 * (u * u * u) + c0 * (3.0f * u * u * t) + c1 * (3.0f * u * t * t) + p1 * (t * t * t);
}

struct Segment {
    Vec2 p0, c0, c1, p1;
    bool zeroLine = false;
};

// The tangent handles follow the neighbours' direction; the curve's first and
// last points (x = 0 and x = 100) and points without a neighbour (the points
// are not in the usual order) use the end point itself as the handle.
Segment makeSegment(const std::vector<CurvePoint>& pts, size_t k, bool zeroLine) {
    Segment s;
    s.p0 = toVec(pts[k]);
    s.p1 = toVec(pts[k + 1]);
    s.c0 = s.p0;
    s.c1 = s.p1;
    float handle = (s.p1.x - s.p0.x) * 0.5f;
    if (s.p0.x != 0.0f && k > 0)
        s.c0 = s.p0 + normalize(s.p1 - toVec(pts[k - 1])) * handle;
    if (s.p1.x != kLastIndex && k + 2 < pts.size())
        s.c1 = s.p1 + normalize(s.p0 - toVec(pts[k + 2])) * handle;
    s.zeroLine = zeroLine;
    return s;
}

// Speed curve: a segment whose ends lie on one side of the zero line stays there.
float applyZeroLine(const Segment& s, float v) {
    if (!s.zeroLine)
        return v;
    if (s.p0.y >= kZeroLine && s.p1.y >= kZeroLine && v < kZeroLine)
        v = kZeroLine;
    if (s.p0.y <= kZeroLine && s.p1.y <= kZeroLine && v > kZeroLine)
        v = kZeroLine;
    return v;
}

// Fills the entries from round(prev.x) up to (excluding) round(cur.x) on the
// straight line between two samples. Only indices inside the table are visited,
// so a sample far outside it costs nothing.
void fillBetween(Table& table, const Segment& s, Vec2 prev, Vec2 cur) {
    float start = roundHalfAway(prev.x);
    float end = roundHalfAway(cur.x);
    if (!(start < end))
        return;
    float slope = (cur.y - prev.y) / (cur.x - prev.x);
    int first = clampedIndex(start, 0, Graph::kTableSize);
    int last = clampedIndex(end, 0, Graph::kTableSize);
    for (int j = first; j < last; ++j) {
        float g = static_cast<float>(j) - start;
        float v = applyZeroLine(s, roundHalfAway(slope * g + prev.y));
        if (std::isfinite(v))
            table[j] = v;
    }
}

// Samples the segment's Bezier curve in steps of one x unit (t += 1 / width)
// up to t = 1.2. A width that is not a positive finite number (unsorted points,
// equal x, NaN) is not sampled; a sample beyond x = 100 or one that overflowed
// ends the segment.
void sampleSegment(Table& table, const Segment& s) {
    float width = s.p1.x - s.p0.x;
    bool usable = isFinite(s.p0) && isFinite(s.p1) && isFinite(s.c0) && isFinite(s.c1);
    if (!usable || !(width > 0.0f) || !std::isfinite(width))
        return;
    float step = 1.0f / width;
    Vec2 prev;
    float t = 0.0f;
    for (int n = 0; n < kMaxSamples && t <= 1.2f; ++n, t += step) {
        Vec2 cur = bezier(s.p0, s.c0, s.c1, s.p1, t);
        if (!isFinite(cur) || cur.x > kLastIndex)
            return;
        cur.y = std::clamp(cur.y, 0.0f, kLastIndex);
        if (n > 0)
            fillBetween(table, s, prev, cur);
        prev = cur;
    }
}

// Pins the end points' own y. Out-of-range y is clamped to the table's 0..100
// and NaN is skipped, so the table stays finite whatever the file held.
void pinPoint(Table& table, Vec2 p) {
    int i = tableIndex(p.x);
    if (i >= 0 && !std::isnan(p.y))
        table[i] = std::clamp(p.y, 0.0f, kLastIndex);
}

// Averages the neighbours of every entry strictly inside the segment except
// the one just before its end, each pass from the previous pass's values.
void smoothSegment(Table& table, Vec2 p0, Vec2 p1) {
    if (!std::isfinite(p0.x) || !std::isfinite(p1.x))
        return;
    int lo = clampedIndex(std::trunc(p0.x) + 1.0f, 1, Graph::kTableSize - 1);
    int hi = clampedIndex(std::trunc(p1.x) - 1.0f, 0, Graph::kTableSize - 1);
    for (int pass = 0; pass < kSmoothingPasses && lo < hi; ++pass) {
        Table before = table;
        for (int j = lo; j < hi; ++j)
            table[j] = (before[j - 1] + before[j + 1]) * 0.5f;
    }
}

} // namespace

Graph::Graph(std::string name, float firstY) : Graph(std::move(name), firstY, false) {}

Graph::Graph(std::string name, float firstY, bool bipolar)
    : name_(std::move(name)), bipolar_(bipolar), points_{{0.0f, firstY}, {100.0f, 0.0f}} {
    // Virtual calls do not reach the subclass yet, so build with its rule here.
    buildTable(bipolar_);
}

Graph::~Graph() = default;

CurvePoint Graph::point(int i) const {
    assert(i >= 0 && i < pointCount());
    if (i < 0 || i >= pointCount())
        return {};
    return points_[static_cast<size_t>(i)];
}

void Graph::addPoint(CurvePoint p) {
    points_.push_back(p);
}

void Graph::clearPoints() {
    points_.clear();
}

void Graph::setPoints(std::vector<CurvePoint> points) {
    points_ = std::move(points);
    rebuildTable();
}

void Graph::rebuildTable() {
    buildTable(false);
}

void Graph::buildTable(bool zeroLine) {
    if (points_.size() < 2)
        return;
    // Build off to the side so the simulation thread only ever sees finished
    // entries; unwritten entries keep their current value.
    Table scratch;
    for (size_t i = 0; i < scratch.size(); ++i)
        scratch[i] = table_[i].load(std::memory_order_relaxed);
    for (size_t k = 0; k + 1 < points_.size(); ++k) {
        Segment s = makeSegment(points_, k, zeroLine);
        sampleSegment(scratch, s);
        pinPoint(scratch, s.p0);
        pinPoint(scratch, s.p1);
        smoothSegment(scratch, s.p0, s.p1);
    }
    for (size_t i = 0; i < scratch.size(); ++i)
        table_[i].store(scratch[i], std::memory_order_relaxed);
}

float Graph::lookup(int age, int lifetime) const {
    float c = kLastIndex;
    // A particle with no lifetime left is at the end of its life.
    if (lifetime > 0) {
        int a = std::min(age, lifetime);
        c = static_cast<float>(a) * 100.0f / static_cast<float>(lifetime);
    }
    // The revolution update asks for age - 1, which is -1 at birth.
    if (c < 0.0f)
        c = 0.0f;
    // Cannot come from int inputs, but never let NaN near an index.
    if (!std::isfinite(c) || c > kLastIndex)
        c = kLastIndex;
    int i = static_cast<int>(c);
    if (i >= kTableSize - 1)
        return table_[kTableSize - 1].load(std::memory_order_relaxed);
    float f = c - static_cast<float>(i);
    float y0 = table_[i].load(std::memory_order_relaxed);
    float y1 = table_[i + 1].load(std::memory_order_relaxed);
    return (1.0f - f) * y0 + f * y1;
}

float Graph::evaluate(int age, int lifetime) const {
    return (100.0f - lookup(age, lifetime)) / 100.0f;
}

float Graph::tableEntry(int i) const {
    assert(i >= 0 && i < kTableSize);
    i = std::clamp(i, 0, kTableSize - 1);
    return table_[i].load(std::memory_order_relaxed);
}

void Graph::copyToClipboard() const {
    Clipboard& clip = clipboard();
    std::lock_guard lock(clip.mutex);
    clip.points = points_;
}

void Graph::pasteFromClipboard() {
    std::vector<CurvePoint> pasted = curveClipboard();
    if (pasted.size() < 2)
        return;
    setPoints(std::move(pasted));
}

void Graph::assignFrom(const Graph& other) {
    if (&other == this)
        return;
    points_ = other.points_;
    name_ = other.name_;
    for (size_t i = 0; i < table_.size(); ++i)
        table_[i].store(other.table_[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
    rebuildTable();
}

GraphSpeed::GraphSpeed(std::string name, float firstY) : Graph(std::move(name), firstY, true) {}

void GraphSpeed::rebuildTable() {
    buildTable(true);
}

float GraphSpeed::evaluate(int age, int lifetime) const {
    return Graph::evaluate(age, lifetime) * 2.0f - 1.0f;
}

std::vector<CurvePoint> curveClipboard() {
    Clipboard& clip = clipboard();
    std::lock_guard lock(clip.mutex);
    return clip.points;
}

} // namespace vintrel
