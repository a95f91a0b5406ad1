#include "ui/dialogs/library_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

namespace {

constexpr int kThumbnailSide = 96;
constexpr int kGridColumns = 4;
// Room under each thumbnail for a name of two lines.
constexpr int kNameHeight = 36;
constexpr int kCellMargin = 12;

QString translated(const char* text) {
    return QCoreApplication::translate("Library", text);
}

QPixmap blankThumbnail() {
    QPixmap blank(kThumbnailSide, kThumbnailSide);
    blank.fill(Qt::black);
    return blank;
}

} // namespace

LibraryDialog::LibraryDialog(std::filesystem::path libraryFolder, QWidget* parent)
    : QDialog(parent), folder_(std::move(libraryFolder)) {
    setWindowTitle(translated("ライブラリから新規作成"));
    grid_ = new QListWidget(this);
    grid_->setAccessibleName(translated("エフェクト"));
    grid_->setViewMode(QListView::IconMode);
    grid_->setMovement(QListView::Static);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setWrapping(true);
    grid_->setUniformItemSizes(true);
    grid_->setWordWrap(true);
    grid_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    const QSize cell(kThumbnailSide + 2 * kCellMargin, kThumbnailSide + kNameHeight + kCellMargin);
    grid_->setGridSize(cell);
    grid_->setMinimumSize(cell.width() * kGridColumns + 2 * kCellMargin, cell.height() * 3 + 2 * kCellMargin);
    addEntries();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    open_ = buttons->button(QDialogButtonBox::Open);
    open_->setText(translated("開く"));
    buttons->button(QDialogButtonBox::Cancel)->setText(translated("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(grid_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(grid_, &QListWidget::currentRowChanged, this, [this](int row) { open_->setEnabled(row >= 0); });
    open_->setEnabled(grid_->currentRow() >= 0);

    auto* layout = new QVBoxLayout(this);
    if (entries_.empty()) {
        // An installation without its library says so instead of showing an empty grid.
        missing_ = new QLabel(translated("ライブラリのエフェクトが見つかりません。"), this);
        layout->addWidget(missing_);
    }
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    connect(&timer_, &QTimer::timeout, this, &LibraryDialog::advanceFrames);
    int frameMs = 0;
    for (const Entry& entry : entries_) {
        if (entry.thumbnail) {
            frameMs = frameMs == 0 ? entry.thumbnail->frameMs : std::min(frameMs, entry.thumbnail->frameMs);
        }
    }
    if (frameMs > 0) {
        timer_.start(frameMs);
    }
}

// An effect whose project file is missing is left out: there would be nothing to open.
void LibraryDialog::addEntries() {
    for (const StarterEffect& effect : starterEffects()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(starterProjectFile(folder_, effect), ec)) {
            continue;
        }
        entries_.push_back({&effect, readThumbnail(folder_, effect)});
        auto* item = new QListWidgetItem(translated(effect.name), grid_);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        showFrame(static_cast<int>(entries_.size()) - 1);
    }
    if (!entries_.empty()) {
        grid_->setCurrentRow(0);
    }
}

void LibraryDialog::showFrame(int row) {
    const Entry& entry = entries_[static_cast<std::size_t>(row)];
    QListWidgetItem* item = grid_->item(row);
    if (!entry.thumbnail) {
        item->setIcon(QIcon(blankThumbnail()));
        return;
    }
    item->setIcon(QIcon(QPixmap::fromImage(entry.thumbnail->frames[entry.frame])));
}

void LibraryDialog::advanceFrames() {
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        Entry& entry = entries_[row];
        if (entry.thumbnail) {
            entry.frame = (entry.frame + 1) % entry.thumbnail->frames.size();
            showFrame(static_cast<int>(row));
        }
    }
}

std::optional<std::filesystem::path> LibraryDialog::chosenFile() const {
    const int row = grid_->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(entries_.size())) {
        return std::nullopt;
    }
    return starterProjectFile(folder_, *entries_[static_cast<std::size_t>(row)].effect);
}

} // namespace vintrel
