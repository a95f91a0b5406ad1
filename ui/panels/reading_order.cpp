#include "ui/panels/reading_order.h"

#include <algorithm>
#include <numeric>

namespace vintrel {

namespace {

const QRect& rectOf(const std::vector<QRect>& rects, int index) {
    return rects[static_cast<std::size_t>(index)];
}

// Sorts `items` (indices into `rects`) line by line, left to right within a line.
void sortByLines(std::vector<int>& items, const std::vector<QRect>& rects) {
    std::stable_sort(items.begin(), items.end(),
                     [&](int a, int b) { return rectOf(rects, a).top() < rectOf(rects, b).top(); });
    std::vector<int> sorted;
    sorted.reserve(items.size());
    for (std::size_t start = 0; start < items.size();) {
        const QRect& first = rectOf(rects, items[start]);
        std::size_t end = start + 1;
        while (end < items.size() && rectOf(rects, items[end]).top() <= first.top() + first.height() / 2) {
            ++end;
        }
        std::vector<int> line(items.begin() + static_cast<std::ptrdiff_t>(start),
                              items.begin() + static_cast<std::ptrdiff_t>(end));
        std::stable_sort(line.begin(), line.end(), [&](int a, int b) { return rectOf(rects, a).x() < rectOf(rects, b).x(); });
        sorted.insert(sorted.end(), line.begin(), line.end());
        start = end;
    }
    items = std::move(sorted);
}

// The outermost frame holding the field's centre, or -1.
int frameOf(const QRect& field, const std::vector<QRect>& frames) {
    int best = -1;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const QRect& frame = frames[i];
        if (!frame.contains(field.center())) {
            continue;
        }
        const auto area = [](const QRect& r) { return static_cast<long long>(r.width()) * r.height(); };
        if (best < 0 || area(frame) > area(frames[static_cast<std::size_t>(best)])) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

std::vector<int> readingOrder(const std::vector<QRect>& fields, const std::vector<QRect>& frames) {
    // Groups: one per frame that holds a field, one per field outside every frame; each group
    // has the rectangle it is ordered by.
    std::vector<QRect> groupRects;
    std::vector<std::vector<int>> groupFields;
    std::vector<int> groupOfFrame(frames.size(), -1);
    const auto addGroup = [&](const QRect& rect) {
        groupRects.push_back(rect);
        groupFields.emplace_back();
        return static_cast<int>(groupRects.size()) - 1;
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int frame = frameOf(fields[i], frames);
        int group = -1;
        if (frame < 0) {
            group = addGroup(fields[i]);
        } else {
            int& framed = groupOfFrame[static_cast<std::size_t>(frame)];
            if (framed < 0) {
                framed = addGroup(frames[static_cast<std::size_t>(frame)]);
            }
            group = framed;
        }
        groupFields[static_cast<std::size_t>(group)].push_back(static_cast<int>(i));
    }
    std::vector<int> groups(groupRects.size());
    std::iota(groups.begin(), groups.end(), 0);
    sortByLines(groups, groupRects);
    std::vector<int> order;
    order.reserve(fields.size());
    for (const int group : groups) {
        std::vector<int>& members = groupFields[static_cast<std::size_t>(group)];
        sortByLines(members, fields);
        order.insert(order.end(), members.begin(), members.end());
    }
    return order;
}

} // namespace vintrel
