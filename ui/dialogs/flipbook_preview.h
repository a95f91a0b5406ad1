#pragma once

#include "output/flipbook_blend.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <vector>

class QComboBox;
class QLabel;
class QSpinBox;

namespace vintrel {

// The frames of the latest export, as the playback preview reads them.
struct FlipbookSource {
    std::filesystem::path renderFolder; // the intermediate frames, "%05d.png"
    int lastIndex = -1;
    QSize size;                 // the output's frame size
    double framesPerSecond = 0; // the export's own rate
    float motionStrength = 0;   // of the motion frames beside them; 0 when there are none
};

// "書き出しの再生": the exported frames played as a game plays a flipbook, at a chosen rate and
// with the time between two frames held, cross-faded or moved along the motion vectors, so the
// artist sees how few frames the effect needs. The frames are read once, at the output size.
class FlipbookPreview final : public QWidget {
public:
    FlipbookPreview(const FlipbookSource& source, QColor background, QWidget* parent);

    QSpinBox* rateBox() const { return rate_; }
    QComboBox* blendList() const { return blend_; }
    bool hasFrames() const { return !frames_.empty(); }
    // Moves the playback on by `seconds` at the chosen rate and draws the picture for then.
    void advance(double seconds);
    // Where the playback is, in frames from the first (wrapping at the last).
    double position() const { return position_; }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void load(const FlipbookSource& source);
    void tick();
    void drawPicture();

    std::vector<QImage> frames_;
    std::vector<QImage> motion_;
    float strength_ = 0;
    QColor background_;
    QSize frameSize_;
    double position_ = 0;
    QImage picture_;
    QSpinBox* rate_ = nullptr;
    QComboBox* blend_ = nullptr;
    QLabel* problem_ = nullptr;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace vintrel
