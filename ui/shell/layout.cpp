#include "ui/shell/layout.h"

#include "render/view_layout.h"

#include <algorithm>

namespace vintrel {

namespace {

LayoutRect rect(int x, int y, int w, int h) {
    return {x, y, std::max(w, 0), std::max(h, 0)};
}

} // namespace

bool parameterScrollbarShown(int clientH) {
    return clientH - (kToolbarHeight + kStatusStripHeight) < kParameterContentHeight;
}

MainWindowLayout computeMainWindowLayout(int clientW, int clientH, int projectW, int projectH) {
    const int W = std::max(clientW, 0);
    const int H = std::max(clientH, 0);
    const int tw = kParameterColumnWidth + (parameterScrollbarShown(H) ? kScrollbarThickness : 0);
    MainWindowLayout layout;
    layout.materialPanel = rect(0, kToolbarHeight, kLeftColumnWidth, H / 2 - kToolbarHeight);
    layout.nodePanel = rect(0, H / 2, kLeftColumnWidth, H / 2 - 34);
    layout.infoBar = rect(kLeftColumnWidth, kToolbarHeight, W - tw - 212, kInfoBarHeight);
    layout.parameterPanel = rect(W - tw, kToolbarHeight, tw, H - 70);
    layout.statusStrip = rect(0, H - kStatusStripHeight, W, kStatusStripHeight);
    const ViewRect view = fitViewRect(W - tw - 214, H - 104, projectW, projectH);
    layout.view = {view.x, view.y, view.w, view.h};
    return layout;
}

} // namespace vintrel
