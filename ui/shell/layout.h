#pragma once

// Placement of the main window's parts in its client area.

namespace vintrel {

struct LayoutRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct MainWindowLayout {
    LayoutRect materialPanel;  // left column, upper half below the toolbars
    LayoutRect nodePanel;      // left column, lower half
    LayoutRect infoBar;        // the 32-pixel bar above the view
    LayoutRect parameterPanel; // right column
    LayoutRect statusStrip;    // along the bottom edge
    LayoutRect view;           // the 3D view, in the project's aspect ratio
};

constexpr int kLeftColumnWidth = 210;
constexpr int kParameterColumnWidth = 252;
constexpr int kScrollbarThickness = 14;
// The parameter area's content is this high; a shorter area shows its scrollbar and is
// kScrollbarThickness wider.
constexpr int kParameterContentHeight = 730;
constexpr int kToolbarHeight = 35;
constexpr int kInfoBarHeight = 32;
constexpr int kStatusStripHeight = 35;

// Whether the parameter area of a client area clientH high shows its scrollbar.
bool parameterScrollbarShown(int clientH);

// The parts of a client area of clientW x clientH for a project of projectW x projectH pixels.
// The parameter column is 252 wide, or 266 while its scrollbar shows (below 800 pixels of
// height). The view gets the free area between the columns (clientW - column - 214 by
// clientH - 104) and is fitted
// into it by fitViewRect: full height and centred, or, for a project too wide for that, full width
// and shorter. Widths and heights never go below 0 (the view never below 1 x 1), however small
// the window; a project size of 0 or less counts as 1.
MainWindowLayout computeMainWindowLayout(int clientW, int clientH, int projectW, int projectH);

} // namespace vintrel
