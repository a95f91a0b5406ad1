#pragma once

#include <QWidget>
#include <functional>

class QSlider;
class QToolButton;

namespace vintrel {

class ProjectDocument;

// The preview's transport in the info bar: go to the first frame, one frame back, play or
// pause, one frame on, and a slider over the effect's frames that scrubs to any of them. The
// buttons and the slider only ask the document; the slider follows the frame the view shows.
class TransportBar final : public QWidget {
    Q_OBJECT

public:
    // `shownFrame` gives the frame the view shows (steps since a reset); it is called on the GUI
    // thread and must be safe to call while the worker runs.
    TransportBar(ProjectDocument& document, std::function<int()> shownFrame, QWidget* parent = nullptr);

    // The width the buttons need; the slider takes what is left of the bar's width.
    static int buttonsWidth();
    // Takes the shown frame and the play state over (the info bar's repaint timer calls this).
    void follow();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* addButton(int artwork, const QString& name, void (ProjectDocument::*command)());
    void showPlayState();

    ProjectDocument& document_;
    std::function<int()> shownFrame_;
    QToolButton* playButton_ = nullptr;
    QSlider* slider_ = nullptr;
};

// Keys of the view for the transport: Space plays or pauses, the left and right arrows step one
// frame back or on, Home goes to the first frame. Installed as an event filter on the view.
class TransportKeys final : public QObject {
    Q_OBJECT

public:
    explicit TransportKeys(ProjectDocument& document, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProjectDocument& document_;
};

} // namespace vintrel
