#include "ui/panels/material_row.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/panels/material_list_geometry.h"

#include <utility>

namespace vintrel {

namespace {

using Geometry = MaterialListGeometry;

const QColor kModelNameColor(255, 255, 0);

} // namespace

MaterialRow::MaterialRow(const QString& name, Look look, QImage thumbnail, QWidget* parent)
    : QWidget(parent), name_(name), look_(look), thumbnail_(std::move(thumbnail)) {
    setAccessibleName(name_);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MaterialRow::setSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        update();
    }
}

void MaterialRow::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(toQColor(selected_ ? uiColors().cursor : uiColors().client));
    if (!thumbnail_.isNull()) {
        painter.drawImage(thumbnail_, QRect(0, 0, Geometry::kThumbnailSize, Geometry::kThumbnailSize));
    }
    const QRect nameBox(Geometry::kNameLeft, Geometry::kNameTop, Geometry::kWidth - Geometry::kNameLeft,
                        Geometry::kNameBottom - Geometry::kNameTop);
    const QColor color = look_ == Look::Model ? kModelNameColor : toQColor(kPanelTextColor);
    painter.text(name_, nameBox, color);
}

} // namespace vintrel
