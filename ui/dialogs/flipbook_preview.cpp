#include "ui/dialogs/flipbook_preview.h"

#include "output/export_channels.h"
#include "output/image_outputs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vintrel {

namespace {

QString exportText(const char* text) {
    return QCoreApplication::translate("Export", text);
}

constexpr int kTickMs = 16;        // about the display's rate
constexpr int kMaxRate = 120;      // frames a second
constexpr int kLeastShownSide = 256; // small frames are shown larger, by a whole factor

// The frames of `folder` at the output size; empty when one cannot be read.
std::vector<QImage> readFrames(const std::filesystem::path& folder, const FlipbookSource& source) {
    const OutputFrames frames{folder, source.lastIndex, source.size.width(), source.size.height(), nullptr};
    std::vector<QImage> read;
    for (int k = 0; k <= source.lastIndex; ++k) {
        Result<QImage> frame = loadScaledFrame(frames, k);
        if (!frame) {
            return {};
        }
        read.push_back(std::move(*frame));
    }
    return read;
}

} // namespace

FlipbookPreview::FlipbookPreview(const FlipbookSource& source, QColor background, QWidget* parent)
    : QWidget(parent, Qt::Tool), background_(background), frameSize_(source.size) {
    setWindowTitle(exportText("書き出しの再生"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    column->addLayout(controls);
    auto* rateLabel = new QLabel(exportText("再生レート"), this);
    rate_ = new QSpinBox(this);
    rate_->setRange(1, kMaxRate);
    rate_->setValue(std::clamp(static_cast<int>(std::lround(source.framesPerSecond)), 1, kMaxRate));
    rate_->setSuffix(QStringLiteral(" fps"));
    rate_->setAccessibleName(rateLabel->text());
    rateLabel->setBuddy(rate_);
    auto* blendLabel = new QLabel(exportText("フレームの間"), this);
    blend_ = new QComboBox(this);
    for (const char* way : {"切り替え", "クロスフェード", "動きベクトル"}) {
        blend_->addItem(exportText(way));
    }
    blend_->setAccessibleName(blendLabel->text());
    blendLabel->setBuddy(blend_);
    controls->addWidget(rateLabel);
    controls->addWidget(rate_);
    controls->addSpacing(12);
    controls->addWidget(blendLabel);
    controls->addWidget(blend_);
    controls->addStretch();
    problem_ = new QLabel(this);
    problem_->hide();
    column->addWidget(problem_);
    const int zoom = std::max(1, kLeastShownSide / std::max(1, std::max(frameSize_.width(), frameSize_.height())));
    column->addSpacing(zoom * frameSize_.height());
    setMinimumWidth(zoom * frameSize_.width() + 2 * column->contentsMargins().left());

    load(source);
    connect(blend_, &QComboBox::currentIndexChanged, this, [this] { drawPicture(); });
    connect(&timer_, &QTimer::timeout, this, &FlipbookPreview::tick);
    if (hasFrames()) {
        drawPicture();
        clock_.start();
        timer_.start(kTickMs);
    }
}

void FlipbookPreview::load(const FlipbookSource& source) {
    frames_ = readFrames(source.renderFolder, source);
    if (frames_.empty()) {
        problem_->setText(exportText("書き出したフレームを読めません。もう一度書き出してください。"));
        problem_->show();
        return;
    }
    if (source.motionStrength > 0) {
        motion_ = readFrames(channelFolder(source.renderFolder, ExportChannel::Motion), source);
    }
    strength_ = motion_.empty() ? 0 : source.motionStrength;
    if (motion_.empty()) {
        // Without motion frames the vectors cannot be followed: the choice stays, unavailable.
        if (auto* model = qobject_cast<QStandardItemModel*>(blend_->model())) {
            model->item(static_cast<int>(FlipbookBlend::Motion))->setEnabled(false);
        }
    } else {
        blend_->setCurrentIndex(static_cast<int>(FlipbookBlend::Motion));
    }
}

void FlipbookPreview::tick() {
    const double seconds = static_cast<double>(clock_.restart()) / 1000.0;
    advance(seconds);
}

void FlipbookPreview::advance(double seconds) {
    if (!hasFrames()) {
        return;
    }
    const auto count = static_cast<double>(frames_.size());
    position_ = std::fmod(position_ + std::max(0.0, seconds) * rate_->value(), count);
    drawPicture();
}

void FlipbookPreview::drawPicture() {
    if (!hasFrames()) {
        return;
    }
    const auto a = static_cast<std::size_t>(position_) % frames_.size();
    const std::size_t b = (a + 1) % frames_.size();
    const double t = position_ - std::floor(position_);
    const auto blend = static_cast<FlipbookBlend>(blend_->currentIndex());
    const QImage none;
    picture_ = flipbookFrame(frames_[a], frames_[b], motion_.empty() ? none : motion_[a],
                             motion_.empty() ? none : motion_[b], t, strength_, blend);
    update();
}

void FlipbookPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (picture_.isNull()) {
        return;
    }
    const int top = rate_->geometry().bottom() + 8;
    const QSize room(width() - 16, height() - top - 8);
    const QSize shown = frameSize_.scaled(room, Qt::KeepAspectRatio);
    const QRect area(QPoint((width() - shown.width()) / 2, top), shown);
    painter.fillRect(area, background_);
    painter.drawImage(area, picture_);
}

} // namespace vintrel
