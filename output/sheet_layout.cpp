#include "output/sheet_layout.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <climits>
#include <string>

namespace vintrel {

namespace {

// The side of `count` cells of `cell` pixels in a row (or column) of a page.
std::int64_t sideOf(int count, int cell, const ExportExtras& x) {
    if (count <= 0) {
        return 2LL * x.border;
    }
    return 2LL * x.border + static_cast<std::int64_t>(count) * (cell + 2LL * x.extrude) +
           static_cast<std::int64_t>(count - 1) * x.padding;
}

// The most cells (at most `wanted`) of `cell` pixels that fit `limit` pixels.
int cellsWithin(int wanted, int cell, std::int64_t limit, const ExportExtras& x) {
    int count = wanted;
    while (count > 0 && sideOf(count, cell, x) > limit) {
        --count;
    }
    return count;
}

// The largest page side the options allow, or 0 for no limit.
std::int64_t pageLimit(const ExportExtras& x) {
    if (x.maxSheetSide <= 0) {
        return 0;
    }
    int limit = std::clamp(x.maxSheetSide, kMinSheetSide, kMaxSheetSideLimit);
    if (x.powerOfTwo) {
        int power = 1;
        while (power * 2 <= limit) {
            power *= 2;
        }
        limit = power;
    }
    return limit;
}

// What each frame keeps of its pixels.
std::vector<QRect> keptRects(int frameCount, QSize frameSize, const ExportExtras& x,
                             const std::vector<QRect>& visible) {
    const QRect whole(QPoint(0, 0), frameSize);
    std::vector<QRect> kept(static_cast<std::size_t>(frameCount), whole);
    if (x.trim == SheetTrim::None || visible.size() < kept.size()) {
        return kept;
    }
    // A frame with nothing visible keeps one transparent pixel, so that it still has a cell.
    const QRect nothing(0, 0, 1, 1);
    if (x.trim == SheetTrim::Common) {
        QRect united;
        for (std::size_t k = 0; k < kept.size(); ++k) {
            united |= visible[k];
        }
        std::fill(kept.begin(), kept.end(), united.isEmpty() ? nothing : united & whole);
        return kept;
    }
    for (std::size_t k = 0; k < kept.size(); ++k) {
        kept[k] = visible[k].isEmpty() ? nothing : visible[k] & whole;
    }
    return kept;
}

} // namespace

int powerOfTwoAtLeast(int side) {
    int power = 1;
    while (power < side && power <= (1 << 29)) {
        power *= 2;
    }
    return power;
}

QRect visibleRect(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int left = argb.width();
    int right = -1;
    int top = argb.height();
    int bottom = -1;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

Result<SheetLayout> layoutSheet(int frameCount, QSize frameSize, int columns, int rows,
                                const ExportExtras& extras, const std::vector<QRect>& visible) {
    SheetLayout layout;
    layout.frameSize = frameSize;
    if (frameCount <= 0 || frameSize.isEmpty()) {
        return layout;
    }
    const std::vector<QRect> kept = keptRects(frameCount, frameSize, extras, visible);
    for (const QRect& rect : kept) {
        layout.cellSize = layout.cellSize.expandedTo(rect.size());
    }
    // The columns stay as asked even past the frames: the classic sheet keeps its empty cells.
    columns = std::max(columns, 1);
    const int neededRows = (frameCount + columns - 1) / columns;
    const int rowLimit = rows > 0 ? rows : neededRows;
    const int placed = static_cast<int>(std::min<std::int64_t>(frameCount, static_cast<std::int64_t>(columns) * rowLimit));

    int pageColumns = columns;
    int pageRows = rowLimit;
    if (const std::int64_t limit = pageLimit(extras); limit > 0) {
        pageColumns = cellsWithin(columns, layout.cellSize.width(), limit, extras);
        pageRows = cellsWithin(rowLimit, layout.cellSize.height(), limit, extras);
        if (pageColumns == 0 || pageRows == 0) {
            return Message{"a frame of %1 x %2 pixels does not fit a sheet of at most %3 pixels a side",
                           {std::to_string(layout.cellSize.width()), std::to_string(layout.cellSize.height()),
                            std::to_string(limit)}};
        }
    }
    const int perPage = pageColumns * pageRows;
    const int pageCount = (placed + perPage - 1) / perPage;
    for (int p = 0; p < pageCount; ++p) {
        SheetPage page;
        page.firstFrame = p * perPage;
        page.frameCount = std::min(perPage, placed - page.firstFrame);
        page.columns = pageColumns;
        // One page keeps the rows asked for, as the classic sheet does; pages hold what they need.
        page.rows = pageCount == 1 ? pageRows : (page.frameCount + pageColumns - 1) / pageColumns;
        std::int64_t width = sideOf(page.columns, layout.cellSize.width(), extras);
        std::int64_t height = sideOf(page.rows, layout.cellSize.height(), extras);
        if (extras.powerOfTwo) {
            width = powerOfTwoAtLeast(static_cast<int>(std::min<std::int64_t>(width, 1 << 30)));
            height = powerOfTwoAtLeast(static_cast<int>(std::min<std::int64_t>(height, 1 << 30)));
        }
        page.size = QSize(static_cast<int>(std::min<std::int64_t>(width, INT32_MAX)),
                          static_cast<int>(std::min<std::int64_t>(height, INT32_MAX)));
        layout.pages.push_back(page);
    }
    const std::int64_t pitchX = layout.cellSize.width() + 2LL * extras.extrude + extras.padding;
    const std::int64_t pitchY = layout.cellSize.height() + 2LL * extras.extrude + extras.padding;
    // Held to int: a page that large is refused before anything is drawn.
    const auto coordinate = [](std::int64_t value) { return static_cast<int>(std::min<std::int64_t>(value, INT32_MAX)); };
    for (int k = 0; k < placed; ++k) {
        const int index = k % perPage;
        SheetCell cell;
        cell.page = k / perPage;
        cell.fromFrame = kept[static_cast<std::size_t>(k)];
        cell.onPage = QPoint(coordinate(extras.border + extras.extrude + (index % pageColumns) * pitchX),
                             coordinate(extras.border + extras.extrude + (index / pageColumns) * pitchY));
        layout.cells.push_back(cell);
    }
    return layout;
}

} // namespace vintrel
