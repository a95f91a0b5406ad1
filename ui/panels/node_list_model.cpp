#include "ui/panels/node_list_model.h"

#include "ui/document/project_document.h"

#include <QCoreApplication>

namespace vintrel {

NodeListModel::NodeListModel(ProjectDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document), rows_(NodeRows::build(document.state())) {}

bool NodeListModel::sameShape(const NodeRows& other) const {
    if (other.size() != rows_.size()) {
        return false;
    }
    for (int i = 0; i < rows_.size(); ++i) {
        if (other.at(i)->kind != rows_.at(i)->kind) {
            return false;
        }
    }
    return true;
}

void NodeListModel::refresh() {
    NodeRows fresh = NodeRows::build(document_.state());
    if (sameShape(fresh)) {
        rows_ = std::move(fresh);
        if (rows_.size() > 0) {
            emit dataChanged(index(0), index(rows_.size() - 1));
        }
        return;
    }
    beginResetModel();
    rows_ = std::move(fresh);
    endResetModel();
}

int NodeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.size();
}

QString NodeListModel::nameOf(const NodeRow& row) const {
    if (row.kind != NodeRowKind::Node) {
        const std::string_view label = cameraRowLabel(row.kind);
        return QCoreApplication::translate("NodePanel", std::string(label).c_str());
    }
    return row.node != nullptr ? QString::fromStdString(row.node->m_name) : QString();
}

QVariant NodeListModel::data(const QModelIndex& index, int role) const {
    const NodeRow* row = rows_.at(index.row());
    if (!index.isValid() || row == nullptr) {
        return {};
    }
    const bool visible = row->node != nullptr && row->node->m_isDraw != 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return nameOf(*row);
    case Qt::AccessibleDescriptionRole:
        if (row->kind != NodeRowKind::Node) {
            return {};
        }
        return visible ? QCoreApplication::translate("NodePanel", "表示")
                       : QCoreApplication::translate("NodePanel", "非表示");
    case DepthRole:
        return row->depth;
    case KindRole:
        return static_cast<int>(row->kind);
    case VisibleRole:
        return visible;
    case SelectedRole:
        return row->node != nullptr && row->node == document_.state().pSelNode;
    default:
        return {};
    }
}

Qt::ItemFlags NodeListModel::flags(const QModelIndex& index) const {
    const NodeRow* row = rows_.at(index.row());
    if (!index.isValid() || row == nullptr) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (row->kind == NodeRowKind::Node) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool NodeListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const NodeRow* row = rows_.at(index.row());
    if (role != Qt::EditRole || !index.isValid() || row == nullptr || row->kind != NodeRowKind::Node ||
        row->node != document_.state().pSelNode) {
        return false;
    }
    return document_.renameSelected(value.toString().toStdString());
}

} // namespace vintrel
