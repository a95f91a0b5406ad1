#pragma once

#include "ui/dialogs/scrolled_row_list.h"

#include <QDialog>

namespace vintrel {

class ProjectDocument;

// The rows of the view list: one per saved viewpoint, titled, with a "×" at its right end, and
// "＜追加＞" last. A click on a viewpoint moves the view camera there; on its "×" it deletes the
// viewpoint; on "＜追加＞" it adds the current camera as a new viewpoint. Changes of the list go
// through the document as project changes. On the keyboard, Enter acts as a click on the row's
// title and Delete deletes the row's viewpoint.
class ViewpointRows final : public ScrolledRowList {
    Q_OBJECT

public:
    ViewpointRows(ProjectDocument& document, QWidget* parent);

protected:
    int rowCount() const override;
    QString rowText(int row) const override;
    void paintRow(PanelPainter& painter, int row, const QRect& rect) const override;
    void rowClicked(int row, QPoint position) override;
    void deleteRow(int row) override;

private:
    bool isAddRow(int row) const;

    ProjectDocument& document_;
};

// "視点リスト": a modeless, resizable window holding the viewpoint rows. It follows the document:
// another project or a changed list shows at once.
class ViewListDialog final : public QDialog {
    Q_OBJECT

public:
    ViewListDialog(ProjectDocument& document, QWidget* parent);

    ViewpointRows& rows() const { return *rows_; }

private:
    ViewpointRows* rows_;
};

} // namespace vintrel
