#pragma once

#include "model/export_extras.h"
#include "platform/result.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

namespace vintrel {

// Where one exported frame goes: on which page, which of its pixels (all of them, or what the
// trim keeps) and where they land on that page.
struct SheetCell {
    int page = 0;
    QRect fromFrame; // in the frame's own pixels
    QPoint onPage;   // the top-left corner of those pixels on the page
};

struct SheetPage {
    QSize size;
    int firstFrame = 0;
    int frameCount = 0;
    int columns = 0;
    int rows = 0;
};

// The arrangement of a sheet: a grid of equal cells on one or more pages. Cells stand
// `extras.padding` apart with `extrude` pixels of repeated edge around each frame and
// `border` around the whole page. Without any option set it is the classic sheet: frame k at
// column k mod columns, row k div columns, with nothing between.
struct SheetLayout {
    QSize frameSize;
    QSize cellSize; // what a cell holds of a frame: the frame, or the largest trimmed part
    std::vector<SheetPage> pages;
    std::vector<SheetCell> cells; // one per placed frame, in frame order
};

// The visible part of an image's pixels, for the trims: the smallest rectangle holding every
// pixel whose alpha is not 0; an empty rectangle for an image with none.
QRect visibleRect(const QImage& image);

// Lays out `frameCount` frames of `frameSize` in `columns` columns (at least 1; more than the
// frames leave empty cells) and at most `rows` rows per
// page (0: as many as the frames need; frames past them are left out, as the classic sheet
// does). `visible` holds each frame's visible rectangle when the options trim, and is not read
// otherwise. Fails, with a message, when a frame cannot fit the maximum page size.
Result<SheetLayout> layoutSheet(int frameCount, QSize frameSize, int columns, int rows,
                                const ExportExtras& extras, const std::vector<QRect>& visible);

// The smallest power of two at or above `side` (1 for 0 or less).
int powerOfTwoAtLeast(int side);

} // namespace vintrel
