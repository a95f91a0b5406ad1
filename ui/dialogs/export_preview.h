#pragma once

#include <QImage>
#include <QWidget>
#include <filesystem>

namespace vintrel {

// "プレビュー": the preview still of the export dialog's "テスト", drawn at the output size over the
// project's background colour (the still itself is supersampled).
class ExportPreview final : public QWidget {
public:
    ExportPreview(const std::filesystem::path& still, int width, int height, QColor background, QWidget* parent);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QColor background_;
};

} // namespace vintrel
