#pragma once

#include "model/export_extras.h"

#include <QImage>
#include <QWidget>
#include <filesystem>

class QComboBox;

namespace vintrel {

// What the preview still is drawn over: the project's background colour (as the classic
// preview), a checkerboard, black or white.
enum class PreviewBackdrop { BackgroundColour, Checkerboard, Black, White };

// "プレビュー": the preview still of the export dialog's "テスト", drawn at the output size over
// the chosen backdrop (the still itself is supersampled), as the export's alpha mode shows in
// the target: straight and premultiplied alpha blended over it, additive-on-black added to it.
class ExportPreview final : public QWidget {
public:
    ExportPreview(const std::filesystem::path& still, int width, int height, QColor background, AlphaMode alpha,
                  QWidget* parent);
    const QImage& image() const { return image_; }
    QComboBox* backdropList() const { return backdrops_; }
    // The still over the backdrop as the window shows it, at the output size.
    QImage composed() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QColor background_;
    AlphaMode alpha_;
    QSize outputSize_;
    QComboBox* backdrops_ = nullptr;
};

} // namespace vintrel
