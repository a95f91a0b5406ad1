#pragma once

#include <QImage>
#include <QWidget>

namespace vintrel {

// One row of the material list: the thumbnail in a 33-pixel square, then the name, white for a
// texture and yellow for a model, on the cursor colour when the row is selected. The row only
// paints; the panel handles the clicks on the list. Its accessible name is the material's name.
class MaterialRow final : public QWidget {
public:
    enum class Look { Texture, Model };

    MaterialRow(const QString& name, Look look, QImage thumbnail, QWidget* parent);

    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    QString name() const { return name_; }
    Look look() const { return look_; }
    const QImage& thumbnail() const { return thumbnail_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    Look look_;
    QImage thumbnail_;
    bool selected_ = false;
};

} // namespace vintrel
