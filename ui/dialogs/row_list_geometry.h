#pragma once

#include <optional>

namespace vintrel {

// The arithmetic of the view and history lists: rows of a fixed height, scrolled by a pixel
// offset, without any drawing. y is measured from the list's top edge, the scroll offset from
// the content's top.
class RowListGeometry {
public:
    static constexpr int kRowHeight = 25;

    // The height of `rows` rows (saturating, so no row count overflows).
    static int contentHeight(int rows);
    // The row under y, or nothing below the last row or above the list.
    static std::optional<int> rowAt(int y, int scroll, int rows);
    // The top of `row` in the list's coordinates.
    static int rowTop(int row, int scroll);
    // Whether x lies on the "×" at the right end of a view-list row of the given width: the
    // square of one row height there.
    static bool isOnDeleteMark(int x, int rowWidth);
};

// How the history list shows an entry: the current one highlighted, those up to it applied,
// the later (undone) ones greyed.
enum class HistoryRowTone { Current, Applied, Undone };

// The grey of undone entries' titles (red, green and blue alike).
inline constexpr int kUndoneHistoryGrey = 182;

HistoryRowTone historyRowTone(int row, int current);

} // namespace vintrel
