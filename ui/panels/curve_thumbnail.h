#pragma once

// The small curve picture of the parameter panels: shows one curve of the selected node, opens
// the curve editor on a left click and offers copy and paste on a right click.

#include <QWidget>

namespace vintrel {

class ProjectDocument;

class CurveThumbnail final : public QWidget {
    Q_OBJECT

public:
    CurveThumbnail(ProjectDocument& document, int slot, QWidget* parent);

    int slot() const { return slot_; }

signals:
    // The user asked for the curve editor on this picture's curve.
    void openRequested(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ProjectDocument& document_;
    int slot_;
};

} // namespace vintrel
