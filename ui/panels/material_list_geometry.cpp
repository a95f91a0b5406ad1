#include "ui/panels/material_list_geometry.h"

namespace vintrel {

int MaterialListGeometry::rowAt(int panelY, int scrollOffset, int count) {
    if (panelY < kListTop) {
        return -1;
    }
    const int listY = panelY - kListTop + scrollOffset;
    const int row = listY / kRowHeight;
    return listY >= 0 && row < count ? row : -1;
}

} // namespace vintrel
