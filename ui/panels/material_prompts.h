#pragma once

#include "model/material.h"

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

class QWidget;

namespace vintrel {

// The file choosers and messages of the material panel. The editor shows dialogs; tests answer
// for the user.
class MaterialPrompts {
public:
    virtual ~MaterialPrompts() = default;
    // The files to import (several may be chosen); empty when cancelled.
    virtual std::vector<std::filesystem::path> askImportFiles() = 0;
    // Where to save a copy of `material`; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askCopyTarget(const Material& material) = 0;
    virtual void showMessage(const QString& title, const QString& text) = 0;
};

// The prompts as dialogs over `parent` (the main window).
class DialogMaterialPrompts final : public MaterialPrompts {
public:
    explicit DialogMaterialPrompts(QWidget* parent) : parent_(parent) {}
    std::vector<std::filesystem::path> askImportFiles() override;
    std::optional<std::filesystem::path> askCopyTarget(const Material& material) override;
    void showMessage(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace vintrel
