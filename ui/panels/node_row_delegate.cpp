#include "ui/panels/node_row_delegate.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/panels/node_list_model.h"
#include "ui/panels/node_panel_artwork.h"
#include "ui/panels/node_rows.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

namespace vintrel {

namespace {

using Geometry = NodeListGeometry;

const QColor kCameraRowText(0, 255, 255);
// The names are drawn at half their 20-pixel rectangle's height in points.
constexpr int kNamePoints = (Geometry::kTextBottomInRow - Geometry::kTextTopInRow) / 2;
// Room for the field's frame, margins and caret beside the text.
constexpr int kRenameFieldPadding = 28;
constexpr int kRenameFieldMinWidth = 60;
constexpr int kRenameFieldPixelsPerChar = 20;

QFont nameFont() {
    return panelFont(pointsToPixels(kNamePoints));
}

NodeRowKind kindOf(const QModelIndex& index) {
    return static_cast<NodeRowKind>(index.data(NodeListModel::KindRole).toInt());
}

} // namespace

NodeRowDelegate::NodeRowDelegate(QObject* parent) : QStyledItemDelegate(parent), icons_(visibilityIcons()) {}

QSize NodeRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {Geometry::kListWidth, Geometry::kRowHeight};
}

void NodeRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const int top = option.rect.top();
    painter->save();
    if (index.data(NodeListModel::SelectedRole).toBool()) {
        painter->fillRect(QRect(0, top, Geometry::kListWidth, Geometry::kRowHeight),
                          toQColor(uiColors().cursor));
    }
    const NodeRowKind kind = kindOf(index);
    const int depth = index.data(NodeListModel::DepthRole).toInt();
    if (kind == NodeRowKind::Node) {
        const int isDraw = index.data(NodeListModel::VisibleRole).toBool() ? 1 : 0;
        painter->drawImage(
            QRect(Geometry::kIconX, top + Geometry::kIconYInRow, Geometry::kIconSize, Geometry::kIconSize),
            icons_, visibilityIconCell(isDraw));
    }
    const QRect textRect(QPoint(Geometry::textLeft(depth), top + Geometry::kTextTopInRow),
                         QPoint(Geometry::kListWidth - 1, top + Geometry::kTextBottomInRow - 1));
    painter->setFont(nameFont());
    painter->setPen(kind == NodeRowKind::Node ? toQColor(kPanelTextColor) : kCameraRowText);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QWidget* NodeRowDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex&) const {
    auto* field = new QLineEdit(parent);
    field->setMaxLength(kRenameFieldMaxChars);
    field->setFont(nameFont());
    field->setAccessibleName(QCoreApplication::translate("NodePanel", "ノード名"));
    return field;
}

// The view calls this again whenever the row's data changes (a visibility flip while the field
// is open); what the user has typed stays.
void NodeRowDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* field = qobject_cast<QLineEdit*>(editor); field != nullptr && !field->isModified()) {
        field->setText(index.data(Qt::EditRole).toString());
    }
}

void NodeRowDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    if (auto* field = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, field->text(), Qt::EditRole);
    }
}

// The field starts where the row's tree line starts, 20 pixels per character of the name or as
// wide as the name with room to type, whichever is wider, and never wider than the list.
void NodeRowDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    const int left = Geometry::kIndentPerDepth * index.data(NodeListModel::DepthRole).toInt();
    const QString name = index.data(Qt::EditRole).toString();
    const int fitted = editor->fontMetrics().horizontalAdvance(name) + kRenameFieldPadding;
    const int perChar = kRenameFieldPixelsPerChar * static_cast<int>(name.size());
    const int available = std::max(kRenameFieldMinWidth, editor->parentWidget()->width() - left);
    const int width = std::clamp(std::max(fitted, perChar), kRenameFieldMinWidth, available);
    editor->setGeometry(left, option.rect.top() + Geometry::kRenameFieldTopInRow, width,
                        Geometry::kRenameFieldHeight);
}

bool NodeRowDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                                  const QModelIndex&) {
    return false;
}

} // namespace vintrel
