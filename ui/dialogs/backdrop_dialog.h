#pragma once

#include "model/view_backdrop.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vintrel {

// "背景の設定": what the 3D view shows behind the effect — the background colour, a
// checkerboard, a picture or a frame of a video. The file and the frame apply to the kinds that
// use them; OK with a picture kind and no file is refused by keeping OK off.
class BackdropDialog final : public QDialog {
    Q_OBJECT

public:
    // `chooseFile` asks for the picture or video (the file dialog; tests answer for it).
    using FileChooser = std::function<std::optional<QString>(ViewBackdrop::Kind kind, const QString& current)>;
    BackdropDialog(const ViewBackdrop& current, FileChooser chooseFile, QWidget* parent = nullptr);

    // What the controls hold now.
    ViewBackdrop backdrop() const;

    QComboBox* kindList() const { return kinds_; }
    QLineEdit* fileField() const { return file_; }
    QPushButton* browseButton() const { return browse_; }
    QSpinBox* frameField() const { return frame_; }
    QPushButton* okButton() const { return ok_; }

private:
    void updateControls();
    void browse();

    FileChooser chooseFile_;
    QComboBox* kinds_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
    QSpinBox* frame_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// The file dialog of the picture or the video.
std::optional<QString> askBackdropFile(QWidget* parent, ViewBackdrop::Kind kind, const QString& current);

} // namespace vintrel
