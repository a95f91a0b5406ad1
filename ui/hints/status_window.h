#pragma once

// The hint strip along the bottom of the main window: one line of text saying what the control
// under the mouse does, or what the chosen camera drag mode does.

#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

namespace vintrel {

// A hint text from the hint table, translated (context "Hint", the Japanese text as source).
QString translatedHint(std::string_view hint);

class StatusWindow final : public QWidget {
    Q_OBJECT

public:
    // `selectedShapeType` tells the shape type of the selected node, which some hints depend on.
    explicit StatusWindow(std::function<int()> selectedShapeType, QWidget* parent = nullptr);

    // Shows the hint of a control or command id; an id without a hint keeps the current one.
    void showHint(int id);
    // Shows the hint of a camera drag mode (1 pan, 2 orbit, 3 zoom); other modes keep the current
    // hint.
    void showCameraModeHint(int mode);
    // Shows any text, as it is.
    void showText(const QString& text);

    QString hint() const { return hint_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<int()> selectedShapeType_;
    QString hint_;
};

} // namespace vintrel
