#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace vintrel {

// What a list that draws its own rows tells screen readers about them. Implemented by the list
// (or its owner); every query reads the list as it is now, so nothing has to be told when the
// rows change.
class AccessibleRowSource {
public:
    virtual int accessibleRowCount() const = 0;
    virtual QString accessibleRowText(int row) const = 0;
    virtual bool isAccessibleRowSelected(int row) const = 0;
    // Where the row is, in the list widget's coordinates, as it is scrolled now.
    virtual QRect accessibleRowRect(int row) const = 0;
    // The row the keyboard is on, or -1.
    virtual int accessibleFocusRow() const = 0;
    // What a screen reader's "Press" on the row does: what Enter does on it.
    virtual void pressAccessibleRow(int row) = 0;

protected:
    ~AccessibleRowSource() = default;
};

// Whether a list's child widgets follow its rows among its accessible children: a scrollbar
// does; widgets that only paint the rows would name every row twice.
enum class RowListChildren { RowsThenWidgets, RowsOnly };

// Makes `list`'s accessible interface a list whose children are `rows`' rows (items with their
// text and selected state and a "Press" action). A row is focused while `list` has the focus and
// the keyboard is on it. Called before anything asks for the list's accessible interface, which
// is made once; `rows` must live as long as `list`.
void makeRowsAccessible(QWidget& list, AccessibleRowSource& rows,
                        RowListChildren children = RowListChildren::RowsThenWidgets);

// Tells screen readers that the keyboard moved to `row` of `list` and that it is now selected.
void announceAccessibleRow(QWidget& list, int row);

} // namespace vintrel
