#include "ui/dialogs/view_list_dialog.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/row_list_geometry.h"
#include "ui/dialogs/viewpoint_list.h"
#include "ui/document/project_document.h"

namespace vintrel {

ViewpointRows::ViewpointRows(ProjectDocument& document, QWidget* parent)
    : ScrolledRowList(parent), document_(document) {
    setAccessibleName(tr("視点リスト"));
}

int ViewpointRows::rowCount() const {
    // The viewpoints, then "＜追加＞".
    return static_cast<int>(viewpointCount(document_.state().views)) + 1;
}

bool ViewpointRows::isAddRow(int row) const {
    return static_cast<std::size_t>(row) >= viewpointCount(document_.state().views);
}

QString ViewpointRows::rowText(int row) const {
    return isAddRow(row) ? tr("＜追加＞")
                         : QString::fromStdString(document_.state().views[static_cast<std::size_t>(row)].title);
}

void ViewpointRows::paintRow(PanelPainter& painter, int row, const QRect& rect) const {
    const QColor text = toQColor(uiColors().text);
    if (isAddRow(row)) {
        paintRowText(painter, rowText(row), rect, text);
        return;
    }
    const QRect mark(rect.right() + 1 - RowListGeometry::kRowHeight, rect.top(), RowListGeometry::kRowHeight,
                     rect.height());
    paintRowText(painter, rowText(row), rect.adjusted(0, 0, -mark.width(), 0), text);
    paintRowText(painter, QStringLiteral("×"), mark, text, Qt::AlignHCenter);
}

void ViewpointRows::deleteRow(int row) {
    if (!isAddRow(row)) {
        const auto index = static_cast<std::size_t>(row);
        document_.changeViewpoints([index](std::vector<CameraView>& views) { removeViewpoint(views, index); });
    }
}

void ViewpointRows::rowClicked(int row, QPoint position) {
    const std::vector<CameraView>& views = document_.state().views;
    const auto index = static_cast<std::size_t>(row);
    if (isAddRow(row)) {
        const ViewCameraPose pose = document_.viewCamera();
        document_.changeViewpoints([pose](std::vector<CameraView>& views) { appendViewpoint(views, pose); });
        setCursorRow(rowCount() - 1); // the keyboard stays on "＜追加＞", below the new row
        return;
    }
    if (RowListGeometry::isOnDeleteMark(position.x(), rowWidth())) {
        deleteRow(row);
        return;
    }
    document_.requestViewCamera(poseOf(views[index]));
}

ViewListDialog::ViewListDialog(ProjectDocument& document, QWidget* parent)
    : QDialog(parent), rows_(new ViewpointRows(document, this)) {
    holdRowsInWindow(*this, *rows_, tr("視点リスト"));
    connect(&document, &ProjectDocument::projectChanged, rows_, &ScrolledRowList::refresh);
}

} // namespace vintrel
