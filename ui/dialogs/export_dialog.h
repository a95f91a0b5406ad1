#pragma once

#include "model/global_state.h"
#include "ui/controls/dialog_units.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace vintrel {

class ExportPrompts;
class ExportRunner;
class NumericField;
class ProjectDocument;

// The export settings as the dialog edits them: the export range and output, the frame size,
// the glow, the preview frame and the options of "書き出しの詳細".
struct ExportDraft {
    WriteSettings write;
    ExportExtras extras;
    int width = 0;
    int height = 0;
    int growRange = 0;
    int growPower = 0;
    FloatXYZ growColor;
    int previewFrame = 0;

    static ExportDraft of(const GlobalState& g);
    void applyTo(GlobalState& g) const;
    friend bool operator==(const ExportDraft&, const ExportDraft&) = default;
};

// The export dialog "書き出し": the range, the output type with the sheet's columns, the frame
// size, the glow, the options, the preview frame with "テスト", the layout sketch and the summary.
// The worker stops while it is open. Every edit is kept (also on Cancel, as the edits are
// settings of the project); OK checks the range, keeps it and starts the export.
class ExportDialog final : public QDialog {
    Q_OBJECT

public:
    ExportDialog(ProjectDocument& document, ExportRunner& runner, ExportPrompts& prompts, QWidget* parent);

    const ExportDraft& draft() const { return draft_; }
    // The number field bound to a control id of the dialog (tests, accessibility).
    NumericField* field(int id) const;
    QComboBox* typeList() const { return typeList_; }
    QCheckBox* transparentCheck() const { return transparent_; }
    QLabel* summary() const { return summary_; }
    QPushButton* testButton() const { return testButton_; }
    QPushButton* detailsButton() const { return detailsButton_; }
    // "書き出しの詳細" while it is open (it opens window-modal, without blocking).
    QDialog* detailsDialog() const { return details_; }
    // The preview window of the latest "テスト", if still open.
    QWidget* previewWindow() const { return preview_; }

    // OK: checks the range; a refused range is shown and the dialog stays open. True when the
    // export started.
    bool acceptAndExport();
    // Cancel: the edits are kept, nothing is exported.
    void reject() override;

private:
    class Sketch;

    void build();
    NumericField* addNumber(int id, QRect du, const QString& name, int low, int high, int value,
                            std::function<void(int)> store);
    QLabel* addLabel(const QString& text, int x, int y);
    void addGroup(const QString& caption, QRect du);
    void afterEdit();
    void rangeEdited(int& member, int value);
    void typeChosen(int type);
    void chooseGlowColor();
    void openDetails();
    void runTest();
    void showPreview(const QString& file, int width, int height);
    void keepEdits();
    QRect pixels(QRect du) const;

    ProjectDocument& document_;
    ExportRunner& runner_;
    ExportPrompts& prompts_;
    DialogUnitScale units_;
    ExportDraft draft_;
    ExportDraft stored_; // as the project holds them
    ExportDraft shown_;  // as the dialog first showed them
    std::map<int, NumericField*> fields_;
    QComboBox* typeList_ = nullptr;
    QCheckBox* transparent_ = nullptr;
    QPushButton* colorButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QPushButton* detailsButton_ = nullptr;
    QPointer<QDialog> details_;
    QLabel* summary_ = nullptr;
    Sketch* sketch_ = nullptr;
    QPointer<QWidget> preview_;
};

} // namespace vintrel
