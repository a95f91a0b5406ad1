#pragma once

#include "ui/controls/accessible_rows.h"

#include <QString>
#include <QWidget>
#include <optional>

class QDialog;

namespace vintrel {

class OriginalScrollbar;
class PanelPainter;

// A list drawn row by row on CLIENT_COLOR with the editor's own scrollbar along its right edge,
// as the view list and the history list are. Rows are RowListGeometry::kRowHeight pixels high,
// each with a line in WINDOW_COLOR under it. Subclasses say how many rows there are, paint a
// row's contents and act on a click; the list sizes the scrollbar to its height, scrolls with
// the bar and the wheel, and maps a press to its row.
//
// The keyboard has a row of its own, outlined while the list has focus and the row screen
// readers see as selected: Up, Down, Home, End, Page Up and Page Down move it (scrolling it into
// sight), Enter, Return and Space act on it as a click at its left end does, Delete asks the
// subclass to delete it. Screen readers see every row as a list item with its text.
class ScrolledRowList : public QWidget, public AccessibleRowSource {
    Q_OBJECT

public:
    explicit ScrolledRowList(QWidget* parent);

    // After the rows changed: the scrollbar takes the new content height, the keyboard's row
    // stays among the rows and the list repaints.
    void refresh();

    // The keyboard's row, -1 while the list has none.
    int cursorRow() const { return cursor_; }
    // Puts the keyboard on `row` (held to the rows) and scrolls it into sight.
    void setCursorRow(int row);

    OriginalScrollbar& scrollbar() const { return *scrollbar_; }
    // The width the rows take: the list's, less the scrollbar while it is shown.
    int rowWidth() const;
    // Where `row` is in the list as it is scrolled now.
    QRect rowRect(int row) const;

    int accessibleRowCount() const final { return rowCount(); }
    QString accessibleRowText(int row) const final { return rowText(row); }
    bool isAccessibleRowSelected(int row) const final { return row == cursor_; }
    QRect accessibleRowRect(int row) const final { return rowRect(row); }
    int accessibleFocusRow() const final { return cursor_; }
    void pressAccessibleRow(int row) final;

protected:
    virtual int rowCount() const = 0;
    // What the row says, as a screen reader reads it.
    virtual QString rowText(int row) const = 0;
    virtual void paintRow(PanelPainter& painter, int row, const QRect& rect) const = 0;
    virtual void rowClicked(int row, QPoint position) = 0;
    // Delete pressed on the keyboard's row; most lists have nothing to delete.
    virtual void deleteRow(int) {}

    // A row's text, left-aligned and centred in `rect` in the panel font.
    static void paintRowText(PanelPainter& painter, const QString& text, const QRect& rect,
                             const QColor& color, Qt::Alignment horizontal = Qt::AlignLeft);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The row `key` moves the keyboard to, or nothing for a key that does not move it.
    std::optional<int> rowAfterKey(int key) const;
    void pressRow(int row);
    void paintFocusOutline(PanelPainter& painter) const;

    OriginalScrollbar* scrollbar_;
    int scroll_ = 0;
    int cursor_ = -1;
};

// Makes `window` the modeless, resizable list window that `rows` fills (the history and viewpoint
// lists): titled and named `title`, 175 × 178 dialog units at first.
void holdRowsInWindow(QDialog& window, ScrolledRowList& rows, const QString& title);

} // namespace vintrel
