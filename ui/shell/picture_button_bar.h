#pragma once

#include "ui/shell/commands.h"

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

class QAction;

namespace vintrel {

class CommandActions;

// One picture button: its cell of the button artwork, pressed or not; a click runs its action.
class PictureButton final : public QAbstractButton {
public:
    PictureButton(const QImage& artwork, const PictureButtonPlace& place, QAction& action, QWidget* parent);
    QSize sizeHint() const override { return {kPictureButtonWidth, kPictureButtonHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& artwork_;
    int position_;
};

// The row of picture buttons along the top of the main window, over a strip painted from the
// artwork's background column.
class PictureButtonBar final : public QWidget {
public:
    PictureButtonBar(const CommandActions& actions, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage artwork_;
};

} // namespace vintrel
