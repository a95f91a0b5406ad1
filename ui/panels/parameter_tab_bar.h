#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <vector>

namespace vintrel {

// One tab of the parameter area: a 26 × 68 button with its text written top to bottom, light
// with black text, darker while pressed, and blue-grey with white text for the current tab.
class ParameterTabButton final : public QAbstractButton {
public:
    ParameterTabButton(int tabId, const QString& text, QWidget* parent);
    int tabId() const { return tabId_; }
    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int tabId_;
    bool current_ = false;
};

// The vertical strip of the nine tab buttons beside the open parameter panel.
class ParameterTabBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTabWidth = 26;
    static constexpr int kTabHeight = 68;

    explicit ParameterTabBar(QWidget* parent = nullptr);
    void setCurrentTab(int tabId);
    ParameterTabButton* button(int tabId) const;

signals:
    void tabChosen(int tabId);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ParameterTabButton*> buttons_;
};

} // namespace vintrel
