#include "ui/dialogs/history_list_dialog.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/history_entry_text.h"
#include "ui/dialogs/row_list_geometry.h"
#include "ui/document/project_document.h"

namespace vintrel {

namespace {

QColor titleColor(HistoryRowTone tone) {
    if (tone == HistoryRowTone::Undone) {
        return {kUndoneHistoryGrey, kUndoneHistoryGrey, kUndoneHistoryGrey};
    }
    return toQColor(uiColors().text);
}

} // namespace

HistoryRows::HistoryRows(ProjectDocument& document, QWidget* parent)
    : ScrolledRowList(parent), document_(document) {
    setAccessibleName(tr("履歴リスト"));
    followHistory();
}

void HistoryRows::followHistory() {
    refresh();
    setCursorRow(document_.history().current());
}

QString HistoryRows::rowText(int row) const {
    return historyEntryText(document_.history().entries()[static_cast<std::size_t>(row)]);
}

int HistoryRows::rowCount() const {
    return static_cast<int>(document_.history().entries().size());
}

void HistoryRows::paintRow(PanelPainter& painter, int row, const QRect& rect) const {
    const History& history = document_.history();
    const HistoryRowTone tone = historyRowTone(row, history.current());
    if (tone == HistoryRowTone::Current) {
        painter.fillRect(rect, toQColor(uiColors().cursor));
    }
    paintRowText(painter, rowText(row), rect, titleColor(tone));
}

void HistoryRows::rowClicked(int row, QPoint) {
    document_.jumpTo(row);
}

HistoryListDialog::HistoryListDialog(ProjectDocument& document, QWidget* parent)
    : QDialog(parent), rows_(new HistoryRows(document, this)) {
    holdRowsInWindow(*this, *rows_, tr("履歴リスト"));
    connect(&document, &ProjectDocument::historyChanged, rows_, &HistoryRows::followHistory);
    connect(&document, &ProjectDocument::projectChanged, rows_, &HistoryRows::followHistory);
}

} // namespace vintrel
