#include "ui/panels/material_panel.h"

#include "platform/notifier.h"
#include "ui/controls/message_text.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/hints/hint_table.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"
#include "ui/panels/material_artwork.h"
#include "ui/panels/material_list_geometry.h"
#include "ui/panels/material_prompts.h"
#include "ui/panels/material_row.h"
#include "ui/panels/node_command_button.h"
#include "ui/panels/node_panel_artwork.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringList>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

namespace vintrel {

namespace {

using Geometry = MaterialListGeometry;

constexpr int kTitleGrey = 190;
constexpr int kTitleTextX = 4;
constexpr int kAngleUnitsPerNotch = 120;
// The buttons' hints do not depend on the selected node's shape.
constexpr int kAnyShapeType = 0;

QString messageTitle() {
    return QString::fromUtf8(Notifier::kDefaultCaption);
}

QString hintOf(int id) {
    const std::optional<std::string_view> hint = hintFor(id, kAnyShapeType);
    return hint ? translatedHint(*hint) : QString();
}

QString nameList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list << QString::fromStdString(name);
    }
    return list.join(QLatin1Char('\n'));
}

// The dragged files the panel imports: local images and OBJ models, in the order given.
std::vector<std::filesystem::path> importableFiles(const QMimeData* data) {
    std::vector<std::filesystem::path> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        std::filesystem::path file(url.toLocalFile().toStdString());
        if (url.isLocalFile() && importKindOf(file) != ImportKind::Other) {
            files.push_back(std::move(file));
        }
    }
    return files;
}

} // namespace

MaterialPanel::MaterialPanel(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), dialogPrompts_(std::make_unique<DialogMaterialPrompts>(this)),
      prompts_(dialogPrompts_.get()), buttonArtwork_(materialButtonStrip()),
      modelIcon_(modelIcon(Geometry::kThumbnailSize)) {
    setAccessibleName(QCoreApplication::translate("MaterialPanel", "マテリアルパネル"));
    setAcceptDrops(true);
    resize(Geometry::kWidth, height());
    createButtons();
    createList();
    scrollbar_ = new OriginalScrollbar(Qt::Vertical, this);
    scrollbar_->setAccessibleName(
        QCoreApplication::translate("MaterialPanel", "マテリアルパネルのスクロールバー"));
    connect(scrollbar_, &OriginalScrollbar::positionChanged, this, [this](int position) {
        offset_ = position;
        placeRows();
    });
    connect(&document_, &ProjectDocument::materialsChanged, this, &MaterialPanel::rebuildRows);
    rebuildRows();
}

MaterialPanel::~MaterialPanel() = default;

void MaterialPanel::setPrompts(MaterialPrompts& prompts) {
    prompts_ = &prompts;
}

void MaterialPanel::createList() {
    listClip_ = new QWidget(this);
    listClip_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The clip takes the focus (its keys reach the panel) so that screen readers see the focus on
    // the list; the rows only paint, so they are not named twice.
    listClip_->setFocusPolicy(Qt::StrongFocus);
    makeRowsAccessible(*listClip_, *this, RowListChildren::RowsOnly);
    listClip_->setAccessibleName(QCoreApplication::translate("MaterialPanel", "マテリアルリスト"));
}

QString MaterialPanel::accessibleRowText(int row) const {
    return rows_[static_cast<std::size_t>(row)]->name();
}

QRect MaterialPanel::accessibleRowRect(int row) const {
    return rows_[static_cast<std::size_t>(row)]->geometry();
}

void MaterialPanel::createButtons() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        const Command command = kCommands[i];
        const int id = kFirstCommandId + static_cast<int>(i);
        auto* button = new NodeCommandButton(buttonArtwork_, static_cast<int>(i), this);
        button->setGeometry(NodeArtworkLayout::kButtonWidth * static_cast<int>(i), Geometry::kButtonsTop,
                            NodeArtworkLayout::kButtonWidth, NodeArtworkLayout::kButtonHeight);
        setHintId(button, id);
        button->setAccessibleName(hintOf(id));
        connect(button, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
        buttons_[i] = button;
    }
}

QAbstractButton* MaterialPanel::button(Command command) const {
    const auto found = std::find(kCommands.begin(), kCommands.end(), command);
    return found != kCommands.end() ? buttons_[static_cast<std::size_t>(found - kCommands.begin())] : nullptr;
}

// ---- the list ---------------------------------------------------------------------------------

void MaterialPanel::rebuildRows() {
    for (MaterialRow* row : rows_) {
        delete row;
    }
    rows_.clear();
    selected_ = -1;
    for (const Material& material : document_.state().materials) {
        const MaterialRow::Look look =
            material.kind == Material::Model ? MaterialRow::Look::Model : MaterialRow::Look::Texture;
        auto* row =
            new MaterialRow(QString::fromStdString(material.name), look, thumbnailOf(material), listClip_);
        row->show();
        rows_.push_back(row);
    }
    layoutList();
}

QImage MaterialPanel::thumbnailOf(const Material& material) const {
    if (material.kind == Material::Model) {
        return modelIcon_;
    }
    const QImage image(QString::fromStdString((document_.state().workspace / material.fileName()).string()));
    return image.isNull() ? image
                          : image.scaled(Geometry::kThumbnailSize, Geometry::kThumbnailSize,
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void MaterialPanel::layoutList() {
    const int viewHeight = Geometry::viewHeight(height());
    listClip_->setGeometry(0, Geometry::kListTop, width(), viewHeight);
    scrollbar_->setRange(Geometry::kScrollbarX, Geometry::kListTop,
                         Geometry::contentHeight(static_cast<int>(rows_.size())), viewHeight);
    scrollbar_->raise();
    offset_ = scrollbar_->position();
    placeRows();
}

void MaterialPanel::placeRows() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->setGeometry(0, Geometry::rowTop(static_cast<int>(i)) - offset_, Geometry::kWidth,
                              Geometry::kRowHeight);
    }
}

void MaterialPanel::select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->setSelected(static_cast<int>(i) == selected_);
    }
    announceAccessibleRow(*listClip_, selected_);
}

void MaterialPanel::scrollIntoSight(int row) {
    const int top = Geometry::rowTop(row) - offset_;
    const int viewHeight = Geometry::viewHeight(height());
    if (top < 0) {
        scrollbar_->wheelScroll(top);
    } else if (top + Geometry::kRowHeight > viewHeight) {
        scrollbar_->wheelScroll(top + Geometry::kRowHeight - viewHeight);
    }
}

// ---- the commands ------------------------------------------------------------------------------

void MaterialPanel::runCommand(Command command) {
    switch (command) {
    case Command::Import:
        importFiles(prompts_->askImportFiles());
        break;
    case Command::Delete:
        deleteSelected();
        break;
    case Command::SaveCopy:
        saveSelectedCopy();
        break;
    case Command::MirrorLeftRight:
        transformSelected(TextureTransform::MirrorLeftRight);
        break;
    case Command::MirrorTopBottom:
        transformSelected(TextureTransform::MirrorTopBottom);
        break;
    case Command::RotateClockwise:
        transformSelected(TextureTransform::RotateClockwise);
        break;
    }
}

void MaterialPanel::importFiles(const std::vector<std::filesystem::path>& files) {
    const PreparedImport prepared = prepareImport(files);
    ImportReport report{prepared.unreadable, prepared.unusableName, {}, prepared.otherType};
    if (!prepared.items.empty()) {
        document_.changeMaterials([&](GlobalState& g) { report = applyImport(g, prepared); });
    }
    reportImport(report);
}

void MaterialPanel::deleteSelected() {
    const Material* material = materialAt(document_.state(), selected_);
    if (material == nullptr) {
        return;
    }
    const QString name = QString::fromStdString(material->fileName());
    const int index = selected_;
    Status deleted;
    document_.changeMaterials([&](GlobalState& g) { deleted = deleteMaterial(g, index); });
    if (!deleted) {
        reportFailure(
            QCoreApplication::translate("MaterialPanel", "「%1」を削除できませんでした。").arg(name),
            deleted.error());
    }
}

void MaterialPanel::saveSelectedCopy() {
    const Material* material = materialAt(document_.state(), selected_);
    if (material == nullptr) {
        return;
    }
    const Material chosen = *material;
    const std::optional<std::filesystem::path> target = prompts_->askCopyTarget(chosen);
    if (!target) {
        return;
    }
    if (Status copied = copyMaterialFile(document_.state().workspace, chosen, *target); !copied) {
        reportFailure(QCoreApplication::translate("MaterialPanel", "「%1」に保存できませんでした。")
                          .arg(QString::fromStdString(target->string())),
                      copied.error());
    }
}

void MaterialPanel::transformSelected(TextureTransform transform) {
    const Material* material = materialAt(document_.state(), selected_);
    if (material == nullptr) {
        return;
    }
    if (material->kind == Material::Model) {
        prompts_->showMessage(messageTitle(),
                              QCoreApplication::translate(
                                  "MaterialPanel", "この機能は３Ｄモデルに対して使うことはできません。"));
        return;
    }
    const QString name = QString::fromStdString(material->fileName());
    const int index = selected_;
    Result<TransformOutcome> outcome = TransformOutcome::NoMaterial;
    document_.changeMaterials([&](GlobalState& g) { outcome = transformMaterial(g, index, transform); });
    if (!outcome) {
        reportFailure(
            QCoreApplication::translate("MaterialPanel", "「%1」を変換できませんでした。").arg(name),
            outcome.error());
    }
}

// One message for each kind of file an import left out, naming the files.
void MaterialPanel::reportImport(const ImportReport& report) {
    const std::pair<const std::vector<std::string>*, const char*> kinds[] = {
        {&report.otherType,
         QT_TRANSLATE_NOOP("MaterialPanel",
                           "次のファイルは画像でもOBJモデルでもないため、追加しませんでした。\n%1")},
        {&report.unreadable,
         QT_TRANSLATE_NOOP("MaterialPanel", "次のファイルは読み込めなかったため、追加しませんでした。\n%1")},
        {&report.unusableName,
         QT_TRANSLATE_NOOP("MaterialPanel",
                           "次のファイルは名前をプロジェクトに保存できないため、追加しませんでした。\n%1")},
        {&report.unwritable,
         QT_TRANSLATE_NOOP("MaterialPanel", "次のファイルを作業フォルダーに書き込めませんでした。\n%1")},
    };
    for (const auto& [names, text] : kinds) {
        if (!names->empty()) {
            prompts_->showMessage(messageTitle(),
                                  QCoreApplication::translate("MaterialPanel", text).arg(nameList(*names)));
        }
    }
}

void MaterialPanel::reportFailure(const QString& text, const Message& reason) {
    prompts_->showMessage(messageTitle(), text + QLatin1Char('\n') + messageText(reason));
}

// ---- painting and input ------------------------------------------------------------------------

void MaterialPanel::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(toQColor(uiColors().window));
    painter.fillRect(QRect(0, Geometry::kListTop, width(), Geometry::viewHeight(height())),
                     toQColor(uiColors().client));
    const QRect title(kTitleTextX, 0, Geometry::kWidth - kTitleTextX, Geometry::kTitleHeight);
    painter.text(QCoreApplication::translate("MaterialPanel", "マテリアルパネル"), title,
                 QColor(kTitleGrey, kTitleGrey, kTitleGrey));
}

void MaterialPanel::resizeEvent(QResizeEvent*) {
    layoutList();
}

void MaterialPanel::mousePressEvent(QMouseEvent* event) {
    const int y = static_cast<int>(event->position().y());
    if (event->button() != Qt::LeftButton || y < Geometry::kListTop) {
        event->ignore();
        return;
    }
    // A click below the last row selects nothing, so no command acts on a row out of sight.
    select(Geometry::rowAt(y, offset_, static_cast<int>(rows_.size())));
    listClip_->setFocus(Qt::MouseFocusReason);
    event->accept();
}

std::optional<int> MaterialPanel::rowAfterKey(int key) const {
    const int last = static_cast<int>(rows_.size()) - 1;
    const int page = std::max(1, Geometry::viewHeight(height()) / Geometry::kRowHeight - 1);
    switch (key) {
    case Qt::Key_Up:
        return std::max(selected_ - 1, 0);
    case Qt::Key_Down:
        return std::min(selected_ + 1, last);
    case Qt::Key_PageUp:
        return std::max(selected_ - page, 0);
    case Qt::Key_PageDown:
        return std::min(selected_ + page, last);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    default:
        return std::nullopt;
    }
}

void MaterialPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && selected_ >= 0) {
        runCommand(Command::Delete);
        return;
    }
    const std::optional<int> row = rowAfterKey(event->key());
    if (!row || rows_.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    select(*row);
    scrollIntoSight(*row);
}

void MaterialPanel::wheelEvent(QWheelEvent* event) {
    const int angle = event->angleDelta().y();
    if (angle == 0) {
        event->ignore();
        return;
    }
    scrollbar_->wheelScroll(-angle * OriginalScrollbar::kWheelPixelsPerNotch / kAngleUnitsPerNotch);
    event->accept();
}

// A drag is taken only when it carries an image or a model; anything else (a project file) goes
// on to the main window, which opens projects dropped anywhere on it.
void MaterialPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (importableFiles(event->mimeData()).empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void MaterialPanel::dragMoveEvent(QDragMoveEvent* event) {
    if (importableFiles(event->mimeData()).empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void MaterialPanel::dropEvent(QDropEvent* event) {
    const std::vector<std::filesystem::path> files = importableFiles(event->mimeData());
    if (files.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    importFiles(files);
}

} // namespace vintrel
