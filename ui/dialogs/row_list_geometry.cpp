#include "ui/dialogs/row_list_geometry.h"

#include <algorithm>
#include <limits>

namespace vintrel {

int RowListGeometry::contentHeight(int rows) {
    const long long height = static_cast<long long>(std::max(rows, 0)) * kRowHeight;
    return static_cast<int>(std::min<long long>(height, std::numeric_limits<int>::max()));
}

std::optional<int> RowListGeometry::rowAt(int y, int scroll, int rows) {
    if (y < 0) {
        return std::nullopt;
    }
    const long long contentY = static_cast<long long>(y) + std::max(scroll, 0);
    const long long row = contentY / kRowHeight;
    if (row >= rows) {
        return std::nullopt;
    }
    return static_cast<int>(row);
}

int RowListGeometry::rowTop(int row, int scroll) {
    return contentHeight(row) - scroll;
}

bool RowListGeometry::isOnDeleteMark(int x, int rowWidth) {
    return x >= rowWidth - kRowHeight && x < rowWidth;
}

HistoryRowTone historyRowTone(int row, int current) {
    if (row == current) {
        return HistoryRowTone::Current;
    }
    return row < current ? HistoryRowTone::Applied : HistoryRowTone::Undone;
}

} // namespace vintrel
