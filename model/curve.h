#pragma once

#include <array>
#include <atomic>
#include <string>
#include <vector>

namespace vintrel {

// One control point of a value curve. x is the age in percent of the lifetime
// (0..100), y is measured downwards from the top: y = 0 is 100 %, y = 100 is 0 %.
struct CurvePoint {
    float x = 0, y = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// A value curve for one particle property. The editing thread owns the control
// points; after every change it rebuilds a 101-entry lookup table (entry i is
// the curve's y at x = i) which the simulation thread reads through evaluate().
// Table entries are atomics, so a reader sees each entry old or new, never torn.
class Graph {
public:
    static constexpr int kTableSize = 101;

    // Starts with the points (0, firstY) and (100, 0) and builds the table.
    Graph(std::string name, float firstY);
    virtual ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    const std::string& name() const { return name_; }
    // False for value curves (0..1), true for the speed curve (-1..+1).
    bool isBipolar() const { return bipolar_; }

    int pointCount() const { return static_cast<int>(points_.size()); }
    // Precondition: 0 <= i < pointCount(). Out of range returns a zero point.
    CurvePoint point(int i) const;
    const std::vector<CurvePoint>& points() const { return points_; }

    // Appends without sorting or rebuilding; the file loader adds the points
    // one by one and rebuilds once at the end.
    void addPoint(CurvePoint p);
    void clearPoints();
    // Replaces the points and rebuilds the table.
    void setPoints(std::vector<CurvePoint> points);

    // Rebuilds the lookup table from the points; fewer than two points leave
    // the table as it is.
    virtual void rebuildTable();
    // The property's value for a particle of this age: 0..1 (speed: -1..+1).
    // Safe to call from another thread while the table is rebuilt.
    virtual float evaluate(int age, int lifetime) const;
    // Table entry i (0..100), top-down y. Out of range is clamped to the table.
    float tableEntry(int i) const;

    // Replaces the process-wide curve clipboard with a copy of the points.
    void copyToClipboard() const;
    // Takes the clipboard's points if it holds at least two; otherwise nothing.
    void pasteFromClipboard();
    // Copies the other curve's points, name and table, then rebuilds.
    void assignFrom(const Graph& other);

protected:
    Graph(std::string name, float firstY, bool bipolar);

    // Builds the table from the points. zeroLine keeps segments whose end
    // points lie on one side of y = 50 from crossing it (speed curve).
    void buildTable(bool zeroLine);
    // The interpolated top-down y (0..100) for a particle of this age.
    float lookup(int age, int lifetime) const;

private:
    std::string name_;
    bool bipolar_ = false;
    std::vector<CurvePoint> points_;
    std::array<std::atomic<float>, kTableSize> table_{};
};

// The speed curve: value range -1..+1 with 0 at y = 50.
class GraphSpeed final : public Graph {
public:
    GraphSpeed(std::string name, float firstY);

    void rebuildTable() override;
    float evaluate(int age, int lifetime) const override;
};

// A copy of the points on the process-wide curve clipboard.
std::vector<CurvePoint> curveClipboard();

} // namespace vintrel
