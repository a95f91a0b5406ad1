#pragma once

// Where the material panel puts its parts, in pixels of the panel: the title strip, the command
// buttons below it, and the list of 33-pixel rows from y 38, scrolled by the panel's scrollbar.

namespace vintrel {

struct MaterialListGeometry {
    static constexpr int kWidth = 210;
    static constexpr int kTitleHeight = 18;
    static constexpr int kButtonsTop = 18;
    static constexpr int kListTop = 38;
    static constexpr int kRowHeight = 33;
    static constexpr int kThumbnailSize = 33;
    static constexpr int kScrollbarX = 196;
    // The name's box in a row: from x 35, 3 to 27 pixels below the row's top.
    static constexpr int kNameLeft = 35;
    static constexpr int kNameTop = 3;
    static constexpr int kNameBottom = 27;

    // Height of the whole list of `count` rows.
    static constexpr int contentHeight(int count) { return count > 0 ? count * kRowHeight : 0; }
    // Height of the list's visible part in a panel `panelHeight` pixels tall.
    static constexpr int viewHeight(int panelHeight) {
        return panelHeight > kListTop ? panelHeight - kListTop : 0;
    }
    // Top of row `index` in the list, before scrolling.
    static constexpr int rowTop(int index) { return index * kRowHeight; }

    // The row under panel y `panelY` with the list scrolled by `scrollOffset`, or -1 above the
    // list and below its last row.
    static int rowAt(int panelY, int scrollOffset, int count);
};

} // namespace vintrel
