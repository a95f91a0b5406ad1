#pragma once

#include "ui/panels/node_rows.h"

#include <QAbstractListModel>

namespace vintrel {

class ProjectDocument;

// The node panel's rows as a Qt list model, for the list view and for accessibility: each row
// is named by its node's name (the camera rows by their fixed labels). A node row's name is
// editable; an edit renames the selected node through the document.
class NodeListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        DepthRole = Qt::UserRole + 1,
        KindRole,     // NodeRowKind as int
        VisibleRole,  // bool: the node's particles are drawn (node rows only)
        SelectedRole, // bool: the row shows the document's selected node
    };

    explicit NodeListModel(ProjectDocument& document, QObject* parent = nullptr);

    // Reads the rows again from the document: after the tree, the selection or the camera mode
    // changed. Rows that stay the same report a data change; otherwise the model resets.
    void refresh();
    const NodeRows& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role on the selected node's row: renames it (one history entry). Other rows refuse.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    QString nameOf(const NodeRow& row) const;
    bool sameShape(const NodeRows& other) const;

    ProjectDocument& document_;
    NodeRows rows_;
};

} // namespace vintrel
