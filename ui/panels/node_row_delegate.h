#pragma once

#include <QImage>
#include <QStyledItemDelegate>

namespace vintrel {

// Paints one row of the node panel's list (the selection band, the visibility icon and the name;
// the tree lines are the view's) and makes the rename field: a one-line edit over the row's name
// that Enter or focus loss commits and Escape cancels, as the item view's delegate rules do.
class NodeRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The field takes up to this many characters; the node keeps what fits its 255-byte name.
    static constexpr int kRenameFieldMaxChars = 259;

    explicit NodeRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // Clicks and keys are the view's to interpret; the delegate toggles nothing by itself.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    QImage icons_;
};

} // namespace vintrel
