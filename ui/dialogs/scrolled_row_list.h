#pragma once

#include <QString>
#include <QWidget>

class QDialog;

namespace vintrel {

class OriginalScrollbar;
class PanelPainter;

// A list drawn row by row on CLIENT_COLOR with the editor's own scrollbar along its right edge,
// as the view list and the history list are. Rows are RowListGeometry::kRowHeight pixels high,
// each with a line in WINDOW_COLOR under it. Subclasses say how many rows there are, paint a
// row's contents and act on a click; the list sizes the scrollbar to its height, scrolls with
// the bar and the wheel, and maps a press to its row.
class ScrolledRowList : public QWidget {
    Q_OBJECT

public:
    explicit ScrolledRowList(QWidget* parent);

    // After the rows changed: the scrollbar takes the new content height and the list repaints.
    void refresh();

    OriginalScrollbar& scrollbar() const { return *scrollbar_; }
    // The width the rows take: the list's, less the scrollbar while it is shown.
    int rowWidth() const;
    // Where `row` is in the list as it is scrolled now.
    QRect rowRect(int row) const;

protected:
    virtual int rowCount() const = 0;
    virtual void paintRow(PanelPainter& painter, int row, const QRect& rect) const = 0;
    virtual void rowClicked(int row, QPoint position) = 0;

    // A row's text, left-aligned and centred in `rect` in the panel font.
    static void paintRowText(PanelPainter& painter, const QString& text, const QRect& rect,
                             const QColor& color, Qt::Alignment horizontal = Qt::AlignLeft);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    OriginalScrollbar* scrollbar_;
    int scroll_ = 0;
};

// Makes `window` the modeless, resizable list window that `rows` fills (the history and viewpoint
// lists): titled and named `title`, 175 × 178 dialog units at first.
void holdRowsInWindow(QDialog& window, ScrolledRowList& rows, const QString& title);

} // namespace vintrel
