#pragma once

#include <QColor>
#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace vintrel {

// What the export asks the user: the glow colour, where to write the output, and why a range
// cannot be exported. The editor shows dialogs; the tests answer for the user.
class ExportPrompts {
public:
    virtual ~ExportPrompts() = default;
    virtual std::optional<QColor> askGlowColor(const QColor& initial) = 0;
    // The output file for entry `type` of the dialog's type list (exportTypes()).
    virtual std::optional<std::filesystem::path> askOutputPath(int type) = 0;
    // A refused range: the message box with its caption.
    virtual void showProblem(const QString& caption, const QString& text) = 0;
};

class DialogExportPrompts final : public ExportPrompts {
public:
    explicit DialogExportPrompts(QWidget* parent) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<QColor> askGlowColor(const QColor& initial) override;
    std::optional<std::filesystem::path> askOutputPath(int type) override;
    void showProblem(const QString& caption, const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace vintrel
