#include "ui/dialogs/export_dialog.h"

#include "output/export_output.h"
#include "output/export_settings.h"
#include "output/video_output.h"
#include "ui/controls/font_dialog_units.h"
#include "ui/controls/message_text.h"
#include "ui/controls/numeric_field.h"
#include "ui/controls/ui_colors.h"
#include "ui/controls/widget_text_fit.h"
#include "ui/dialogs/export_details_dialog.h"
#include "ui/dialogs/export_preview.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_rules.h"
#include "ui/dialogs/export_runner.h"
#include "ui/dialogs/export_types.h"
#include "ui/document/project_document.h"
#include "ui/hints/hint_tracker.h"
#include "ui/panels/spinner_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>

namespace vintrel {

namespace {

// The fields that the dialog changes after building them, by their control ids.
constexpr int kColumnsField = 1047;
constexpr int kPreviewFrameField = 1018;

QString exportText(const char* text) {
    return QCoreApplication::translate("Export", text);
}

// The summary's number in the interface's words: "60枚" (frames) or "約1.0秒" (seconds).
QString translatedSummary(const std::string& summary) {
    static const QRegularExpression frames(QStringLiteral("^(\\d+)枚$"));
    static const QRegularExpression seconds(QStringLiteral("^約(-?\\d+\\.\\d)秒$"));
    const QString text = QString::fromStdString(summary);
    if (const QRegularExpressionMatch m = frames.match(text); m.hasMatch()) {
        return QCoreApplication::translate("Export", "%1枚").arg(m.captured(1));
    }
    if (const QRegularExpressionMatch m = seconds.match(text); m.hasMatch()) {
        return QCoreApplication::translate("Export", "約%1秒").arg(m.captured(1));
    }
    return text;
}

int colorByte(float value) {
    return std::isfinite(value) ? static_cast<int>(std::clamp(value, 0.0f, 255.0f)) : 0;
}

QColor toColor(const FloatXYZ& c) {
    return QColor(colorByte(c.x), colorByte(c.y), colorByte(c.z));
}

// The dialog's size and the places of its controls, in dialog units.
constexpr int kWidthDu = 456;
constexpr int kHeightDu = 160;

} // namespace

ExportDraft ExportDraft::of(const GlobalState& g) {
    return {g.write,
            g.exportExtras,
            g.project.width,
            g.project.height,
            g.project.growRange,
            g.project.growPower,
            g.project.growColor,
            g.project.previewFrame};
}

void ExportDraft::applyTo(GlobalState& g) const {
    const int framesWritten = g.write.framesWritten;
    g.write = write;
    g.write.framesWritten = framesWritten;
    g.exportExtras = extras;
    g.project.width = width;
    g.project.height = height;
    g.project.growRange = growRange;
    g.project.growPower = growPower;
    g.project.growColor = growColor;
    g.project.previewFrame = previewFrame;
}

// The "配置" picture: the sheet's cells for a sheet, a sketch of the output otherwise.
class ExportDialog::Sketch final : public QWidget {
public:
    Sketch(const ExportDraft& draft, QWidget* parent) : QWidget(parent), draft_(draft) {
        setAccessibleName(exportText("配置"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Button));
        painter.setPen(QColor(60, 60, 60));
        painter.setBrush(QColor(230, 230, 230));
        WriteSettings write = draft_.write;
        if (!writesSheet(write, draft_.extras)) {
            // One frame stands for the files, the video and the GIF.
            write.start = write.end = 1;
            write.step = write.width = 1;
        }
        for (const SketchCell& cell : sheetSketch(write, draft_.width, draft_.height, width(), height())) {
            painter.drawRect(QRectF(cell.x, cell.y, cell.w, cell.h));
        }
    }

private:
    const ExportDraft& draft_;
};

ExportDialog::ExportDialog(ProjectDocument& document, ExportRunner& runner, ExportPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent), document_(document), runner_(runner), prompts_(prompts) {
    setWindowTitle(exportText("書き出し"));
    setAccessibleName(windowTitle());
    document_.stopWorker();
    draft_ = ExportDraft::of(document_.state());
    stored_ = draft_;
    if (draft_.previewFrame < 0) {
        draft_.previewFrame = document_.state().project.frame / 2;
    }
    units_ = dialogUnitScaleFor(font());
    build();
    // Laid out for the Japanese texts; longer translations get their room.
    fitDialogTexts(*this);
    afterEdit();
    // What the dialog shows before any edit: the middle frame for an unset preview frame, the
    // rows that the range gives.
    shown_ = draft_;
}

QRect ExportDialog::pixels(QRect du) const {
    return {units_.toPixelsX(du.x()), units_.toPixelsY(du.y()), units_.toPixelsX(du.width()),
            units_.toPixelsY(du.height())};
}

void ExportDialog::addGroup(const QString& caption, QRect du) {
    auto* group = new QGroupBox(caption, this);
    group->setGeometry(pixels(du));
    group->lower();
}

QLabel* ExportDialog::addLabel(const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->adjustSize();
    label->move(units_.toPixelsX(x), units_.toPixelsY(y));
    return label;
}

NumericField* ExportDialog::addNumber(int id, QRect du, const QString& name, int low, int high, int value,
                                      std::function<void(int)> store) {
    auto* field = new NumericField(this);
    field->setAccessibleName(name);
    field->setEntry(low < 0 ? NumericField::Entry::Signed : NumericField::Entry::Digits);
    field->setValue(value);
    field->setGeometry(pixels(du));
    auto* spinner = new SpinnerButtons(*field, low, high, this);
    spinner->setGeometry(field->x() + field->width() - SpinnerButtons::kWidth, field->y(),
                         SpinnerButtons::kWidth, field->height());
    field->setTextMargins(0, 0, SpinnerButtons::kWidth, 0);
    const auto edited = [this, store](int typed) {
        store(typed);
        afterEdit();
    };
    connect(field, &NumericField::valueEdited, this, edited);
    connect(spinner, &SpinnerButtons::stepped, this, edited);
    setHintId(field, id);
    fields_[id] = field;
    return field;
}

void ExportDialog::build() {
    const int frames = document_.state().project.frame;
    WriteSettings& w = draft_.write;
    resize(units_.toPixelsX(kWidthDu), units_.toPixelsY(kHeightDu));

    addGroup(exportText("書き出しフレーム"), {6, 6, 144, 48});
    addNumber(1011, {12, 18, 36, 12}, exportText("書き出しフレーム"), 1, std::max(frames - 1, 1), w.start,
              [this](int v) { rangeEdited(draft_.write.start, v); });
    addLabel(exportText("～"), 52, 20);
    addNumber(1017, {66, 18, 36, 12}, exportText("終了フレーム"), 1, frames, w.end,
              [this](int v) { rangeEdited(draft_.write.end, v); });
    addLabel(exportText("フレーム目"), 105, 20);
    addNumber(1023, {66, 36, 36, 12}, exportText("フレーム毎"), 1, frames, w.step,
              [this](int v) { rangeEdited(draft_.write.step, v); });
    addLabel(exportText("フレーム毎"), 105, 38);

    addGroup(exportText("タイプ"), {6, 56, 144, 28});
    typeList_ = new QComboBox(this);
    for (const ExportType& type : exportTypes()) {
        typeList_->addItem(exportText(type.label));
    }
    typeList_->setAccessibleName(exportText("タイプ"));
    typeList_->setCurrentIndex(exportTypeIndex(w, draft_.extras));
    typeList_->setGeometry(pixels({13, 66, 56, 12}));
    connect(typeList_, &QComboBox::activated, this, &ExportDialog::typeChosen);
    addLabel(exportText("横"), 74, 68);
    addNumber(kColumnsField, {85, 66, 30, 12}, exportText("横"), 1, frames, w.width,
              [this](int v) { draft_.write.width = v; });
    addLabel(exportText("フレーム"), 118, 68);

    addGroup(exportText("１フレームの解像度"), {6, 86, 144, 28});
    addLabel(exportText("幅"), 12, 98);
    addNumber(1063, {30, 96, 36, 12}, exportText("幅"), 4, 2048, draft_.width,
              [this](int v) { draft_.width = v; });
    addLabel(exportText("高さ"), 78, 98);
    addNumber(1071, {102, 96, 36, 12}, exportText("高さ"), 4, 2048, draft_.height,
              [this](int v) { draft_.height = v; });

    addGroup(exportText("光彩"), {156, 6, 144, 48});
    addLabel(exportText("範囲"), 162, 20);
    addNumber(1012, {186, 18, 36, 12}, exportText("範囲"), 0, 999, draft_.growRange,
              [this](int v) { draft_.growRange = v; });
    addLabel(exportText("ピクセル"), 225, 20);
    addLabel(exportText("強さ"), 162, 38);
    addNumber(1013, {186, 36, 36, 12}, exportText("強さ"), 0, 100, draft_.growPower,
              [this](int v) { draft_.growPower = v; });
    addLabel(exportText("％"), 225, 38);
    addLabel(exportText("色"), 258, 38);
    colorButton_ = new QPushButton(this);
    colorButton_->setAccessibleName(exportText("色"));
    colorButton_->setGeometry(pixels({270, 36, 24, 11}));
    setHintId(colorButton_, 1115);
    connect(colorButton_, &QPushButton::clicked, this, &ExportDialog::chooseGlowColor);

    addGroup(exportText("オプション"), {156, 56, 144, 44});
    transparent_ = new QCheckBox(exportText("背景を透明にする"), this);
    transparent_->setChecked(w.isAlpha != 0);
    transparent_->adjustSize();
    transparent_->move(units_.toPixelsX(162), units_.toPixelsY(66));
    setHintId(transparent_, 1292);
    connect(transparent_, &QCheckBox::clicked, this, [this](bool on) {
        draft_.write.isAlpha = on ? 1 : 0;
        afterEdit();
    });
    addLabel(exportText("滑らかさ"), 162, 86);
    addNumber(1089, {192, 84, 36, 12}, exportText("滑らかさ"), 1, 6, w.smooth,
              [this](int v) { draft_.write.smooth = v; });
    detailsButton_ = new QPushButton(exportText("詳細…"), this);
    detailsButton_->setAccessibleName(detailsButton_->text());
    detailsButton_->setGeometry(pixels({240, 84, 54, 12}));
    connect(detailsButton_, &QPushButton::clicked, this, &ExportDialog::openDetails);

    addGroup(exportText("プレビュー"), {156, 102, 144, 28});
    addNumber(kPreviewFrameField, {162, 114, 36, 12}, exportText("プレビュー"), 1, frames,
              draft_.previewFrame, [this](int v) { draft_.previewFrame = v; });
    addLabel(exportText("フレーム目"), 201, 116);
    testButton_ = new QPushButton(exportText("テスト"), this);
    testButton_->setGeometry(pixels({252, 114, 42, 12}));
    connect(testButton_, &QPushButton::clicked, this, &ExportDialog::runTest);
    connect(&runner_, &ExportRunner::previewReady, this, &ExportDialog::showPreview);

    addGroup(exportText("配置"), {306, 6, 144, 128});
    sketch_ = new Sketch(draft_, this);
    sketch_->setGeometry(pixels({313, 18, 131, 96}));
    summary_ = new QLabel(this);
    summary_->setGeometry(pixels({312, 120, 132, 8}));
    summary_->setAccessibleName(exportText("配置"));

    auto* ok = new QPushButton(exportText("OK"), this);
    ok->setGeometry(pixels({318, 144, 50, 14}));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ExportDialog::acceptAndExport);
    auto* cancel = new QPushButton(exportText("キャンセル"), this);
    cancel->setGeometry(pixels({384, 144, 50, 14}));
    connect(cancel, &QPushButton::clicked, this, &ExportDialog::reject);
}

NumericField* ExportDialog::field(int id) const {
    const auto it = fields_.find(id);
    return it != fields_.end() ? it->second : nullptr;
}

// A new start, end or step proposes the columns of a sheet for the new range.
void ExportDialog::rangeEdited(int& member, int value) {
    const bool changed = member != value;
    member = value;
    if (changed && draft_.write.kind() == OutputKind::Sheet) {
        draft_.write.width = proposedColumns(draft_.write.start, draft_.write.end, draft_.write.step);
        fields_.at(kColumnsField)->setValue(draft_.write.width);
    }
}

void ExportDialog::typeChosen(int type) {
    chooseExportType(type, draft_.write, draft_.extras);
    afterEdit();
}

// The options for engines and video editors, in a window of their own over this one; OK takes
// them into the draft.
void ExportDialog::openDetails() {
    auto* details = new ExportDetailsDialog(draft_.extras, writesSheet(draft_.write, draft_.extras), this);
    details->setAttribute(Qt::WA_DeleteOnClose);
    connect(details, &QDialog::accepted, this, [this, details] {
        draft_.extras = details->extras();
        afterEdit();
    });
    details_ = details;
    details->open();
}

// After every change: the step is at least 1, the columns are for sheets only, the background
// can be transparent for images only, and the sketch and the summary follow.
void ExportDialog::afterEdit() {
    draft_.write.step = std::max(draft_.write.step, 1);
    const OutputKind kind = draft_.write.kind();
    const bool animated = draft_.extras.animation != AnimatedFormat::None;
    fields_.at(kColumnsField)->setEnabled(writesSheet(draft_.write, draft_.extras));
    // The animated formats all keep transparency; the classic video does not.
    transparent_->setEnabled(animated || kind != OutputKind::Video);
    if (kind == OutputKind::Sheet) {
        draft_.write.height = sheetRowCount(draft_.write);
    }
    summary_->setText(translatedSummary(exportSummary(draft_.write, document_.state().project.fps)));
    QPalette swatch = colorButton_->palette();
    swatch.setColor(QPalette::Button, toColor(draft_.growColor));
    colorButton_->setPalette(swatch);
    sketch_->update();
}

void ExportDialog::chooseGlowColor() {
    if (const std::optional<QColor> color = prompts_.askGlowColor(toColor(draft_.growColor))) {
        draft_.growColor = {static_cast<float>(color->red()), static_cast<float>(color->green()),
                            static_cast<float>(color->blue())};
        afterEdit();
    }
}

// The settings as the dialog has them, into the project when they differ from its own (the
// test still and the export draw from the project).
void ExportDialog::keepEdits() {
    if (draft_ != stored_) {
        const ExportDraft draft = draft_;
        document_.changeProject([draft](GlobalState& g) { draft.applyTo(g); });
        stored_ = draft_;
    }
}

void ExportDialog::runTest() {
    draft_.previewFrame = std::clamp(draft_.previewFrame, 1, std::max(document_.state().project.frame, 1));
    fields_.at(kPreviewFrameField)->setValue(draft_.previewFrame);
    keepEdits();
    // Keeping the edits restarts the view; the worker draws the still alone and stops again.
    document_.stopWorker();
    runner_.requestPreview();
}

void ExportDialog::showPreview(const QString& file, int width, int height) {
    if (preview_) {
        preview_->close();
    }
    if (file.isEmpty()) {
        return;
    }
    auto* preview = new ExportPreview(std::filesystem::path(file.toStdString()), width, height,
                                      toColor(document_.state().project.backColor),
                                      document_.state().exportExtras.alpha, parentWidget());
    preview->show();
    preview_ = preview;
}

bool ExportDialog::acceptAndExport() {
    WriteSettings& w = draft_.write;
    GlobalState check;
    check.project.frame = document_.state().project.frame;
    check.write = w;
    Status checked = checkExportRange(w, check.project.frame);
    if (checked) {
        check.project.width = draft_.width;
        check.project.height = draft_.height;
        checked = checkExportSize(check);
    }
    if (!checked) {
        prompts_.showProblem(messageText(kExportSettingsCaption), messageText(checked.error()));
        return false;
    }
    // A video needs its tool and ffmpeg, the animated formats ffmpeg: asked before the frames
    // are drawn, not after.
    if (draft_.extras.animation != AnimatedFormat::None) {
        if (!findFfmpeg()) {
            prompts_.showProblem(messageText(Notifier::kDefaultCaption), messageText(Message{kFfmpegMissing}));
            return false;
        }
    } else if (w.kind() == OutputKind::Video) {
        if (Status tools = videoToolsProblem(videoToolPath(document_.state())); !tools) {
            prompts_.showProblem(messageText(Notifier::kDefaultCaption), messageText(tools.error()));
            return false;
        }
    }
    const long long frames = (static_cast<long long>(w.end) - w.start + 1) / std::max(w.step, 1);
    w.width = static_cast<int>(std::clamp<long long>(w.width, 1, std::max<long long>(frames, 1)));
    w.height = sheetRowCount(w);
    keepEdits();
    accept();
    runner_.start();
    return true;
}

// The edits are the project's settings: kept whatever closes the dialog, but a dialog closed
// without an edit changes nothing.
void ExportDialog::reject() {
    if (draft_ != shown_) {
        keepEdits();
    }
    document_.resetView();
    QDialog::reject();
}

} // namespace vintrel
