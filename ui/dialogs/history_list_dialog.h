#pragma once

#include "ui/dialogs/scrolled_row_list.h"

#include <QDialog>

namespace vintrel {

class ProjectDocument;

// The rows of the history list: one per entry with its title, the current entry on
// CURSOR_COLOR, the entries up to it in white and the undone ones in grey. A click jumps to the
// entry through the document (undoing or redoing up to it), as Enter does on the keyboard's row.
// The keyboard's row goes to the current entry whenever the history changes.
class HistoryRows final : public ScrolledRowList {
    Q_OBJECT

public:
    HistoryRows(ProjectDocument& document, QWidget* parent);

    // After the history changed: the rows again, the keyboard on the current entry.
    void followHistory();

protected:
    int rowCount() const override;
    QString rowText(int row) const override;
    void paintRow(PanelPainter& painter, int row, const QRect& rect) const override;
    void rowClicked(int row, QPoint position) override;

private:
    ProjectDocument& document_;
};

// "履歴リスト": a modeless, resizable window holding the history rows; it follows the document's
// history and shows another project's at once.
class HistoryListDialog final : public QDialog {
    Q_OBJECT

public:
    HistoryListDialog(ProjectDocument& document, QWidget* parent);

    HistoryRows& rows() const { return *rows_; }

private:
    HistoryRows* rows_;
};

} // namespace vintrel
