#pragma once

#include <QAbstractButton>
#include <QImage>

namespace vintrel {

// One of the node panel's eight command buttons: its cell of the button artwork, normal or
// pressed. A click does not take the focus from an open rename field; Tab reaches it.
class NodeCommandButton final : public QAbstractButton {
public:
    NodeCommandButton(const QImage& artwork, int position, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& artwork_;
    int position_;
};

} // namespace vintrel
