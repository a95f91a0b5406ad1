#pragma once

#include "ui/shell/layout.h"

#include <QWidget>

namespace vintrel {

class OriginalScrollbar;

// The parameter area's frame at the right edge: it holds the tab bar and the open parameter
// panel in one content widget of kParameterContentHeight pixels, and scrolls that content with
// its own scrollbar when the window is too low to show all of it. Wheel turns over the area
// scroll it too.
class TabWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kScrollbarX = 250;

    explicit TabWindow(QWidget* parent = nullptr);

    // Places the area at `rect` and sets the scrollbar's range from the area's height.
    void applyLayout(const LayoutRect& rect);
    // The scrolled content: the tab bar and the parameter panels live in it.
    QWidget* content() const { return content_; }
    int scrollOffset() const { return offset_; }
    bool scrollbarShown() const;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void placeContent();

    OriginalScrollbar* scrollbar_ = nullptr;
    QWidget* content_ = nullptr;
    int offset_ = 0;
};

} // namespace vintrel
